#include "engine/spice/spice_netlist.h"

#include "engine/check/check_text.h"
#include "engine/check/design_check.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kelvane::spice {
namespace {

using sheet::Circuit;

// The bench's time: a step of at most 1/400 period gives a short on-time of
// 0.1 Ts 40 points; gate edges of 1/500 period keep the commutations
// solvable without steps of femtoseconds.
constexpr double kStepsPerPeriod = 400.0;
constexpr double kEdgesPerPeriod = 500.0;
// Start-up: 8 time constants of the slowest output leave e^-8 (3 × 10⁻⁴) of
// the start's error; at least 50 periods for the transformer's own currents.
constexpr double kSettlingTimeConstants = 8.0;
constexpr double kLeastStartPeriods = 50.0;
// A flyback output capacitor holds R C = 25 periods: a ripple of D ÷ 25,
// a few per cent, around an average that settles in 200 periods.
constexpr double kFlybackOutputPeriods = 25.0;
// Forward output chokes ripple by 20 % of the rated current.
constexpr double kChokeRipple = 0.2;
// The clamps: the flyback's at 3 Vor above the input, the push-pull's at
// 3 Vin (the idle switch already sees 2 Vin). A high clamp empties the
// leakage fast, so the primary current is the transformer's, not the clamp's.
constexpr double kClampOverVor = 3.0;
constexpr double kPushPullClampOverVin = 3.0;
// kT/q at 27 °C, the temperature ngspice simulates at unless told.
constexpr double kThermalVoltage = 0.025852;

QString number(double value) {
    return QString::number(value, 'g', 6);
}

Failure refused(const QString& why) {
    return Failure{QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "无法导出SPICE模型：")) +
                   why};
}

QString windingName(int row) {
    return row == 0 ? QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "初级"))
                    : QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "次级%1")).arg(row);
}

bool positive(double value) {
    return std::isfinite(value) && value > 0.0;
}

// What the netlist is written from, checked.
struct Design {
    Circuit circuit = Circuit::Flyback;
    bool halfBridge = false;
    double lpH = 0.0;
    std::vector<double> turns;                       // row 0 the primary
    std::vector<std::optional<double>> resistances;  // Ω, where the table has one
};

Result<Design> readDesign(const check::CheckInput& in) {
    if (!in.circuit) {
        return refused(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "未选择电路形式")));
    }
    if (in.outputs.empty()) {
        return refused(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "没有输出")));
    }
    Design design;
    design.circuit = *in.circuit;
    design.halfBridge = in.halfBridge;
    for (size_t row = 0; row <= in.outputs.size(); ++row) {
        const check::CheckWinding winding =
            row < in.windings.size() ? in.windings[row] : check::CheckWinding{};
        if (!winding.turns) {
            return refused(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "缺少%1匝数"))
                               .arg(windingName(int(row))));
        }
        if (!positive(*winding.turns)) {
            return refused(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "%1匝数为0"))
                               .arg(windingName(int(row))));
        }
        design.turns.push_back(*winding.turns);
        const std::optional<double>& ohms = winding.resistanceOhm;
        design.resistances.push_back(ohms && positive(*ohms) ? ohms : std::nullopt);
    }
    design.lpH = in.inductanceMh * 1e-3;
    if (!positive(design.lpH)) {
        return refused(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "初级电感Lp为0")));
    }
    return design;
}

// One coupled inductor of the subcircuit, between two of its ports (by
// index).
struct Coil {
    QString name;  // after the L
    int start;
    int finish;
    double turns;
    std::optional<double> ohms;
};

// A port of the subcircuit: its name and what it is.
struct Port {
    QString name;
    QString caption;
};

// The coils and the ports in order: a forward's primary of a push-pull and
// every forward secondary are centre tapped, two halves of the winding's
// turns each. The ports take the construction sheet's pin names when every
// one is a plain name (letters and digits) used once; else they are
// numbered in order.
struct Windings {
    std::vector<Coil> coils;
    std::vector<Port> ports;
    bool sheetNames = false;
    QString junction;  // the pin a sandwiched primary's halves join at, inside the model
};

