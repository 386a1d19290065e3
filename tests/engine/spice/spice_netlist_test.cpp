#include "engine/spice/spice_netlist.h"

#include "../check/check_designs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <functional>

namespace kelvane::spice {
namespace {

using check::CheckInput;

CheckInput design(const char* name) {
    const QMap<QString, CheckInput> designs = check::testing::workedDesigns();
    EXPECT_TRUE(designs.contains(QString::fromLatin1(name))) << name;
    return designs.value(QString::fromLatin1(name));
}

Netlist written(const CheckInput& in, bool bench) {
    NetlistOptions options;
    options.bench = bench;
    const Result<Netlist> netlist = writeNetlist(in, options);
    EXPECT_TRUE(netlist.ok()) << (netlist.ok() ? "" : netlist.failure().text.toStdString());
    return netlist.ok() ? netlist.value() : Netlist{};
}

// The element lines by name, each split at its blanks (the name first).
QMap<QString, QStringList> elements(const QString& text) {
    QMap<QString, QStringList> lines;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(u'*') && !line.startsWith(u'.')) {
            const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
            EXPECT_FALSE(lines.contains(fields[0]))
                << "two elements named " << fields[0].toStdString();
            lines.insert(fields[0], fields);
        }
    }
    return lines;
}

double valueOf(const QMap<QString, QStringList>& lines, const QString& name, int field) {
    EXPECT_TRUE(lines.contains(name)) << name.toStdString();
    return lines.value(name).value(field).toDouble();
}

// clang-format off
struct Refusal {
    const char* what;
    const char* design;
    bool bench;
    std::function<void(CheckInput&)> change;
    const char* message;
};

const Refusal kRefusals[] = {
    {"no circuit", "ccm", false, [](CheckInput& in) { in.circuit.reset(); },
     "无法导出SPICE模型：未选择电路形式"},
    {"no outputs", "ccm", false, [](CheckInput& in) { in.outputs.clear(); in.windings.resize(1); },
     "无法导出SPICE模型：没有输出"},
    {"no primary turns", "ccm", false, [](CheckInput& in) { in.windings[0].turns.reset(); },
     "无法导出SPICE模型：缺少初级匝数"},
    // The third output of three: every winding is checked, not only the first two.
    {"an output of 0 turns", "three", false, [](CheckInput& in) { in.windings[3].turns = 0.0; },
     "无法导出SPICE模型：次级3匝数为0"},
    {"Lp 0", "ccm", false, [](CheckInput& in) { in.inductanceMh = 0.0; },
     "无法导出SPICE模型：初级电感Lp为0"},
    // The forward's design gives no Lp of its own: its table row has 0.
    {"a forward without Lp", "pushpull", false, [](CheckInput&) {},
     "无法导出SPICE模型：初级电感Lp为0"},
    {"a coupling of 1", "ccm", false, [](CheckInput&) {}, nullptr},
    // The bench takes the check's reason for a missing duty.
    {"bench without Udc", "ccm", true, [](CheckInput& in) { in.vinV = 0.0; },
     "无法导出SPICE模型：输入电压Udc为0"},
    // 10 × 13 ÷ (2 × 100) = 0.65: the two switches' on-times would overlap.
    {"forward duty 0.65", "spice_pp", true, [](CheckInput& in) { in.vinV = 100.0; },
     "无法导出SPICE模型：以此匝比每个开关的占空比需0.650，两个开关的导通将重叠（须小于0.5）"},
    {"an output without current", "three", true, [](CheckInput& in) { in.outputs[1].ioA = 0.0; },
     "无法导出SPICE模型：输出2电流为0"},
    {"bench without frequency", "spice_pp", true, [](CheckInput& in) { in.frequencyKHz = 0.0; },
     "无法导出SPICE模型：频率F为0"},
};
// clang-format on

// A design that cannot be simulated says why, and gives no netlist.
TEST(SpiceNetlistTest, IncompleteDesignsGiveAReasonAndNoNetlist) {
    for (const Refusal& refusal : kRefusals) {
        SCOPED_TRACE(refusal.what);
        CheckInput in = design(refusal.design);
        refusal.change(in);
        NetlistOptions options;
        options.bench = refusal.bench;
        if (refusal.message == nullptr) {
            options.coupling = 1.0;
        }
        const Result<Netlist> netlist = writeNetlist(in, options);
        ASSERT_FALSE(netlist.ok());
        EXPECT_EQ(netlist.failure().text.toStdString(),
                  refusal.message == nullptr ? "无法导出SPICE模型：耦合系数须在0与1之间"
                                             : refusal.message);
    }
}

