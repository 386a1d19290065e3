#include "engine/wire/wire_calculator.h"

#include "engine/script/scripted_prompter.h"

#include <gtest/gtest.h>

#include <QObject>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kelvane::wire {
namespace {

constexpr int kEnter = 13;

// One action of the engineer on the calculator.
struct Step {
    enum Kind { Type, Enter, Pick };
    Kind kind;
    const char* name;
    const char* text = "";  // UTF-8
};

Step type(const char* name, const char* text) {
    return {Step::Type, name, text};
}
Step enter(const char* name) {
    return {Step::Enter, name};
}
Step pick(const char* item) {
    return {Step::Pick, "CmbWire", item};
}

// A worked example: the window is loaded, the steps run in order, and the
// listed fields must then show exactly these texts.
struct WireCase {
    const char* label;
    std::vector<Step> steps;
    std::vector<std::pair<const char*, const char*>> expected;
};

void PrintTo(const WireCase& row, std::ostream* out) {
    *out << row.label;
}

// Counts the emissions of a signal without arguments.
template <typename Signal>
std::shared_ptr<int> counter(WireCalculator& calculator, Signal signal) {
    auto count = std::make_shared<int>(0);
    QObject::connect(&calculator, signal, &calculator, [count] { ++*count; });
    return count;
}

void run(WireCalculator& calculator, const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        const QString name = QString::fromLatin1(step.name);
        switch (step.kind) {
            case Step::Type:
                calculator.type(name, QString::fromUtf8(step.text));
                break;
            case Step::Enter:
                calculator.keyDown(name, kEnter);
                break;
            case Step::Pick:
                calculator.pick(name, QString::fromUtf8(step.text));
                break;
        }
    }
}

class WireCalculatorCase : public ::testing::TestWithParam<WireCase> {};