Windings windingsOf(const Design& design, const std::map<int, WindingPins>& sheetPins) {
    Windings w;
    QStringList candidates;
    const auto port = [&](const QString& caption, const QString& sheetName) {
        w.ports.push_back({QString(), caption});
        candidates.append(sheetName);
        return int(w.ports.size()) - 1;
    };
    const auto addWinding = [&](const QString& name, const QString& caption, int row, bool tapped) {
        const double turns = design.turns[size_t(row)];
        const std::optional<double>& ohms = design.resistances[size_t(row)];
        const auto found = sheetPins.find(row);
        const WindingPins pins = found == sheetPins.end() ? WindingPins{} : found->second;
        if (!tapped) {
            const int start = port(caption + QStringLiteral(" start (dot)"), pins.start);
            const int finish = port(caption + QStringLiteral(" finish"), pins.finish);
            w.coils.push_back({name, start, finish, turns, ohms});
            if (row == 0 && !pins.tap.isEmpty()) {
                w.junction = pins.tap;
            }
            return;
        }
        const int start =
            port(caption + QStringLiteral(" start (dot of the first half)"), pins.start);
        const int tap =
            port(caption + QStringLiteral(" centre tap (dot of the second half)"), pins.tap);
        const int finish = port(caption + QStringLiteral(" finish"), pins.finish);
        w.coils.push_back({name + u'A', start, tap, turns, ohms});
        w.coils.push_back({name + u'B', tap, finish, turns, ohms});
    };
    const bool forward = design.circuit == Circuit::Forward;
    addWinding(QStringLiteral("P"), QStringLiteral("primary"), 0, forward && !design.halfBridge);
    for (int row = 1; row < int(design.turns.size()); ++row) {
        addWinding(QStringLiteral("S%1").arg(row), QStringLiteral("output %1").arg(row), row,
                   forward);
    }
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9]+$"));
    w.sheetNames =
        QSet<QString>(candidates.cbegin(), candidates.cend()).size() == candidates.size() &&
        std::all_of(candidates.cbegin(), candidates.cend(),
                    [](const QString& name) { return plain.match(name).hasMatch(); });
    for (size_t i = 0; i < w.ports.size(); ++i) {
        w.ports[i].name = w.sheetNames ? candidates[qsizetype(i)] : QString::number(i + 1);
    }
    return w;
}

QString circuitCaption(const Design& design) {
    switch (design.circuit) {
        case Circuit::Flyback:
            return QStringLiteral("flyback");
        case Circuit::Rcc:
            return QStringLiteral("RCC (self-oscillating flyback)");
        case Circuit::Forward:
            break;
    }
    return design.halfBridge ? QStringLiteral("forward, half bridge")
                             : QStringLiteral("forward, push-pull");
}

// The coupling factor of every two windings, and the lines that say where it
// comes from.
struct Coupling {
    double factor;
    QStringList why;
};

Result<Coupling> couplingOf(const Design& design, const Windings& w,
                            const NetlistOptions& options) {
    if (options.coupling) {
        if (!(*options.coupling > 0.0 && *options.coupling < 1.0)) {
            return refused(
                QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "耦合系数须在0与1之间")));
        }
        return Coupling{*options.coupling,
                        {QStringLiteral("* Coupling factor k = %1 between every two windings, as "
                                        "asked for.")
                             .arg(number(*options.coupling))}};
    }
    // A forward's estimate is of its whole primary, which the model winds as
    // two halves: it is left for the flyback and the RCC.
    const std::optional<double> estimated =
        options.leakageUh && design.circuit != Circuit::Forward
            ? couplingFromLeakage(*options.leakageUh * 1e-6, design.lpH, int(w.coils.size()) - 1)
            : std::nullopt;
    if (estimated) {
        return Coupling{
            *estimated,
            {QStringLiteral("* Coupling factor k = %1 between every two windings, from the")
                 .arg(number(*estimated)),
             QStringLiteral("* construction sheet's leakage estimate of %1 uH (the primary with")
                 .arg(number(*options.leakageUh)),
             QStringLiteral("* the other windings shorted).")}};
    }
    return Coupling{
        kDefaultCoupling,
        {QStringLiteral("* Coupling factor k = %1 between every two windings: the leakage of")
             .arg(number(kDefaultCoupling)),
         QStringLiteral("* a typical wound transformer (1 - k^2 of Lp); the construction"),
         QStringLiteral("* sheet's leakage estimate serves a flyback or RCC only.")}};
}