// Three outputs on 40:8:4:17 turns, Lp 1 mH: each winding Lp (N ÷ 40)²,
// all six pairs coupled, a resistor only where the table has one.
TEST(SpiceNetlistTest, TheTransformerIsCoupledInductorsWithTheirResistances) {
    CheckInput in = design("three");
    in.windings[0].resistanceOhm = 0.8;
    in.windings[2].resistanceOhm = 0.02;
    const Netlist netlist = written(in, false);
    EXPECT_FALSE(netlist.bench);
    const QMap<QString, QStringList> lines = elements(netlist.text);
    EXPECT_TRUE(netlist.text.contains(QStringLiteral("\n.subckt XFMR 1 2 3 4 5 6 7 8\n")));
    const struct {
        const char* coil;
        double henries;
    } coils[] = {{"LP", 1e-3}, {"LS1", 4e-5}, {"LS2", 1e-5}, {"LS3", 1.80625e-4}};
    for (const auto& coil : coils) {
        EXPECT_NEAR(valueOf(lines, QString::fromLatin1(coil.coil), 3), coil.henries,
                    coil.henries * 1e-6)
            << coil.coil;
    }
    // The primary from pin 1 through its resistance to pin 2; output 1 has
    // none, so its coil joins pins 3 and 4.
    EXPECT_EQ(lines.value(QStringLiteral("LP")).mid(1, 2), QStringList({"1", "p_r"}));
    EXPECT_EQ(lines.value(QStringLiteral("RP")), QStringList({"RP", "p_r", "2", "0.8"}));
    EXPECT_EQ(lines.value(QStringLiteral("LS1")).mid(1, 2), QStringList({"3", "4"}));
    EXPECT_EQ(lines.value(QStringLiteral("RS2")), QStringList({"RS2", "s2_r", "6", "0.02"}));
    EXPECT_FALSE(lines.contains(QStringLiteral("RS1")));
    EXPECT_FALSE(lines.contains(QStringLiteral("RS3")));
    int pairs = 0;
    for (const QStringList& line : lines) {
        if (line[0].startsWith(u'K')) {
            ++pairs;
            EXPECT_EQ(line.value(3), QStringLiteral("0.99"));
        }
    }
    EXPECT_EQ(pairs, 6);
    EXPECT_TRUE(netlist.text.contains(QStringLiteral("k = 0.99")));
    EXPECT_TRUE(netlist.text.endsWith(QStringLiteral(".ends XFMR\n.end\n")));
}

// Push-pull: the primary and the secondary centre tapped, each half of the
// winding's turns; half bridge: one primary, a tapped secondary.
TEST(SpiceNetlistTest, ForwardWindingsAreCentreTapped) {
    const QMap<QString, QStringList> pushPull = elements(written(design("spice_pp"), true).text);
    EXPECT_EQ(pushPull.value(QStringLiteral("XT")),
              QStringList({"XT", "pa", "in", "db", "a1", "0", "b1", "XFMR"}));
    EXPECT_EQ(pushPull.value(QStringLiteral("LPA")).mid(1, 3), QStringList({"1", "2", "0.003"}));
    EXPECT_EQ(pushPull.value(QStringLiteral("LPB")).mid(1, 3), QStringList({"2", "3", "0.003"}));
    EXPECT_EQ(pushPull.value(QStringLiteral("LS1A")).mid(1, 3), QStringList({"4", "5", "3e-05"}));
    EXPECT_EQ(pushPull.value(QStringLiteral("LS1B")).mid(1, 3), QStringList({"5", "6", "3e-05"}));
    EXPECT_TRUE(pushPull.contains(QStringLiteral("K6")));
    EXPECT_FALSE(pushPull.contains(QStringLiteral("K7")));
    // The clamp at 3 Vin; the idle switch alone sees 2 Vin.
    EXPECT_EQ(valueOf(pushPull, QStringLiteral("VCL"), 4), 900.0);

    const QMap<QString, QStringList> halfBridge = elements(written(design("spice_hb"), true).text);
    EXPECT_EQ(halfBridge.value(QStringLiteral("XT")),
              QStringList({"XT", "p", "in", "a1", "0", "b1", "XFMR"}));
    EXPECT_EQ(valueOf(halfBridge, QStringLiteral("VBUS"), 4), 300.0);
    EXPECT_FALSE(halfBridge.contains(QStringLiteral("VCL")));
}

