#pragma once

#include "engine/base/result.h"
#include "engine/check/check_input.h"

#include <QString>

#include <map>
#include <optional>
#include <vector>

// The designed transformer as a SPICE netlist, alone or in a test bench of
// its converter. Plain SPICE 3 elements (L, K, R, C, D, S, V, PULSE) that
// ngspice reads without a compatibility mode; the bench's .meas lines are
// those ngspice and LTspice share. The text is ASCII (the design's name
// aside), one element a line, LF line ends.

namespace kelvane::spice {

// The coupling factor between every two windings where the design has no
// leakage estimate: that of a typical wound transformer (a leakage of about
// 2 % of Lp).
inline constexpr double kDefaultCoupling = 0.99;

// A winding's pins on the construction sheet: start, the centre tap or the
// junction of a sandwich's halves ("" for none), finish.
struct WindingPins {
    QString start;
    QString tap;
    QString finish;
};

struct NetlistOptions {
    bool bench = false;  // the converter around the transformer, with its measures
    // The coupling factor between every two windings; none: from
    // `leakageUh` for a flyback or RCC, else kDefaultCoupling.
    std::optional<double> coupling;
    // The construction sheet's estimate of the leakage inductance, the
    // primary's with every other winding shorted.
    std::optional<double> leakageUh;
    QString designName;  // the design file's name for the heading; "" unsaved
    // The construction sheet's pins by row of the winding table, which name
    // the subcircuit's ports when every one is a plain name used once.
    std::map<int, WindingPins> pins;
};

// couplingFromLeakage() — the coupling factor k every two of the primary and
// `others` more windings share, when the primary with those shorted shows
// `leakageH` of its `lpH`. Shorting n windings that each couple by k leaves
// Lp (1 − n k² ÷ (1 + (n − 1) k)); with x = leakage ÷ Lp that is
// n k² − (1 − x)(n − 1) k − (1 − x) = 0, whose positive root is k
// (√(1 − x) for one other winding). No value unless 0 < x < 1 and n ≥ 1.
[[nodiscard]] std::optional<double> couplingFromLeakage(double leakageH, double lpH, int others);

// How a bench runs, in seconds: the simulated switching period, the largest
// time step, the end of the run and the start of the measures' window (the
// last 20 periods). The measures are ipk and irms of the primary (one half
// of a push-pull primary) and vo1 … voN, each output's average.
struct BenchPlan {
    double periodS = 0.0;
    double stepS = 0.0;
    double stopS = 0.0;
    double measureFromS = 0.0;
    int outputCount = 0;
};

struct Netlist {
    QString text;
    std::optional<BenchPlan> bench;  // with NetlistOptions::bench
};

// The number of periods the measures average over.
inline constexpr int kMeasuredPeriods = 20;

// writeNetlist() — the transformer of `input` as the subcircuit XFMR:
// every winding a coupled inductor, the primary Lp (txtlp) and winding w
// Lp × (Nw ÷ N1)², all pairs coupled alike (the options say by what), each
// in series with its
// DC resistance from the winding table (none where the table has none);
// ports primary first, then each output, each winding start (its dot) then
// finish, with the centre tap between the halves of a forward's windings,
// named by the construction sheet's pins or numbered in that order.
// With `bench`, the converter of the design's circuit at the lowest DC
// input (txtudc), at the duty and for an RCC at the frequency the design
// check computes, each output loaded by a resistor drawing its rated
// current at the voltage its turns give (uo(r)).
//
// A design without a circuit, an output, the turns of every winding or Lp
// gives a Failure saying what is missing, and no text, as does a coupling
// factor not between 0 and 1; a bench also needs
// what the check's duty needs, a duty below 1 (below 0.5 for each switch
// of a forward) and each output's current and voltage above 0.
[[nodiscard]] Result<Netlist> writeNetlist(const check::CheckInput& input,
                                           const NetlistOptions& options);

// saveNetlist() — the netlist's text into the file at `path`, as UTF-8,
// written beside it and renamed over it so that a failure leaves the file
// as it was.
[[nodiscard]] Result<void> saveNetlist(const Netlist& netlist, const QString& path);

}  // namespace kelvane::spice