void appendSubcircuit(QStringList& lines, const Design& design, const Windings& w,
                      const Coupling& k) {
    const double coupling = k.factor;
    lines << QStringLiteral("*")
          << QStringLiteral("* The transformer: every winding a coupled inductor, the primary")
          << QStringLiteral("* Lp = %1 H, a winding of N turns Lp (N / N1)^2.")
                 .arg(number(design.lpH))
          << k.why
          << QStringLiteral("* Resistances: each winding's DC resistance from the winding table;")
          << QStringLiteral("* the AC part (skin and proximity effect) is left out.")
          << (w.sheetNames ? QStringLiteral("* Pins, as the construction sheet numbers them:")
                           : QStringLiteral("* Pins:"));
    QStringList names;
    for (const Port& port : w.ports) {
        lines << QStringLiteral("*   %1 %2").arg(port.name, port.caption);
        names << port.name;
    }
    if (w.sheetNames && !w.junction.isEmpty()) {
        lines << QStringLiteral(
                     "* The sandwiched primary's halves join at pin %1, inside the model.")
                     .arg(w.junction);
    }
    lines << QStringLiteral(".subckt XFMR ") + names.join(u' ');
    const double n1 = design.turns[0];
    for (const Coil& coil : w.coils) {
        const double henries = design.lpH * (coil.turns / n1) * (coil.turns / n1);
        const QString& start = w.ports[size_t(coil.start)].name;
        const QString& finish = w.ports[size_t(coil.finish)].name;
        if (coil.ohms) {
            // Not a plain name: no pin can be called so.
            const QString inner = coil.name.toLower() + QStringLiteral("_r");
            lines
                << QStringLiteral("L%1 %2 %3 %4").arg(coil.name, start, inner, number(henries))
                << QStringLiteral("R%1 %2 %3 %4").arg(coil.name, inner, finish, number(*coil.ohms));
        } else {
            lines << QStringLiteral("L%1 %2 %3 %4").arg(coil.name, start, finish, number(henries));
        }
    }
    int pair = 0;
    for (size_t i = 0; i < w.coils.size(); ++i) {
        for (size_t j = i + 1; j < w.coils.size(); ++j) {
            lines << QStringLiteral("K%1 L%2 L%3 %4")
                         .arg(++pair)
                         .arg(w.coils[i].name, w.coils[j].name, number(coupling));
        }
    }
    lines << QStringLiteral(".ends XFMR");
}

// What the bench takes of the design check.
struct Operation {
    double duty = 0.0;
    double frequencyHz = 0.0;
    double vorV = 0.0;
    std::vector<double> outputV;  // uo(r)
};

// The value of a check item, or why it has none.
Result<double> checked(const check::CheckResult& result, const QString& id) {
    const check::CheckItem* item = check::itemById(result, id);
    if (item == nullptr || !item->value) {
        return refused(item == nullptr ? id : item->sentence);
    }
    return *item->value;
}