// The flyback bench of "three" (100 V, 50 kHz, η 0.8): D = 62.5 ÷ 162.5;
// loads at uo(r) = 12, 5.75, 25.5625 V drawing 2, 1, 0.5 A; RC = 25 Ts; the
// losses η stands for, 0.25 × 44.53125 W from 12.5 V, drawn beside output 1;
// the clamp at 3 Vor = 187.5 V; Ud at the rated current, Is = Io e^(−Ud/Vt).
TEST(SpiceNetlistTest, TheFlybackBenchLoadsEachOutputAtItsRatedCurrent) {
    const Netlist netlist = written(design("three"), true);
    const QMap<QString, QStringList> lines = elements(netlist.text);
    EXPECT_EQ(lines.value(QStringLiteral("XT")),
              QStringList({"XT", "p", "d", "0", "a1", "0", "a2", "0", "a3", "XFMR"}));
    EXPECT_EQ(valueOf(lines, QStringLiteral("VIN"), 4), 100.0);
    const double periodS = 20e-6;
    const double duty = 62.5 / 162.5;
    // PULSE(0 1 0 edge edge width period): on for the width and one edge.
    const QStringList gate = lines.value(QStringLiteral("VG"));
    EXPECT_EQ(gate.value(3), QStringLiteral("PULSE(0"));
    EXPECT_NEAR(gate.value(6).toDouble() + gate.value(8).toDouble(), duty * periodS, 1e-11);
    EXPECT_NEAR(gate.value(9).chopped(1).toDouble(), periodS, 1e-12);
    const double volts[] = {12.0, 5.75, 25.5625};
    const double amps[] = {2.0, 1.0, 0.5};
    for (int r = 0; r < 3; ++r) {
        const QString row = QString::number(r + 1);
        const double load = valueOf(lines, u'R' + row, 3);
        EXPECT_NEAR(load, volts[r] / amps[r], 1e-4) << row.toStdString();
        EXPECT_NEAR(valueOf(lines, u'C' + row, 3) * load, 25.0 * periodS, 1e-9);
        EXPECT_EQ(lines.value(u'C' + row).value(4),
                  QStringLiteral("IC=") + QString::number(volts[r]));
    }
    EXPECT_NEAR(valueOf(lines, QStringLiteral("RLOSS"), 3), 12.0 / 0.890625, 1e-3);
    EXPECT_EQ(valueOf(lines, QStringLiteral("VCL"), 4), 187.5);
    EXPECT_TRUE(netlist.text.contains(QStringLiteral(".model RECT1 D(IS=7.96893e-09)")));
    EXPECT_TRUE(netlist.text.contains(QStringLiteral(".model RECT3 D(IS=7.93797e-18)")));
    EXPECT_TRUE(netlist.text.contains(
        QStringLiteral(".meas tran vo3 AVG v(o3) from=0.004 to=0.0044\n.end\n")));
    // η 1: no losses to draw.
    EXPECT_FALSE(
        elements(written(design("spice_ccm1"), true).text).contains(QStringLiteral("RLOSS")));
}

// The run's length: 8 time constants of the slowest output in whole
// periods, at least 50, then the 20 measured; a step of Ts ÷ 400. The plan
// holds each time as the netlist writes it.
// clang-format off
struct PlanCase {
    const char* design;
    double periodS;
    double startPeriods;
};
const PlanCase kPlans[] = {
    {"spice_ccm3", 1.0 / 65e3, 200.0},  // R C = 25 Ts for every output
    // RCC at Vin D ÷ (Lp Ipk) = 150 × 2/7 ÷ (2 mH × 0.28 A) = 76.5306 kHz.
    {"spice_rcc", 2e-3 * 0.28 / (150.0 * 2.0 / 7.0), 200.0},
    // Push-pull: Lf = 17 V × 0.216667 × 10 µs ÷ 1 A = 36.8 µH, R = 2.4 Ω,
    // 2 L ÷ R = 3.07 Ts; 8 of them are 24.6 Ts: the floor of 50 holds.
    {"spice_pp", 10e-6, 50.0},
};
// clang-format on

