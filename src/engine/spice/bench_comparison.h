#pragma once

#include "engine/check/design_check.h"
#include "engine/spice/ngspice_run.h"

#include <QString>

#include <optional>
#include <vector>

namespace kelvane::spice {

// An output of a simulated bench beside its design value Uo and the check's
// uo(r), the simulated voltage judged by the rule of uo(r).
struct OutputComparison {
    QString caption;  // 输出1, 输出2, …
    double targetV = 0.0;
    std::optional<double> checkedV;
    std::optional<double> simulatedV;
    check::Verdict verdict = check::Verdict::Info;  // of the simulated voltage
};

// A simulated bench beside the design check of the design it was built
// from: one line on the primary currents, and each output.
struct BenchComparison {
    QString summary;
    std::vector<OutputComparison> outputs;
};

// compareBench() — `simulation` of the bench of `input` beside the check of
// `input`. The summary gives the simulated peak and rms primary currents
// with the check's (a forward's check has no peak; a push-pull's current is
// that of one half of the primary), or, for an incomplete simulation, what
// ngspice reported.
[[nodiscard]] BenchComparison compareBench(const check::CheckInput& input,
                                           const Simulation& simulation);

}  // namespace kelvane::spice