Result<Operation> operationOf(const check::CheckInput& in, const Design& design) {
    const check::CheckResult result = check::runCheck(in);
    Operation op;
    const Result<double> duty = checked(result, QStringLiteral("duty"));
    if (!duty) {
        return duty.failure();
    }
    op.duty = duty.value();
    const bool forward = design.circuit == Circuit::Forward;
    if (forward && !(op.duty < 0.5)) {
        return refused(
            QStringLiteral(QT_TRANSLATE_NOOP(
                               "kelvane::messages",
                               "以此匝比每个开关的占空比需%1，两个开关的导通将重叠（须小于0.5）"))
                .arg(check::significantText(op.duty)));
    }
    if (!(op.duty > 0.0 && op.duty < 1.0)) {
        return refused(
            QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "占空比%1不在0与1之间"))
                .arg(check::significantText(op.duty)));
    }
    if (design.circuit == Circuit::Rcc) {
        const Result<double> kHz = checked(result, QStringLiteral("frequency"));
        if (!kHz) {
            return kHz.failure();
        }
        op.frequencyHz = kHz.value() * 1000.0;
    } else {
        op.frequencyHz = in.frequencyKHz * 1000.0;
    }
    if (!positive(op.frequencyHz)) {
        return refused(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "频率F为0")));
    }
    if (!forward) {
        const Result<double> vor = checked(result, QStringLiteral("vor"));
        if (!vor) {
            return vor.failure();
        }
        op.vorV = vor.value();
    }
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        const int row = int(r) + 1;
        const Result<double> volts = checked(result, QStringLiteral("uo(%1)").arg(row));
        if (!volts) {
            return volts.failure();
        }
        if (!positive(volts.value())) {
            return refused(
                QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "输出%1电压不大于0"))
                    .arg(row));
        }
        if (!positive(in.outputs[r].ioA)) {
            return refused(
                QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "输出%1电流为0")).arg(row));
        }
        op.outputV.push_back(volts.value());
    }
    return op;
}

// A rectifier of output r: a diode whose drop at the rated current is the
// design's Ud, I = Is e^(U / Vt), so Is = Io e^(−Ud / Vt).
QString rectifierModel(int row, const check::CheckOutput& output) {
    const double drop = std::max(output.udV, 0.0);
    return QStringLiteral(".model RECT%1 D(IS=%2)")
        .arg(row)
        .arg(number(output.ioA * std::exp(-drop / kThermalVoltage)));
}

QString pulse(double delayS, double edgeS, double widthS, double periodS) {
    return QStringLiteral("PULSE(0 1 %1 %2 %2 %3 %4)")
        .arg(number(delayS), number(edgeS), number(widthS), number(periodS));
}

// Each output's filter and load: a resistor drawing the rated current at
// uo(r); a flyback's capacitor of R C = 25 periods; a forward's choke for
// 20 % ripple and a capacitor damping it to Q = R √(C ÷ L) = 1, whose
// envelope decays with 2Q √(L C) = 2 L ÷ R.
struct Output {
    double loadOhm;
    double capacitanceF;
    double chokeH;  // forward only
    double timeConstantS;
};

// The bench's numbers: the gate of the first switch (the switch is on for
// its flat top and one edge, D Ts), the outputs, the run's length.
struct Bench {
    double periodS;
    double edgeS;
    double widthS;
    std::vector<Output> outputs;
    BenchPlan plan;
};

Bench benchOf(const check::CheckInput& in, const Design& design, const Operation& op) {
    Bench bench;
    bench.periodS = 1.0 / op.frequencyHz;
    bench.edgeS = bench.periodS / kEdgesPerPeriod;
    bench.widthS = op.duty * bench.periodS - bench.edgeS;
    double slowestS = 0.0;
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        Output out{};
        out.loadOhm = op.outputV[r] / in.outputs[r].ioA;
        if (design.circuit == Circuit::Forward) {
            const double secondaryV = in.vinV * design.turns[r + 1] / design.turns[0];
            out.chokeH = (secondaryV - op.outputV[r] - in.outputs[r].udV) * op.duty *
                         bench.periodS / (kChokeRipple * in.outputs[r].ioA);
            out.capacitanceF = out.chokeH / (out.loadOhm * out.loadOhm);
            out.timeConstantS = 2.0 * out.chokeH / out.loadOhm;
        } else {
            out.capacitanceF = kFlybackOutputPeriods * bench.periodS / out.loadOhm;
            out.timeConstantS = out.loadOhm * out.capacitanceF;
        }
        slowestS = std::max(slowestS, out.timeConstantS);
        bench.outputs.push_back(out);
    }
    // Whole periods, so that the measures' window starts at a turn-on.
    const double startPeriods = std::ceil(
        std::max(kSettlingTimeConstants * slowestS / bench.periodS, kLeastStartPeriods) - 1e-9);
    // The plan holds the times as the netlist writes them, so that what is
    // read back of a run lines up with them.
    const auto written = [](double seconds) { return number(seconds).toDouble(); };
    bench.plan.periodS = written(bench.periodS);
    bench.plan.stepS = written(bench.periodS / kStepsPerPeriod);
    bench.plan.measureFromS = written(startPeriods * bench.periodS);
    bench.plan.stopS = written((startPeriods + kMeasuredPeriods) * bench.periodS);
    bench.plan.outputCount = int(in.outputs.size());
    return bench;
}