TEST(SpiceNetlistTest, TheRunSettlesForEightOutputTimeConstantsThenMeasuresTwentyPeriods) {
    for (const PlanCase& plan : kPlans) {
        SCOPED_TRACE(plan.design);
        const Netlist netlist = written(design(plan.design), true);
        ASSERT_TRUE(netlist.bench);
        const BenchPlan& bench = *netlist.bench;
        // Six significant digits, as the netlist writes them.
        const auto expectTime = [](double seconds, double expected) {
            EXPECT_NEAR(seconds, expected, expected * 5e-6);
        };
        expectTime(bench.periodS, plan.periodS);
        expectTime(bench.stepS, plan.periodS / 400.0);
        expectTime(bench.measureFromS, plan.startPeriods * plan.periodS);
        expectTime(bench.stopS, (plan.startPeriods + 20.0) * plan.periodS);
        const QString tran =
            QStringLiteral(".tran %1 %2 %3 %1 UIC")
                .arg(QString::number(bench.stepS, 'g', 6), QString::number(bench.stopS, 'g', 6),
                     QString::number(bench.measureFromS, 'g', 6));
        EXPECT_TRUE(netlist.text.contains(tran)) << tran.toStdString();
    }
}

// The forward's choke for 20 % ripple and its capacitor for Q = 1; the first
// switch's first on-time halved by the one-off pulse of VGA.
TEST(SpiceNetlistTest, TheForwardBenchFiltersEachOutputWithAChoke) {
    const QMap<QString, QStringList> lines = elements(written(design("spice_pp"), true).text);
    EXPECT_NEAR(valueOf(lines, QStringLiteral("LF1"), 3), 36.8333e-6, 1e-10);
    EXPECT_NEAR(valueOf(lines, QStringLiteral("C1"), 3), 36.8333e-6 / (2.4 * 2.4), 1e-10);
    EXPECT_EQ(lines.value(QStringLiteral("D1A")).mid(1, 2), QStringList({"a1", "k1"}));
    EXPECT_EQ(lines.value(QStringLiteral("D1B")).mid(1, 2), QStringList({"b1", "k1"}));
    const QStringList once = lines.value(QStringLiteral("VGA"));
    const QStringList train = lines.value(QStringLiteral("VGA1"));
    EXPECT_EQ(once.mid(1, 3), QStringList({"ga", "ga1", "PULSE(0"}));
    EXPECT_NEAR(once.value(8).toDouble() * 2.0, train.value(8).toDouble(), 2e-11);
    // Its period outlasts the run: it happens once.
    EXPECT_GT(once.value(9).chopped(1).toDouble(), 70 * 10e-6);
    // The second switch half a period later.
    EXPECT_EQ(lines.value(QStringLiteral("VGB")).value(5), QStringLiteral("5e-06"));
}

// The ports take the construction sheet's pins: the sandwiched primary
// from 1 to 7 (its halves joined at 2, inside the model), the outputs on
// 3—4, 5—6, 8—9; a forward's taps in the middle. Pins used twice, or not
// plain names, leave the ports numbered in order.
TEST(SpiceNetlistTest, ThePortsAreTheConstructionSheetsPins) {
    const auto subcircuit = [](const char* name, std::map<int, WindingPins> pins) {
        NetlistOptions options;
        options.pins = std::move(pins);
        const Result<Netlist> netlist = writeNetlist(design(name), options);
        EXPECT_TRUE(netlist.ok());
        return netlist.value().text;
    };
    const QString flyback = subcircuit(
        "three",
        {{0, {"1", "2", "7"}}, {1, {"3", "", "4"}}, {2, {"5", "", "6"}}, {3, {"8", "", "9"}}});
    EXPECT_TRUE(flyback.contains(QStringLiteral("\n.subckt XFMR 1 7 3 4 5 6 8 9\nLP 1 7 0.001\n")));
    EXPECT_TRUE(flyback.contains(QStringLiteral("*   7 primary finish\n")));
    EXPECT_TRUE(flyback.contains(QStringLiteral("halves join at pin 2, inside the model")));
    EXPECT_TRUE(subcircuit("spice_pp", {{0, {"1", "2", "3"}}, {1, {"A4", "A5", "A6"}}})
                    .contains(QStringLiteral(".subckt XFMR 1 2 3 A4 A5 A6\n")));
    const QString numbered[] = {
        subcircuit("spice_ccm1", {{0, {"1", "", "2"}}, {1, {"2", "", "3"}}}),
        subcircuit("spice_ccm1", {{0, {"1", "", "2"}}, {1, {"3", "", "4-5"}}}),
        subcircuit("spice_ccm1", {{0, {"1", "", "2"}}}),
    };
    for (const QString& text : numbered) {
        EXPECT_TRUE(text.contains(QStringLiteral(".subckt XFMR 1 2 3 4\n")));
        EXPECT_TRUE(text.contains(QStringLiteral("* Pins:\n")));
    }
}

