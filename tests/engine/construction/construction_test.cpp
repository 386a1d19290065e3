#include "engine/construction/construction.h"

#include "construction_designs.h"
#include "engine/base/number_text.h"
#include "engine/check/design_check.h"
#include "engine/sheet/design_sheet.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace kelvane::construction {
namespace {

using testing::workedDesign;

// The worked sheet, with every output's hipot text.
class ConstructionTest : public ::testing::Test {
protected:
    ConstructionTest() { testing::fillWorkedSheet(sheet); }
    sheet::DesignSheet sheet;
};

ConstructionSettings choose(std::initializer_list<std::pair<int, WindingChoice>> choices) {
    ConstructionSettings settings;
    for (const auto& [row, choice] : choices) {
        settings.windings[row] = choice;
    }
    return settings;
}

const WindingChoice kBias{{}, {}, {}, QStringLiteral("初级侧辅助"), {}};
const WindingChoice kTripleInsulated{{}, {}, {}, {}, QStringLiteral("三层绝缘线")};

// Each step as "name pins turns per-layer×layers margin +tape", the tape
// R when reinforced.
QStringList describe(const Construction& c) {
    QStringList steps;
    for (const Step& step : c.steps) {
        const Winding& w = c.windings[size_t(step.winding)];
        const QString pins = w.centreTapped
                                 ? step.startPin + u'→' + w.tapPin + u'→' + step.finishPin
                                 : step.startPin + u'→' + step.finishPin;
        steps.append(
            QStringLiteral("%1 %2 %3T %4×%5 %6 +%7%8")
                .arg(stepName(c, step), pins, *formatPlain(step.turns),
                     *formatPlain(step.turnsPerLayer), *formatPlain(step.layers),
                     step.marginMm > 0 ? *formatFixed(step.marginMm, 1) : QStringLiteral("无"))
                .arg(step.tapeLayers)
                .arg(step.reinforcedTape ? QStringLiteral("R") : QString()));
    }
    return steps;
}

struct OrderCase {
    const char* name;
    check::CheckInput in;
    ConstructionSettings settings;
    QStringList steps;
    double buildMm;
};

// clang-format off
const OrderCase kOrders[] = {
    // One layer of primary: primary, then secondary, 3 layers between.
    // Build 0.33 + 0.88 + 6 × 0.05.
    {"simple", workedDesign(sheet::Circuit::Flyback, {20, 6}, {0.3, 0.8}), {},
     {"N1 1→2 20T 29×1 3.2 +3R", "N2 3→4 6T 10×1 3.2 +3"}, 1.51},
    // 40 turns take 2 layers: the first half fills one, the secondary
    // between, the rest after; the halves meet at pin 2.
    {"sandwich", workedDesign(sheet::Circuit::Flyback, {40, 6}, {0.3, 0.8}), {},
     {"N1（前半） 1→2 29T 29×1 3.2 +3R", "N2 3→4 6T 10×1 3.2 +3R",
      "N1（后半） 2→5 11T 29×1 3.2 +3"}, 1.99},
    // An RCC stores energy too.
    {"rcc", workedDesign(sheet::Circuit::Rcc, {40, 6}, {0.3, 0.8}), {},
     {"N1（前半） 1→2 29T 29×1 3.2 +3R", "N2 3→4 6T 10×1 3.2 +3R",
      "N1（后半） 2→5 11T 29×1 3.2 +3"}, 1.99},
    // A bias winding outside the sandwich, one layer of tape from the
    // primary it belongs with.
    {"sandwich and bias", workedDesign(sheet::Circuit::Flyback, {40, 6, 8}, {0.3, 0.8, 0.2}),
     choose({{2, kBias}}),
     {"N1（前半） 1→2 29T 29×1 3.2 +3R", "N2 3→4 6T 10×1 3.2 +3R",
      "N1（后半） 2→5 11T 29×1 3.2 +1", "N3 6→7 8T 43×1 3.2 +3"}, 2.26},
    // Without a sandwich the bias goes next to the primary.
    {"simple and bias", workedDesign(sheet::Circuit::Flyback, {20, 6, 8}, {0.3, 0.8, 0.2}),
     choose({{2, kBias}}),
     {"N1 1→2 20T 29×1 3.2 +1", "N3 3→4 8T 43×1 3.2 +3R", "N2 5→6 6T 10×1 3.2 +3"}, 1.78},
    // A triple-insulated secondary needs no margins, nor does the primary
    // across from it: 16 ÷ 0.33 = 48 a layer, 16 ÷ (0.8 + 0.2) = 16.
    {"triple insulated", workedDesign(sheet::Circuit::Flyback, {40, 6}, {0.3, 0.8}),
     choose({{1, kTripleInsulated}}),
     {"N1 1→2 40T 48×1 无 +1", "N2 3→4 6T 16×1 无 +3"}, 1.53},
    // ... but a second, enamelled secondary keeps the primary's margins.
    {"one of two triple insulated",
     workedDesign(sheet::Circuit::Flyback, {20, 6, 4}, {0.3, 0.8, 0.8}),
     choose({{1, kTripleInsulated}}),
     {"N1 1→2 20T 29×1 3.2 +1", "N2 3→4 6T 16×1 无 +1", "N3 5→6 4T 10×1 3.2 +3"}, 2.46},
    // Push-pull: both halves of the primary and of the secondary wound on
    // end, the tap between them; never sandwiched.
    {"push-pull", workedDesign(sheet::Circuit::Forward, {20, 6}, {0.3, 0.8}), {},
     {"N1 1→2→3 40T 29×2 3.2 +3R", "N2 4→5→6 12T 10×2 3.2 +3"}, 2.72},
};
// clang-format on

TEST_F(ConstructionTest, OrderLayersMarginsAndTapes) {
    for (const OrderCase& c : kOrders) {
        SCOPED_TRACE(c.name);
        const Construction built = buildConstruction(sheet, c.in, c.settings);
        ASSERT_TRUE(built.complete()) << built.missing.toStdString();
        EXPECT_EQ(describe(built), c.steps);
        EXPECT_NEAR(built.buildMm, c.buildMm, 1e-9);
        EXPECT_EQ(built.fits, built.buildMm <= 6.0);
    }
}

// Without choices the sheet's layers are the check's: its copper loss
// names each winding's layers as its build counted them.
TEST_F(ConstructionTest, LaysWindingsOutAsTheCheckDoes) {
    for (const OrderCase& c : kOrders) {
        if (!c.settings.windings.empty()) {
            continue;
        }
        SCOPED_TRACE(c.name);
        const Construction built = buildConstruction(sheet, c.in, {});
        const check::CheckResult result = check::runCheck(c.in);
        const auto copper = std::find_if(result.items.begin(), result.items.end(),
                                         [](const auto& item) { return item.id == "copper_loss"; });
        ASSERT_NE(copper, result.items.end());
        for (size_t i = 0; i < built.windings.size(); ++i) {
            double layers = 0;
            for (const Step& step : built.steps) {
                layers += step.winding == int(i) ? step.layers : 0;
            }
            const QString name = i == 0 ? QStringLiteral("初级") : QStringLiteral("次级%1").arg(i);
            // The check counts a centre-tapped winding's turns once.
            const QRegularExpression said(name + QStringLiteral(" [0-9.]+ W（([0-9]+)层"));
            const QRegularExpressionMatch match = said.match(copper->formulaText);
            ASSERT_TRUE(match.hasMatch()) << copper->formulaText.toStdString();
            if (!built.windings[i].centreTapped) {
                EXPECT_EQ(match.captured(1).toDouble(), layers) << name.toStdString();
            }
        }
    }
}

// Hipot by insulation group: the bias goes with the primary, so 初级—初级
// appears only with one; each secondary against the primary side, the
// secondaries against each other, each side against the core.
TEST_F(ConstructionTest, HipotPairsFollowTheInsulationGroups) {
    struct Case {
        const char* name;
        check::CheckInput in;
        ConstructionSettings settings;
        QStringList tests;
    };
    const Case cases[] = {
        {"one output",
         workedDesign(sheet::Circuit::Flyback, {20, 6}, {0.3, 0.8}),
         {},
         {"初级—次级 N1 — N2 1、2 — 3、4 3000", "初级—磁芯 N1 — 磁芯 1、2 — 磁芯 2500",
          "次级—磁芯 N2 — 磁芯 3、4 — 磁芯 500"}},
        {"bias",
         workedDesign(sheet::Circuit::Flyback, {20, 6, 8}, {0.3, 0.8, 0.2}),
         choose({{2, kBias}}),
         {"初级—次级 N1、N3 — N2 1、2、3、4 — 5、6 3000", "初级—初级 N1 — N3 1、2 — 3、4 1250",
          "初级—磁芯 N1、N3 — 磁芯 1、2、3、4 — 磁芯 2500", "次级—磁芯 N2 — 磁芯 5、6 — 磁芯 500"}},
        {"two secondaries",
         workedDesign(sheet::Circuit::Flyback, {20, 6, 8}, {0.3, 0.8, 0.2}),
         {},
         {"初级—次级 N1 — N2 1、2 — 3、4 3000", "初级—次级 N1 — N3 1、2 — 5、6 3000",
          "次级—次级 N2 — N3 3、4 — 5、6 500", "初级—磁芯 N1 — 磁芯 1、2 — 磁芯 2500",
          "次级—磁芯 N2、N3 — 磁芯 3、4、5、6 — 磁芯 500"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Construction built = buildConstruction(sheet, c.in, c.settings);
        QStringList tests;
        for (const HipotTest& test : built.hipot) {
            tests.append(QStringLiteral("%1 %2 %3 %4")
                             .arg(test.pair, test.between, test.pins, *formatPlain(test.volts)));
        }
        EXPECT_EQ(tests, c.tests);
    }
    sheet::DesignSheet noStandard;
    const Construction bare = buildConstruction(
        noStandard, workedDesign(sheet::Circuit::Flyback, {20, 6}, {0.3, 0.8}), {});
    EXPECT_TRUE(bare.hipot.empty());
    EXPECT_EQ(bare.hipotMissing, QStringLiteral("未选择安全标准，无耐压要求"));
}

// The tests of the simple flyback by hand. AL 0.4 mH ÷ 20² = 1000 nH/N².
// Leakage: 20 turns, 30 mm a turn, layers 9.6 mm long: μ0 × 400 × 0.03 ÷
// 0.0096 = 1.570796e-3 H/m; ∫f² = 0.33/3 + 0.15 + 0.88/3 + 0 = 0.553333 mm;
// 0.86917 µH, its limit 1.3 × that = 1.1299 → 1.2 µH. DCR 0.1 and 0.2 Ω,
// at most 0.11 and 0.22 Ω.
TEST_F(ConstructionTest, TestsOfTheSimpleFlyback) {
    const Construction c =
        buildConstruction(sheet, workedDesign(sheet::Circuit::Flyback, {20, 6}, {0.3, 0.8}), {});
    EXPECT_DOUBLE_EQ(*c.alNh, 1000.0);
    EXPECT_EQ(c.gapText, QStringLiteral("0.35mm"));
    EXPECT_EQ(c.inductancePins, QStringLiteral("1—2"));
    EXPECT_DOUBLE_EQ(c.inductanceMh, 0.4);
    EXPECT_EQ(c.testFrequencyKHz, 10.0);
    EXPECT_EQ(c.testVoltageV, 0.1);
    EXPECT_DOUBLE_EQ(c.leakageBreadthMm, 9.6);
    EXPECT_NEAR(*c.leakageUh, 0.86917, 1e-5);
    EXPECT_DOUBLE_EQ(*c.leakageMaxUh(), 1.2);
    EXPECT_EQ(c.shortedPins, QStringList{QStringLiteral("3—4")});
    ASSERT_EQ(c.resistance.size(), 2u);
    EXPECT_EQ(c.resistance[0].pins, QStringLiteral("1—2"));
    EXPECT_DOUBLE_EQ(c.resistance[0].maxOhm, 0.11);
    EXPECT_DOUBLE_EQ(c.resistance[1].maxOhm, 0.22);

    // The engineer's test signal; a signal that is no number keeps 10 kHz.
    ConstructionSettings signal;
    signal.testFrequencyKHz = QStringLiteral("1");
    signal.testVoltageV = QStringLiteral("abc");
    const Construction typed = buildConstruction(
        sheet, workedDesign(sheet::Circuit::Flyback, {20, 6}, {0.3, 0.8}), signal);
    EXPECT_EQ(typed.testFrequencyKHz, 1.0);
    EXPECT_EQ(typed.testVoltageV, 0.1);
}

// The forward core is not gapped; the push-pull primary is measured over
// both halves (4 × Lp) and every centre-tapped winding's halves on their own.
TEST_F(ConstructionTest, ForwardMeasuresTheWholePrimaryAndEachHalf) {
    const Construction c =
        buildConstruction(sheet, workedDesign(sheet::Circuit::Forward, {20, 6}, {0.3, 0.8}), {});
    EXPECT_FALSE(c.storesEnergy);
    EXPECT_TRUE(c.gapText.isEmpty());
    EXPECT_EQ(c.inductancePins, QStringLiteral("1—3"));
    EXPECT_DOUBLE_EQ(c.inductanceMh, 1.6);
    QStringList dcr;
    for (const ResistanceTest& test : c.resistance) {
        dcr.append(test.winding + u' ' + test.pins);
    }
    EXPECT_EQ(
        dcr, (QStringList{"N1（前半） 1—2", "N1（后半） 2—3", "N2（前半） 4—5", "N2（后半） 5—6"}));
    check::CheckInput halfBridge = workedDesign(sheet::Circuit::Forward, {20, 6}, {0.3, 0.8});
    halfBridge.halfBridge = true;
    const Construction bridge = buildConstruction(sheet, halfBridge, {});
    EXPECT_FALSE(bridge.windings[0].centreTapped);
    EXPECT_TRUE(bridge.windings[1].centreTapped);
    EXPECT_DOUBLE_EQ(bridge.inductanceMh, 0.4);
}

// A wire wider than twice the skin depth is wound as strands: at 100 kHz
// 2δ = 0.483 mm, 0.8 mm becomes 3 × 0.47 mm, 0.517 mm each with enamel,
// 1.551 mm a turn, 6 turns in 9.6 mm.
TEST_F(ConstructionTest, WideWireBecomesStrands) {
    check::CheckInput in = workedDesign(sheet::Circuit::Flyback, {20, 6}, {0.3, 0.8});
    in.frequencyKHz = 100;
    const Construction c = buildConstruction(sheet, in, {});
    EXPECT_EQ(c.windings[0].strands, 1);
    EXPECT_EQ(c.windings[1].strands, 3);
    EXPECT_DOUBLE_EQ(c.windings[1].strandMm, 0.47);
    EXPECT_EQ(describe(c)[1], QStringLiteral("N2 3→4 6T 6×1 3.2 +3"));
    ASSERT_EQ(c.notes.size(), 1);
    EXPECT_TRUE(c.notes[0].contains(QStringLiteral("改用3股0.47 mm并绕")))
        << c.notes[0].toStdString();
}

// The engineer's pins replace the numbers; a pin used twice is said.
TEST_F(ConstructionTest, ChosenPinsAndPinsUsedTwice) {
    ConstructionSettings settings;
    settings.windings[0] = {QStringLiteral(" 7 "), QStringLiteral("8"), {}, {}, {}};
    settings.windings[1] = {{}, QStringLiteral("9"), QStringLiteral("7"), {}, {}};
    const Construction c = buildConstruction(
        sheet, workedDesign(sheet::Circuit::Flyback, {40, 6}, {0.3, 0.8}), settings);
    EXPECT_EQ(describe(c)[0], QStringLiteral("N1（前半） 7→8 29T 29×1 3.2 +3R"));
    EXPECT_EQ(describe(c)[2], QStringLiteral("N1（后半） 8→5 11T 29×1 3.2 +3"));
    EXPECT_FALSE(c.windings[1].hasTap);  // a tap the winding has not is no pin
    EXPECT_EQ(c.notes, QStringList{QStringLiteral("引脚7用于多处：N1起始、N2结束")});
}

// What stops the sheet, in the order it is asked; the windings and their
// pins are there all the same.
TEST_F(ConstructionTest, SaysWhatIsMissing) {
    struct Case {
        const char* name;
        check::CheckInput in;
        const char* missing;
    };
    check::CheckInput noCircuit = workedDesign(sheet::Circuit::Flyback, {20, 6}, {0.3, 0.8});
    noCircuit.circuit.reset();
    check::CheckInput noTurns = workedDesign(sheet::Circuit::Flyback, {20, 6}, {0.3, 0.8});
    noTurns.windings[1].turns.reset();
    check::CheckInput noCore = workedDesign(sheet::Circuit::Flyback, {20, 6}, {0.3, 0.8});
    noCore.coreName.clear();
    check::CheckInput noWindow = workedDesign(sheet::Circuit::Flyback, {20, 6}, {0.3, 0.8});
    noWindow.dimsMm.e.reset();
    const Case cases[] = {
        {"circuit", noCircuit, "未选择电路形式"},
        {"turns", noTurns, "N2的匝数或线径未算出（请点击「变压器设计结果」）"},
        {"core", noCore, "未选择磁芯"},
        {"window", noWindow, "磁芯缺少尺寸，无法得出窗口"},
        {"wire", workedDesign(sheet::Circuit::Flyback, {20, 6}, {0.3, 9.0}),
         "N2线径9 mm在窗口高度16.0 mm减去挡墙6.4 mm内一匝也绕不下"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Construction built = buildConstruction(sheet, c.in, {});
        EXPECT_EQ(built.missing, QString::fromUtf8(c.missing));
        EXPECT_TRUE(built.steps.empty());
        ASSERT_EQ(built.windings.size(), 2u);
        EXPECT_EQ(built.windings[1].startPin + built.windings[1].finishPin, "34");
    }
}

}  // namespace
}  // namespace kelvane::construction