void appendOutput(QStringList& lines, int row, const QString& rectified, const Output& out,
                  double volts) {
    if (out.chokeH > 0.0) {
        lines << QStringLiteral("LF%1 %2 o%1 %3").arg(row).arg(rectified, number(out.chokeH));
    }
    lines << QStringLiteral("C%1 o%1 0 %2 IC=%3")
                 .arg(row)
                 .arg(number(out.capacitanceF), number(volts))
          << QStringLiteral("R%1 o%1 0 %2").arg(row).arg(number(out.loadOhm));
}

// The flyback and the RCC: the primary from the input through the sensor
// VIP to the switch, each secondary's dot on the return so that it conducts
// while the switch is off; the clamp takes the leakage's current when the
// switch opens.
void appendFlyback(QStringList& lines, const check::CheckInput& in, const Operation& op,
                   const Bench& bench) {
    QStringList pins{QStringLiteral("p"), QStringLiteral("d")};
    for (size_t r = 1; r <= in.outputs.size(); ++r) {
        pins << QStringLiteral("0") << QStringLiteral("a%1").arg(r);
    }
    lines << QStringLiteral("VIN in 0 DC %1").arg(number(in.vinV))
          << QStringLiteral("VIP in p DC 0")
          << QStringLiteral("XT ") + pins.join(u' ') + QStringLiteral(" XFMR")
          << QStringLiteral("SW d 0 g 0 SWITCH")
          << QStringLiteral("VG g 0 ") + pulse(0.0, bench.edgeS, bench.widthS, bench.periodS)
          << QStringLiteral("DCL d cl CLAMP")
          << QStringLiteral("VCL cl in DC %1").arg(number(kClampOverVor * op.vorV));
    double power = 0.0;
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        const int row = int(r) + 1;
        power += (op.outputV[r] + in.outputs[r].udV) * in.outputs[r].ioA;
        lines << QStringLiteral("D%1 a%1 o%1 RECT%1").arg(row);
        appendOutput(lines, row, QString(), bench.outputs[r], op.outputV[r]);
    }
    // The check's input power is the outputs' over η; the rest of it is
    // drawn beside output 1, so the primary carries what the design's does.
    if (in.efficiency > 0.0 && in.efficiency < 1.0) {
        const double lossA =
            (1.0 / in.efficiency - 1.0) * power / (op.outputV[0] + in.outputs[0].udV);
        lines << QStringLiteral("RLOSS o1 0 %1").arg(number(op.outputV[0] / lossA));
    }
}

