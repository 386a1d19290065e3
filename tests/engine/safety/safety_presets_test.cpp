#include "../session/design_fixture.h"

namespace kelvane::design {
namespace {

struct PresetCase {
    const char* option;
    const char* name;
    const char* primarySecondary;
    const char* primaryCore;
    const char* secondaryCore;
    const char* creepage;
};

class SafetyPresetTest : public DesignFixture, public ::testing::WithParamInterface<PresetCase> {};

TEST_P(SafetyPresetTest, FillsNameHipotAndCreepage) {
    click("OptSelf");  // from another standard, so that every option's click runs
    click(GetParam().option);
    EXPECT_EQ(text("TxtHipot"), QString::fromLatin1(GetParam().name));
    EXPECT_EQ(text("TxtHipotPs"), QString::fromLatin1(GetParam().primarySecondary));
    EXPECT_EQ(text("TxtHipotPc"), QString::fromLatin1(GetParam().primaryCore));
    EXPECT_EQ(text("TxtHipotSc"), QString::fromLatin1(GetParam().secondaryCore));
    EXPECT_EQ(text("TxtMargin"), QString::fromLatin1(GetParam().creepage));
    EXPECT_TRUE(checked(GetParam().option));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Standards, SafetyPresetTest, ::testing::Values(
    PresetCase{"OptIEC", "IEC", "3000Vac,50/60Hz,0.7mA,60S", "2500Vac,50/60Hz,0.7mA,60S",
               "500Vac,50/60Hz,0.7mA,60S", "6.4mm"},
    PresetCase{"OptUL", "UL", "1000Vac,50/60Hz,0.7mA,60S", "1000Vac,50/60Hz,0.7mA,60S",
               "1000Vac,50/60Hz,0.7mA,60S", "2.1mm"},
    PresetCase{"OptVDE", "VDE", "3750Vac,50/60Hz,0.7mA,60S", "2500Vac,50/60Hz,0.7mA,60S",
               "500Vac,50/60Hz,0.7mA,60S", "8.0mm"}));
// clang-format on

using SafetyTest = DesignFixture;

TEST_F(SafetyTest, IecIsChosenAtOpening) {
    EXPECT_TRUE(checked("OptIEC"));
    EXPECT_EQ(text("TxtHipot"), u"IEC");
    EXPECT_EQ(text("TxtHipotPP"), u"1250Vac,50/60Hz,0.7mA,60S");
    EXPECT_EQ(text("TxtHipotSS"), u"500Vac,50/60Hz,0.7mA,60S");
    EXPECT_EQ(text("TxtMargin"), u"6.4mm");
}

TEST_F(SafetyTest, CreepageFollowsThePrimaryToSecondaryVoltage) {
    click("OptSelf");
    EXPECT_EQ(text("TxtMargin"), u"3.2mm");
    type("TxtHipotPs", "4000Vac");
    EXPECT_EQ(text("TxtMargin"), u"8.5mm");
    type("TxtHipotPs", "");
    EXPECT_EQ(text("TxtMargin"), u"0.0mm");
    type("TxtHipotPs", "high");
    EXPECT_EQ(text("TxtMargin"), u"0.0mm");
}

TEST_F(SafetyTest, EditingUlChangesOnlyTheCreepage) {
    click("OptUL");
    type("TxtHipotPs", "3000Vac,50/60Hz");
    EXPECT_EQ(text("TxtMargin"), u"6.4mm");
    EXPECT_EQ(text("TxtHipotPc"), u"1000Vac,50/60Hz,0.7mA,60S");
    EXPECT_EQ(text("TxtHipot"), u"UL");
}

TEST_F(SafetyTest, ClassTemperatureAndAllowedRise) {
    EXPECT_EQ(text("Text13"), u"130℃");  // the class handling runs at opening
    EXPECT_EQ(text("TXTTEMPD"), u"95");
    type("TXTTEMP20", "40");
    EXPECT_EQ(text("TXTTEMPD"), u"95");  // not without Enter
    window.pick(Field::Combo1, QStringLiteral("Class F"));
    EXPECT_EQ(text("Text13"), u"155℃");
    EXPECT_EQ(text("TXTTEMPD"), u"105");
}

TEST_F(SafetyTest, EnterRecomputesATypedRise) {
    type("TXTTEMPD", "60");
    enter("TXTTEMPD");
    EXPECT_EQ(text("TXTTEMPD"), u"95");
    type("TXTTEMP20", "30.5");
    enter("TXTTEMP20");
    EXPECT_EQ(text("TXTTEMPD"), u"89.5");
}

TEST_F(SafetyTest, UnknownClassKeepsTheTemperature) {
    type("Combo1", "Class Z");
    EXPECT_EQ(text("Text13"), u"130℃");
    EXPECT_EQ(text("TXTTEMPD"), u"95");
    type("Combo1", "Class Y");
    EXPECT_EQ(text("Text13"), u"90℃");
    EXPECT_EQ(text("TXTTEMPD"), u"55");
}

}  // namespace
}  // namespace kelvane::design