// The coupling factor the leakage of the primary with the others shorted
// gives: each row's x worked out forwards from its k by
// x = 1 − n k² ÷ (1 + (n − 1) k), which the function must invert.
TEST(SpiceNetlistTest, TheLeakageEstimateGivesTheCouplingFactor) {
    // clang-format off
    const struct {
        double leakageUh;
        int others;
        std::optional<double> k;
    } rows[] = {
        {19.9, 1, 0.99},        // 1 − 0.99² = 0.0199 of 1 mH
        {29.899, 2, 0.98},      // 1 − 2 × 0.9604 ÷ 1.98
        {6.664, 3, 0.995},      // 1 − 3 × 0.990025 ÷ 2.99
        {0.0, 1, std::nullopt},     // no leakage: no k below 1
        {1000.0, 1, std::nullopt},  // all of Lp: no coupling
        {19.9, 0, std::nullopt},    // nothing to couple to
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.leakageUh);
        const std::optional<double> k = couplingFromLeakage(row.leakageUh * 1e-6, 1e-3, row.others);
        ASSERT_EQ(k.has_value(), row.k.has_value());
        if (k) {
            EXPECT_NEAR(*k, *row.k, 2e-5);
        }
    }
}

// Without a coupling factor of its own the netlist takes the construction
// sheet's estimate for a flyback (three outputs: n = 3), says so, and keeps
// 0.99 for a forward; a factor asked for wins.
TEST(SpiceNetlistTest, TheWindingsCoupleByTheLeakageEstimate) {
    const auto couplingOf = [](const char* name, NetlistOptions options) {
        const Result<Netlist> netlist = writeNetlist(design(name), options);
        EXPECT_TRUE(netlist.ok());
        return std::pair{elements(netlist.value().text).value(QStringLiteral("K1")).value(3),
                         netlist.value().text};
    };
    NetlistOptions estimated;
    estimated.leakageUh = 6.664;
    const auto [flyback, text] = couplingOf("three", estimated);
    EXPECT_EQ(flyback, QStringLiteral("0.995"));
    EXPECT_TRUE(text.contains(QStringLiteral("leakage estimate of 6.664 uH")));
    EXPECT_EQ(couplingOf("spice_pp", estimated).first, QStringLiteral("0.99"));
    NetlistOptions asked = estimated;
    asked.coupling = 0.97;
    EXPECT_EQ(couplingOf("three", asked).first, QStringLiteral("0.97"));
    EXPECT_EQ(couplingOf("three", NetlistOptions{}).first, QStringLiteral("0.99"));
}

// The text goes to the file as it is; a folder that is not there leaves no
// file and says where it could not write.
TEST(SpiceNetlistTest, SavingWritesTheTextOrSaysWhereItCouldNot) {
    const Netlist netlist = written(design("spice_ccm1"), true);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.cir"));
    ASSERT_TRUE(saveNetlist(netlist, path).ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), netlist.text);

    const QString nowhere = folder.filePath(QStringLiteral("missing/bench.cir"));
    const Result<void> refused = saveNetlist(netlist, nowhere);
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.failure().text.startsWith(QStringLiteral("无法写入") + nowhere));
    EXPECT_FALSE(QFile::exists(nowhere));
}

}  // namespace
}  // namespace kelvane::spice