// Push-pull (the centre tap at the input, a switch at each end, VIP in the
// first half) or half bridge (the primary from the switched node through
// VIP to the mid-point of a bus of 2 Vin, whose switches' body diodes take
// the leakage's current back to the bus); the second switch half a period
// after the first, the first on-time halved so that the magnetising current
// swings symmetrically from the start. Each secondary's centre tap on the
// return, both ends rectified into the choke.
void appendForward(QStringList& lines, const check::CheckInput& in, const Design& design,
                   const Operation& op, const Bench& bench) {
    QStringList pins;
    QStringList stage;
    if (design.halfBridge) {
        pins << QStringLiteral("p") << QStringLiteral("in");
        stage << QStringLiteral("VBUS bus 0 DC %1").arg(number(2.0 * in.vinV))
              << QStringLiteral("SA bus h ga 0 SWITCH") << QStringLiteral("SB h 0 gb 0 SWITCH")
              << QStringLiteral("DA h bus BODY") << QStringLiteral("DB 0 h BODY")
              << QStringLiteral("VIP h p DC 0");
    } else {
        pins << QStringLiteral("pa") << QStringLiteral("in") << QStringLiteral("db");
        stage << QStringLiteral("VIP pa da DC 0") << QStringLiteral("SA da 0 ga 0 SWITCH")
              << QStringLiteral("SB db 0 gb 0 SWITCH") << QStringLiteral("DA 0 da BODY")
              << QStringLiteral("DB 0 db BODY") << QStringLiteral("DCA da cl CLAMP")
              << QStringLiteral("DCB db cl CLAMP")
              << QStringLiteral("VCL cl 0 DC %1").arg(number(kPushPullClampOverVin * in.vinV));
    }
    for (size_t r = 1; r <= in.outputs.size(); ++r) {
        pins << QStringLiteral("a%1").arg(r) << QStringLiteral("0") << QStringLiteral("b%1").arg(r);
    }
    lines << QStringLiteral("VIN in 0 DC %1").arg(number(in.vinV))
          << QStringLiteral("XT ") + pins.join(u' ') + QStringLiteral(" XFMR") << stage
          << QStringLiteral("VGA1 ga1 0 ") + pulse(0.0, bench.edgeS, bench.widthS, bench.periodS)
          << QStringLiteral("VGA ga ga1 PULSE(0 -1 0 %1 %1 %2 %3)")
                 .arg(number(bench.edgeS), number(bench.widthS / 2.0),
                      number(2.0 * bench.plan.stopS))
          << QStringLiteral("VGB gb 0 ") +
                 pulse(bench.periodS / 2.0, bench.edgeS, bench.widthS, bench.periodS);
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        const int row = int(r) + 1;
        lines << QStringLiteral("D%1A a%1 k%1 RECT%1").arg(row)
              << QStringLiteral("D%1B b%1 k%1 RECT%1").arg(row);
        appendOutput(lines, row, QStringLiteral("k%1").arg(row), bench.outputs[r], op.outputV[r]);
    }
}