TEST_P(WireCalculatorCase, ShowsTheWorkedResults) {
    script::ScriptedPrompter prompter;
    WireCalculator calculator(prompter);
    calculator.load();
    run(calculator, GetParam().steps);
    for (const auto& [name, text] : GetParam().expected) {
        EXPECT_EQ(calculator.text(QString::fromLatin1(name)).toStdString(), std::string(text))
            << name;
    }
    EXPECT_TRUE(prompter.takeMessages().isEmpty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(RoundWire, WireCalculatorCase, ::testing::Values(
    // Loading selects copper and recomputes once with no diameter.
    WireCase{"loaded", {},
             {{"CmbWire", "铜线"}, {"TxtWireS", "0.000"}, {"TxtWireOM", ""}, {"TxtWireDCR", ""},
              {"TxtWireWeig", "0.000000"}, {"TxtAwg", ""}, {"TxtWireLeng", "1"}, {"TxtR", ""},
              {"Txt1", ""}}},
    WireCase{"copper 1 mm, 1 m", {type("TxtWireD", "1"), enter("TxtWireD")},
             {{"TxtWireS", "0.785"}, {"TxtWireOM", "0.022293"}, {"TxtWireDCR", "0.022293"},
              {"TxtWireWeig", "7.025750"}, {"TxtAwg", "18.2# "}, {"TxtFoilS", "0.785"},
              // No skin depth: TxtRac stays empty, so its change (and TxtR) never runs.
              {"TxtRac", ""}, {"TxtR", ""}}},
    // Typing the diameter alone recomputes nothing.
    WireCase{"diameter typed without Enter", {type("TxtWireD", "1")},
             {{"TxtWireS", "0.000"}, {"TxtWireOM", ""}, {"TxtFoilS", ""}}},
    WireCase{"copper 1 mm, 3 m on Enter in the length",
             {type("TxtWireD", "1"), type("TxtWireLeng", "3"), enter("TxtWireLeng")},
             {{"TxtWireOM", "0.022293"}, {"TxtWireDCR", "0.066879"},
              {"TxtWireWeig", "21.077250"}, {"TxtFoilS", ""}}},
    WireCase{"aluminium picked after the diameter", {type("TxtWireD", "1"), pick("铝线")},
             {{"TxtWireS", "0.785"}, {"TxtWireOM", "0.036943"}, {"TxtWireDCR", "0.036943"},
              {"TxtWireWeig", "2.119500"}}},
    WireCase{"aluminium typed into the list", {type("TxtWireD", "1"), type("CmbWire", "铝线")},
             {{"TxtWireOM", "0.036943"}, {"TxtWireWeig", "2.119500"}}},
    // Re-picking the item shown still runs the list's click handling.
    WireCase{"copper picked again", {type("TxtWireD", "1"), pick("铜线")},
             {{"TxtWireS", "0.785"}, {"TxtWireOM", "0.022293"}}},
    // Typing the text already shown is no change: nothing recomputes.
    WireCase{"copper typed again", {type("TxtWireD", "1"), type("CmbWire", "铜线")},
             {{"TxtWireS", "0.000"}, {"TxtWireOM", ""}}},
    WireCase{"unknown material counts as 0", {type("TxtWireD", "1"), type("CmbWire", "银线")},
             {{"TxtWireOM", "0.000000"}, {"TxtWireDCR", "0.000000"},
              {"TxtWireWeig", "0.000000"}, {"TxtAwg", "18.2# "}}},
    WireCase{"AWG 20 writes the diameter only", {type("TxtAwg", "20"), enter("TxtAwg")},
             {{"TxtWireD", "0.81mm"}, {"TxtWireS", "0.000"}, {"TxtAwg", "20"}}},
    // 0.81mm reads as 0.81: 3.1415 × 0.405² and gauge 20.05.
    WireCase{"AWG 20 then Enter in the diameter",
             {type("TxtAwg", "20"), enter("TxtAwg"), enter("TxtWireD")},
             {{"TxtWireS", "0.515"}, {"TxtAwg", "20.0# "}}},
    WireCase{"AWG 0 empties the diameter",
             {type("TxtWireD", "1"), type("TxtAwg", "0"), enter("TxtAwg")},
             {{"TxtWireD", ""}}}));

INSTANTIATE_TEST_SUITE_P(SkinEffect, WireCalculatorCase, ::testing::Values(
    WireCase{"100 kHz", {type("TxtF", "100"), enter("TxtF")},
             {{"TxtHfT", "0.209"}, {"TxtHftMax", "0.418"}}},
    WireCase{"50 kHz", {type("TxtF", "50"), enter("TxtF")},
             {{"TxtHfT", "0.296"}, {"TxtHftMax", "0.592"}}},
    // No frequency: the typed skin depth stays and the largest size follows it.
    WireCase{"empty frequency", {type("TxtHfT", "0.3"), enter("TxtF")},
             {{"TxtHfT", "0.3"}, {"TxtHftMax", "0.600"}}},
    WireCase{"frequency 0", {type("TxtHfT", "0.3"), type("TxtF", "0"), enter("TxtF")},
             {{"TxtHfT", "0.3"}, {"TxtHftMax", "0.600"}}},
    WireCase{"nothing at all", {enter("TxtF")}, {{"TxtHfT", ""}, {"TxtHftMax", "0.000"}}},
    // Ratio 1.512 shown as 1.51; TxtR uses the three-decimal ratio:
    // 1.512 × 0.022293 = 0.033707 (1.51 would give 0.033662).
    WireCase{"Rac of 1 mm at 100 kHz",
             {type("TxtF", "100"), enter("TxtF"), type("TxtWireD", "1"), enter("TxtWireD")},
             {{"TxtRac", "1.51"}, {"TxtR", "0.033707"}}},
    // A typed ratio only triggers the computation; TxtR ignores its value.
    WireCase{"Rac typed by hand",
             {type("TxtF", "100"), enter("TxtF"), type("TxtWireD", "1"), enter("TxtWireD"),
              type("TxtRac", "5")},
             {{"TxtRac", "5"}, {"TxtR", "0.033707"}}},
    WireCase{"Rac typed without a skin depth",
             {type("TxtWireD", "1"), enter("TxtWireD"), type("TxtRac", "2")},
             {{"TxtR", "0.000000"}}},
    // d = 2δ: the whole section carries current.
    WireCase{"ratio 1 when the diameter is twice the depth",
             {type("TxtHfT", "0.5"), type("TxtWireD", "1"), enter("TxtWireD")},
             {{"TxtRac", "1.00"}, {"TxtR", "0.022293"}}},
    // d = δ divides by zero: no ratio, written as empty text.
    WireCase{"no ratio when the diameter equals the depth",
             {type("TxtHfT", "0.5"), enter("TxtF"), type("TxtRac", "7"), type("TxtWireD", "0.5"),
              enter("TxtWireD")},
             {{"TxtRac", ""}, {"TxtR", "0.000000"}}}));

INSTANTIATE_TEST_SUITE_P(Litz, WireCalculatorCase, ::testing::Values(
    // Every change of the strand diameter recomputes, Enter or not.
    WireCase{"100 strands of 0.1 mm, copper", {type("TxtWireD", "1"), type("TxtLitzD", "0.1")},
             {{"TxtLitzP", "100"}, {"TxtLitzS", "0.785"}, {"TxtLitzDCR", "0.022293"},
              {"TxtLitzWeig", "7.025750"}}},
    WireCase{"100 strands of 0.1 mm, aluminium",
             {type("TxtWireD", "1"), pick("铝线"), type("TxtLitzD", "0.1")},
             {{"TxtLitzP", "100"}, {"TxtLitzS", "0.785"}, {"TxtLitzDCR", "0.036943"},
              {"TxtLitzWeig", "2.119500"}}},
    WireCase{"2 m on Enter in the length",
             {type("TxtWireD", "1"), type("TxtLitzD", "0.1"), type("TxtLitzLeng", "2"),
              enter("TxtLitzLeng")},
             {{"TxtLitzDCR", "0.044586"}, {"TxtLitzWeig", "14.051500"}}},
    // Picking a material later does not touch the litz fields.
    WireCase{"material picked afterwards",
             {type("TxtWireD", "1"), type("TxtLitzD", "0.1"), pick("铝线")},
             {{"TxtLitzDCR", "0.022293"}}},
    // 1 ÷ √50 = 0.141 shown as 0.14; the count follows from 0.14: 51
    // strands, bundle 0.14 × √51 = 0.9998 mm.
    WireCase{"50 strands asked for",
             {type("TxtWireD", "1"), type("TxtLitzP", "50"), enter("TxtLitzP")},
             {{"TxtLitzD", "0.14"}, {"TxtLitzP", "51"}, {"TxtLitzS", "0.785"},
              {"TxtLitzDCR", "0.022302"}, {"TxtLitzWeig", "7.022940"}}},
    WireCase{"0 strands asked for",
             {type("TxtWireD", "1"), type("TxtLitzD", "0.1"), type("TxtLitzP", "0"),
              enter("TxtLitzP")},
             {{"TxtLitzD", ""}, {"TxtLitzP", ""}, {"TxtLitzS", "0.000"}, {"TxtLitzDCR", ""},
              {"TxtLitzWeig", "0.000000"}}},
    WireCase{"strand diameter 0", {type("TxtWireD", "1"), type("TxtLitzD", "0")},
             {{"TxtLitzP", ""}, {"TxtLitzS", "0.000"}, {"TxtLitzDCR", ""},
              {"TxtLitzWeig", "0.000000"}}}));

INSTANTIATE_TEST_SUITE_P(Foil, WireCalculatorCase, ::testing::Values(
    WireCase{"thickness 0.2 of 10 mm²",
             {type("TxtFoilS", "10"), type("TxtFoilTh", "0.2"), enter("TxtFoilTh")},
             {{"TxtFoilWd", "50.0"}, {"TxtFoilWeig", "89.500"}, {"TxtFoilDCR", "0.001750"}}},
    WireCase{"width 25 of 10 mm²",
             {type("TxtFoilS", "10"), type("TxtFoilWd", "25"), enter("TxtFoilWd")},
             {{"TxtFoilTh", "0.4"}, {"TxtFoilWeig", "89.500"}, {"TxtFoilDCR", "0.001750"}}},
    // Foil is copper whatever the list shows.
    WireCase{"aluminium selected",
             {pick("铝线"), type("TxtFoilS", "10"), type("TxtFoilTh", "0.2"),
              enter("TxtFoilTh")},
             {{"TxtFoilWeig", "89.500"}, {"TxtFoilDCR", "0.001750"}}},
    WireCase{"thickness 0", {type("TxtFoilS", "10"), type("TxtFoilWd", "9"),
                             type("TxtFoilTh", "0"), enter("TxtFoilTh")},
             {{"TxtFoilWd", ""}, {"TxtFoilWeig", "89.500"}}},
    WireCase{"no cross-section",
             {type("TxtFoilTh", "0.2"), enter("TxtFoilTh")},
             {{"TxtFoilWd", "0.0"}, {"TxtFoilWeig", "0.000"}, {"TxtFoilDCR", ""}}},
    // The width is rounded to 33.3 first; S is rebuilt from the rounded sides.
    WireCase{"2 m on Enter in the length",
             {type("TxtFoilS", "10"), type("TxtFoilTh", "0.3"), type("TxtFoilLeng", "2"),
              enter("TxtFoilLeng")},
             {{"TxtFoilWd", "33.3"}, {"TxtFoilS", "9.990"}, {"TxtFoilWeig", "178.821"},
              {"TxtFoilDCR", "0.003504"}}},
    WireCase{"cross-section from the round wire",
             {type("TxtWireD", "1"), enter("TxtWireD"), type("TxtFoilTh", "0.1"),
              enter("TxtFoilTh")},
             {{"TxtFoilS", "0.785"}, {"TxtFoilWd", "7.9"}, {"TxtFoilWeig", "7.026"},
              {"TxtFoilDCR", "0.022293"}}}));
// clang-format on

TEST(WireCalculatorTest, LoadsOnce) {
    script::ScriptedPrompter prompter;
    WireCalculator calculator(prompter);
    calculator.load();
    EXPECT_TRUE(calculator.isLoaded());
    EXPECT_EQ(
        calculator.comboItems(QStringLiteral("CmbWire")),
        QStringList({QStringLiteral("铜线"), QStringLiteral("铝线"),
                     QStringLiteral("铜包铝线 10A 10H"), QStringLiteral("铜包铝线 15A 15H")}));
    calculator.type(QStringLiteral("TxtWireD"), QStringLiteral("1"));
    calculator.load();  // a second opening selects nothing
    EXPECT_EQ(calculator.text(QStringLiteral("TxtWireS")), u"0.000");
}

TEST(WireCalculatorTest, ChangeSignalOnlyWhenTheTextDiffers) {
    script::ScriptedPrompter prompter;
    WireCalculator calculator(prompter);
    QStringList changed;
    QObject::connect(&calculator, &WireCalculator::textChanged, &calculator,
                     [&changed](const QString& field) { changed.append(field); });
    calculator.type(QStringLiteral("TxtI"), QStringLiteral("3"));
    calculator.type(QStringLiteral("TxtI"), QStringLiteral("3"));
    EXPECT_EQ(changed, QStringList({QStringLiteral("TxtI")}));
    // Loading: TxtWireS, TxtWireWeig; CmbWire already shows copper and the
    // other results stay empty.
    changed.clear();
    calculator.load();
    EXPECT_EQ(changed, QStringList({QStringLiteral("TxtWireS"), QStringLiteral("TxtWireWeig")}));
}

TEST(WireCalculatorTest, TickCountsAndShowsTheTime) {
    script::ScriptedPrompter prompter;
    WireCalculator calculator(prompter);
    EXPECT_TRUE(calculator.clockCaption().isEmpty());
    calculator.tick(QTime(9, 5, 7));
    EXPECT_EQ(calculator.text(QStringLiteral("Txt1")), u"1");
    EXPECT_TRUE(calculator.clockCaption().startsWith(QStringLiteral("现在是：")));
    EXPECT_TRUE(calculator.clockCaption().contains(QStringLiteral("05:07")))
        << calculator.clockCaption().toStdString();
    for (int i = 0; i < 19; ++i) {
        calculator.tick(QTime(9, 5, 8 + i));
    }
    EXPECT_EQ(calculator.text(QStringLiteral("Txt1")), u"20");
    EXPECT_TRUE(calculator.clockCaption().contains(QStringLiteral("05:26")));
    // The counter reads its own text: a typed 2.5 goes on as 3.5.
    calculator.type(QStringLiteral("Txt1"), QStringLiteral("2.5"));
    calculator.tick(QTime(9, 6, 0));
    EXPECT_EQ(calculator.text(QStringLiteral("Txt1")), u"3.5");
    EXPECT_TRUE(prompter.takeMessages().isEmpty());  // no boxes every 20 ticks
}

// Many ticks at once leave exactly what as many single ticks leave, from
// any text the counter may hold: it can be typed into. The starts cover
// fractions that lose a decimal when the whole part grows, negative
// fractions crossing zero, the largest plain numbers and exponent forms.
TEST(WireCalculatorTest, ManyTicksAtOnceEqualSingleTicks) {
    const char* const starts[] = {"",
                                  "abc",
                                  "12V",
                                  "&H10",
                                  "2.5",
                                  "0.1",
                                  "-0.3",
                                  "-7",
                                  "-1000.125",
                                  "-1.00000000000001",
                                  "-0.000000000000005",
                                  "0.000000000000123",
                                  "99999999999999.5",
                                  "9999999999998.75",
                                  "999999999999990",
                                  "123456789.123456",
                                  "1.5E-16",
                                  "-1E+15",
                                  "1E+15"};
    const qint64 counts[] = {0, 1, 2, 20, 1500, 2500};
    const QTime time(8, 30, 15);
    const QString txt1 = QStringLiteral("Txt1");
    for (const char* start : starts) {
        for (const qint64 count : counts) {
            SCOPED_TRACE(std::string(start) + " + " + std::to_string(count));
            script::ScriptedPrompter prompter;
            WireCalculator single(prompter);
            WireCalculator bulk(prompter);
            single.type(txt1, QString::fromLatin1(start));
            bulk.type(txt1, QString::fromLatin1(start));
            for (qint64 i = 0; i < count; ++i) {
                single.tick(time);
            }
            bulk.tick(time, count);
            EXPECT_EQ(bulk.text(txt1), single.text(txt1));
            EXPECT_EQ(bulk.clockCaption(), single.clockCaption());
        }
    }
}

// A count far beyond what single ticks could run writes the counter a
// bounded number of times.
TEST(WireCalculatorTest, TicksCostTheSameForAnyCount) {
    struct Row {
        const char* start;
        const char* after;
    };
    const Row rows[] = {{"", "2000000000"},
                        {"-1000.125", "1999998999.875"},
                        {"0.1", "2000000000.1"},
                        {"999999999999.999", "1002000000000"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.start);
        script::ScriptedPrompter prompter;
        WireCalculator calculator(prompter);
        calculator.type(QStringLiteral("Txt1"), QString::fromLatin1(row.start));
        int writes = 0;
        QObject::connect(&calculator, &WireCalculator::textChanged, &calculator,
                         [&writes](const QString& field) { writes += field == u"Txt1"; });
        calculator.tick(QTime(8, 0), 2'000'000'000);
        EXPECT_EQ(calculator.text(QStringLiteral("Txt1")), QString::fromLatin1(row.after));
        EXPECT_LE(writes, 1);
    }
}

TEST(WireCalculatorTest, FocusMovesOnlyWithTheEngineer) {
    script::ScriptedPrompter prompter;
    WireCalculator calculator(prompter);
    EXPECT_EQ(calculator.focus(), u"CmbWire");
    calculator.load();
    calculator.type(QStringLiteral("TxtWireD"), QStringLiteral("1"));
    calculator.pick(QStringLiteral("CmbWire"), QStringLiteral("铝线"));
    calculator.click(QStringLiteral("LblBrand(0)"));
    EXPECT_EQ(calculator.focus(), u"CmbWire");
    calculator.keyDown(QStringLiteral("TxtWireD"), kEnter);  // no Enter rule moves it on
    EXPECT_EQ(calculator.focus(), u"TxtWireD");
    calculator.focus(QStringLiteral("TxtFoilS"));
    EXPECT_EQ(calculator.focus(), u"TxtFoilS");
    calculator.focus(QStringLiteral("OP"));  // menu items never hold it
    calculator.keyDown(QStringLiteral("Ab"), kEnter);
    EXPECT_EQ(calculator.focus(), u"TxtFoilS");
}

TEST(WireCalculatorTest, MenuItemsRaiseTheirRequests) {
    struct Row {
        const char* control;
        int print;
        int close;
        int about;
        int web;
        bool farewell;
    };
    // clang-format off
    const Row rows[] = {
        {"P",           1, 0, 0, 0, false},
        {"OP",          0, 1, 0, 0, true},
        {"Ab",          0, 0, 1, 0, false},
        {"LblBrand(0)", 0, 0, 0, 1, false},
        {"LblBrand(1)", 0, 0, 0, 1, false},
        {"Lbt",         0, 0, 0, 0, false},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control);
        script::ScriptedPrompter prompter;
        WireCalculator calculator(prompter);
        const auto print = counter(calculator, &WireCalculator::printRequested);
        const auto close = counter(calculator, &WireCalculator::closeProgramRequested);
        const auto about = counter(calculator, &WireCalculator::aboutRequested);
        const auto web = counter(calculator, &WireCalculator::webSiteRequested);
        calculator.click(QString::fromLatin1(row.control));
        EXPECT_EQ(*print, row.print);
        EXPECT_EQ(*close, row.close);
        EXPECT_EQ(*about, row.about);
        EXPECT_EQ(*web, row.web);
        const QStringList expected =
            row.farewell ? QStringList{QStringLiteral("祝您工作更轻松！谢谢您的使用！再见！")}
                         : QStringList{};
        EXPECT_EQ(prompter.takeMessages(), expected);
    }
}

TEST(WireCalculatorTest, OtherKeysAndFieldsHaveNoRules) {
    script::ScriptedPrompter prompter;
    WireCalculator calculator(prompter);
    calculator.load();
    calculator.type(QStringLiteral("TxtWireD"), QStringLiteral("1"));
    calculator.keyDown(QStringLiteral("TxtWireD"), 9);  // Tab
    calculator.keyDown(QStringLiteral("TxtI"), kEnter);
    calculator.keyDown(QStringLiteral("TxtWireS"), kEnter);
    EXPECT_EQ(calculator.text(QStringLiteral("TxtWireS")), u"0.000");
    EXPECT_TRUE(calculator.text(QStringLiteral("TxtFoilS")).isEmpty());
}

}  // namespace
}  // namespace kelvane::wire
