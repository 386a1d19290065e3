#include "../session/design_fixture.h"

namespace kelvane::design {
namespace {

// clang-format off
struct TimingCase {
    const char* frequency;
    const char* duty;
    const char* period;
    const char* onTime;
};

class TimingTest : public DesignFixture, public ::testing::WithParamInterface<TimingCase> {};

TEST_P(TimingTest, PeriodAndOnTimeFromFrequencyAndDuty) {
    type("TxtF", GetParam().frequency);
    type("txtd", GetParam().duty);
    EXPECT_EQ(text("Txtts"), QString::fromLatin1(GetParam().period));
    EXPECT_EQ(text("Txtton"), QString::fromLatin1(GetParam().onTime));
}

INSTANTIATE_TEST_SUITE_P(PeriodAndOnTime, TimingTest, ::testing::Values(
    TimingCase{"50", "0.4", "20.0", "8.0"},
    TimingCase{"56", "0.4", "17.9", "7.2"},    // 7.1 = Ton from the unrounded Ts
    TimingCase{"100", "1.5", "10.0", "15.0"},  // D above 1 is accepted
    TimingCase{"30", "abc", "33.3", "0.0"}));
// clang-format on

using PrimaryTest = DesignFixture;

TEST_F(PrimaryTest, PeriodFollowsFrequencyWhateverIsTyped) {
    type("TxtF", "50");
    type("Txtts", "25");
    EXPECT_EQ(text("Txtts"), u"20.0");
}

TEST_F(PrimaryTest, NoFrequencyKeepsPeriodAndOnTime) {
    type("TxtF", "50");
    type("txtd", "0.4");
    type("TxtF", "");
    type("txtd", "0.2");
    EXPECT_EQ(text("Txtts"), u"20.0");
    EXPECT_EQ(text("Txtton"), u"8.0");
    type("Txtts", "25");
    EXPECT_EQ(text("Txtts"), u"25");
}

TEST_F(PrimaryTest, InputPowerFollowsEfficiency) {
    addOutput("10", "5");  // 50 W
    EXPECT_EQ(text("txtpint"), u"58.8");
    EXPECT_EQ(text("TxtTransP"), u"50");
    type("TXTN", "1.25");
    EXPECT_EQ(text("txtpint"), u"40.0");
    type("TXTN", "");
    EXPECT_EQ(text("txtpint"), u"40.0");  // no efficiency: kept
}

TEST_F(PrimaryTest, TypedInputPowerStaysUntilEnter) {
    addOutput("10", "5");
    type("txtpint", "70");
    EXPECT_EQ(text("txtpint"), u"70.0");
    enter("txtpint");
    EXPECT_EQ(text("txtpint"), u"58.8");
    EXPECT_EQ(window.sheet().focus(), u"txtpint");
    type("txtpint", "lots");
    EXPECT_EQ(text("txtpint"), u"lots");
}

// The worked example: F 50, D 0.4, Pint 60 W, Udc 100 V.
class WorkedExampleTest : public DesignFixture {
protected:
    void setUpCircuit(const char* option) {
        click(option);
        type("TxtF", "50");
        type("txtd", "0.4");
        type("txtudc", "100");
        type("txtpint", "60");
    }
};

TEST_F(WorkedExampleTest, Flyback) {
    setUpCircuit("Option1");
    EXPECT_EQ(text("TXTN"), u"0.8");
    EXPECT_EQ(text("txtis"), u"0.60");
    EXPECT_EQ(text("txtim"), u"1.50");
    EXPECT_EQ(text("txtip1"), u"0.75");
    EXPECT_EQ(text("txtipk"), u"2.25");
    EXPECT_EQ(text("txtdi"), u"1.50");
    EXPECT_EQ(text("txtlp"), u"0.533");
    EXPECT_TRUE(window.sheet().isVisible(QStringLiteral("Frmele")));
    EXPECT_FALSE(window.sheet().isEnabled(QStringLiteral("Check1")));
}

TEST_F(WorkedExampleTest, FlybackRatioScalesOnlyThePeak) {
    setUpCircuit("Option1");
    type("txtipkip1", "2");
    EXPECT_EQ(text("txtip1"), u"0.75");
    EXPECT_EQ(text("txtipk"), u"1.50");
    EXPECT_EQ(text("txtdi"), u"0.75");
}

TEST_F(WorkedExampleTest, ForwardLeavesThePeakCurrentsOfTheFlyback) {
    setUpCircuit("Option1");
    setUpCircuit("Option2");
    EXPECT_EQ(text("TXTN"), u"0.85");
    EXPECT_EQ(text("txtdi"), u"0.12");
    EXPECT_EQ(text("txtis"), u"0.60");
    EXPECT_EQ(text("txtlp"), u"6.667");
    EXPECT_EQ(text("txtipk"), u"2.25");
    EXPECT_TRUE(window.sheet().isEnabled(QStringLiteral("Check1")));
}

TEST_F(WorkedExampleTest, RccForcesTheRatioFour) {
    setUpCircuit("Option3");
    EXPECT_EQ(text("TXTN"), u"0.6");
    EXPECT_EQ(text("txtipkip1"), u"4");
    EXPECT_EQ(text("txtim"), u"1.50");
    EXPECT_EQ(text("txtipk"), u"3.00");
    EXPECT_EQ(text("txtdi"), u"3.00");
    EXPECT_EQ(text("txtlp"), u"0.267");
    type("txtipkip1", "3.5");
    EXPECT_EQ(text("txtipkip1"), u"4");
    EXPECT_EQ(text("txtipk"), u"3.00");
}

TEST_F(WorkedExampleTest, RoundedInputCurrentCarriesForward) {
    setUpCircuit("Option1");
    type("txtpint", "58.8");
    EXPECT_EQ(text("txtis"), u"0.59");
    EXPECT_EQ(text("txtim"), u"1.48");  // 0.59 × 20 / 8 = 1.475, not 1.47 from 0.588
}

TEST_F(WorkedExampleTest, EmptyEfficiencyStopsTheCurrents) {
    setUpCircuit("Option1");
    type("TXTN", "");
    type("txtpint", "120");
    EXPECT_EQ(text("txtis"), u"0.60");
    EXPECT_EQ(text("txtlp"), u"0.533");
}

TEST_F(WorkedExampleTest, NoInputVoltageSkipsTheQuotients) {
    setUpCircuit("Option1");
    type("txtudc", "0");
    EXPECT_EQ(text("txtis"), u"0.60");
    EXPECT_EQ(text("txtlp"), u"0.000");  // Lp = Ton × 0 / Δi
}

struct InputVoltageCase {
    const char* acVolts;
    bool bridge;
    const char* dcVolts;
};

class InputVoltageTest : public DesignFixture,
                         public ::testing::WithParamInterface<InputVoltageCase> {};

TEST_P(InputVoltageTest, DcFromLowestMains) {
    if (GetParam().bridge) {
        click("Option2");
        click("Check1");
    }
    type("TxtUmin", GetParam().acVolts);
    EXPECT_EQ(text("txtudc"), QString::fromLatin1(GetParam().dcVolts));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Mains, InputVoltageTest, ::testing::Values(
    InputVoltageCase{"90", false, "115.8"},
    InputVoltageCase{"100", false, "128.7"},
    InputVoltageCase{"100", true, "64.35"},    // half of the shown 128.7, not reformatted
    InputVoltageCase{"176", false, "226.5"},
    InputVoltageCase{"", false, "0.0"},
    InputVoltageCase{"", true, "0"}));
// clang-format on

TEST_F(PrimaryTest, CircuitTypeSetsTheInputVoltageFromMains) {
    type("txtudc", "300");
    click("Option3");
    EXPECT_EQ(text("txtudc"), u"109.4");
    type("TxtUmin", "85");  // same text: nothing runs
    EXPECT_EQ(text("txtudc"), u"109.4");
}

TEST_F(PrimaryTest, BridgeCheckTogglesCaptionAndKeepsTheVoltage) {
    click("Check1");  // disabled until forward is chosen
    EXPECT_EQ(window.sheet().checkValue(Check::Check1), 0);
    click("Option2");
    click("Check1");
    EXPECT_EQ(window.sheet().caption(QStringLiteral("Check1")), u"半桥");
    EXPECT_EQ(text("txtudc"), u"109.4");
    type("TxtUmin", "85.0");
    EXPECT_EQ(text("txtudc"), u"54.7");
    click("Check1");
    EXPECT_EQ(window.sheet().caption(QStringLiteral("Check1")), u"推挽全、全桥");
    EXPECT_EQ(text("txtudc"), u"109.4");
    EXPECT_TRUE(checked("Option2"));
}

TEST_F(PrimaryTest, FlybackOverwritesATypedEfficiency) {
    click("Option2");
    type("TXTN", "0.9");
    click("Option1");
    EXPECT_EQ(text("TXTN"), u"0.8");
    EXPECT_FALSE(checked("Option2"));
    click("Option1");  // clicking the selected option again changes nothing
    EXPECT_EQ(text("TXTN"), u"0.8");
}

}  // namespace
}  // namespace kelvane::design