void appendBench(QStringList& lines, const check::CheckInput& in, const Design& design,
                 const Operation& op, const Bench& bench) {
    const bool forward = design.circuit == Circuit::Forward;
    const BenchPlan& plan = bench.plan;
    lines << QStringLiteral("*")
          << QStringLiteral("* Test bench: the %1 at the lowest DC input, %2 V, switched at")
                 .arg(circuitCaption(design), number(in.vinV))
          << QStringLiteral("* %1 kHz with the duty %2%3, as the design check computes.")
                 .arg(number(op.frequencyHz / 1000.0), number(op.duty),
                      forward ? QStringLiteral(" of each switch") : QString())
          << QStringLiteral("* Each output: a rectifier whose drop at the rated current is Ud,")
          << (forward ? QStringLiteral("* a choke for 20 % ripple, a capacitor for Q = 1,")
                      : QStringLiteral("* a capacitor of R C = 25 periods,"))
          << QStringLiteral("* a resistor drawing the rated current at the voltage the turns give.")
          << (forward ? design.halfBridge
                            ? QStringLiteral("* Clamp: the switches' body diodes return the "
                                             "leakage energy to the bus.")
                            : QStringLiteral("* Clamp: diodes from the switches to 3 Vin take the "
                                             "leakage energy.")
                      : QStringLiteral("* Clamp: a diode from the switch to Vin + 3 Vor takes the "
                                       "leakage energy."))
          << QStringLiteral(
                 "* Start-up from the outputs' voltages: 8 time constants of the slowest")
          << QStringLiteral("* output, at least 50 periods; then %1 periods measured; time step at")
                 .arg(kMeasuredPeriods)
          << QStringLiteral("* most 1/400 period.");
    if (forward) {
        appendForward(lines, in, design, op, bench);
    } else {
        appendFlyback(lines, in, op, bench);
    }
    lines << QStringLiteral(".model SWITCH SW(RON=1m ROFF=1e9 VT=0.5 VH=0.1)")
          << QStringLiteral(".model CLAMP D(IS=1e-12)");
    if (forward) {
        lines << QStringLiteral(".model BODY D(IS=1e-12)");
    }
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        lines << rectifierModel(int(r) + 1, in.outputs[r]);
    }
    // Gear's method: the trapezoid rings at the switch's edges. The clamp
    // works at hundreds of volts, where the default tolerance (10⁻³ of the
    // node voltage) would let its diode's voltage be off by half a volt and
    // its current by amperes.
    lines << QStringLiteral(".options METHOD=GEAR RELTOL=1e-4");
    QStringList saved{QStringLiteral("i(VIP)")};
    for (int row = 1; row <= plan.outputCount; ++row) {
        saved << QStringLiteral("v(o%1)").arg(row);
    }
    lines << QStringLiteral(".save ") + saved.join(u' ')
          << QStringLiteral(".tran %1 %2 %3 %1 UIC")
                 .arg(number(plan.stepS), number(plan.stopS), number(plan.measureFromS));
    const QString window =
        QStringLiteral("from=%1 to=%2").arg(number(plan.measureFromS), number(plan.stopS));
    lines << QStringLiteral(".meas tran ipk MAX i(VIP) ") + window
          << QStringLiteral(".meas tran irms RMS i(VIP) ") + window;
    for (int row = 1; row <= plan.outputCount; ++row) {
        lines << QStringLiteral(".meas tran vo%1 AVG v(o%1) ").arg(row) + window;
    }
}

}  // namespace

Result<Netlist> writeNetlist(const check::CheckInput& input, const NetlistOptions& options) {
    const Result<Design> read = readDesign(input);
    if (!read) {
        return read.failure();
    }
    const Design& design = read.value();
    const Windings w = windingsOf(design, options.pins);
    const Result<Coupling> coupling = couplingOf(design, w, options);
    if (!coupling) {
        return coupling.failure();
    }
    QStringList lines;
    lines << QStringLiteral("* Kelvane transformer model: %1")
                 .arg(options.designName.isEmpty() ? QStringLiteral("unsaved design")
                                                   : options.designName)
          << QStringLiteral("* Circuit: %1").arg(circuitCaption(design));
    if (!input.coreName.isEmpty()) {
        lines << QStringLiteral("* Core: %1").arg(input.coreName);
    }
    appendSubcircuit(lines, design, w, coupling.value());
    Netlist netlist;
    if (options.bench) {
        const Result<Operation> operation = operationOf(input, design);
        if (!operation) {
            return operation.failure();
        }
        const Bench bench = benchOf(input, design, operation.value());
        appendBench(lines, input, design, operation.value(), bench);
        netlist.bench = bench.plan;
    }
    lines << QStringLiteral(".end");
    netlist.text = lines.join(u'\n') + u'\n';
    return netlist;
}

std::optional<double> couplingFromLeakage(double leakageH, double lpH, int others) {
    const double x = leakageH / lpH;
    if (!(x > 0.0 && x < 1.0) || others < 1) {
        return std::nullopt;
    }
    const double n = others;
    const double b = (1.0 - x) * (n - 1.0);
    return (b + std::sqrt(b * b + 4.0 * n * (1.0 - x))) / (2.0 * n);
}

Result<void> saveNetlist(const Netlist& netlist, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(netlist.text.toUtf8()) < 0 ||
        !file.commit()) {
        return Failure{QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "无法写入%1：%2"))
                           .arg(path, file.errorString())};
    }
    return {};
}

}  // namespace kelvane::spice
