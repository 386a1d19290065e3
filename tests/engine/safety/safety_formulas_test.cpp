#include "engine/safety/safety_formulas.h"

#include "engine/safety/safety_presets.h"
#include "engine/sheet/design_sheet.h"

#include <gtest/gtest.h>

namespace kelvane::safety {
namespace {

using sheet::Check;
using sheet::Field;

class SafetyPresetsTest : public ::testing::Test {
protected:
    sheet::DesignSheet sheet;
    SafetyPresets presets{sheet};

    // A primary-to-secondary test voltage typed by the engineer.
    void typeHipot(const char* volts) {
        sheet.setText(Field::TxtHipotPs, QString::fromLatin1(volts));
        presets.recalcCreepage();
    }
};

// Mains transformers pair a 3000 Vac hipot with 6.4 mm of creepage and a
// 3750 Vac hipot with 8 mm (reinforced insulation); the rule between them is
// linear, 1000 Vac giving 1000 / 3750 · 8 = 2.13 mm.
TEST_F(SafetyPresetsTest, CreepageFollowsTheStandardsHipot) {
    presets.applyPreset(Check::OptIEC);
    EXPECT_EQ(sheet.text(Field::TxtMargin), "6.4mm");
    presets.applyPreset(Check::OptVDE);
    EXPECT_EQ(sheet.text(Field::TxtMargin), "8.0mm");
    presets.applyPreset(Check::OptUL);
    EXPECT_EQ(sheet.text(Field::TxtMargin), "2.1mm");
    presets.applyPreset(Check::OptSelf);
    EXPECT_EQ(sheet.text(Field::TxtHipotPs), "1500Vac,50/60Hz,0.7mA,60S");
    EXPECT_EQ(sheet.text(Field::TxtMargin), "3.2mm");
    typeHipot("4500Vac");
    EXPECT_EQ(sheet.text(Field::TxtMargin), "9.6mm");
}

// Self's margin is creepage / 8 · 2 + 1: 3.2 mm gives 1.8, 9.6 mm gives 3.4;
// 3.3 mm (1547 Vac) gives 1.825, which rounds to 1.83.
TEST_F(SafetyPresetsTest, SelfMarginGrowsWithTheCreepage) {
    presets.applyPreset(Check::OptSelf);
    EXPECT_FLOAT_EQ(float(presets.marginFactor()), 1.8f);
    typeHipot("4500Vac");
    EXPECT_FLOAT_EQ(float(presets.marginFactor()), 3.4f);
    typeHipot("1547Vac");
    EXPECT_EQ(sheet.text(Field::TxtMargin), "3.3mm");
    EXPECT_FLOAT_EQ(float(presets.marginFactor()), 1.83f);
}

// A named standard's margin is its own, whatever voltage the engineer types
// afterwards; every preset's name is one the margin knows.
TEST_F(SafetyPresetsTest, NamedStandardsKeepTheirMargin) {
    for (Check option : {Check::OptIEC, Check::OptUL, Check::OptVDE}) {
        presets.applyPreset(option);
        const double margin = presets.marginFactor();
        EXPECT_GT(margin, 1.0) << sheet.text(Field::TxtHipot).toStdString();
        typeHipot("4500Vac");
        EXPECT_EQ(presets.marginFactor(), margin) << sheet.text(Field::TxtHipot).toStdString();
    }
}

TEST(MarginFactor, NamesAreComparedExactly) {
    EXPECT_GT(marginFactor(QStringLiteral("IEC"), 6.4), 1.0);
    EXPECT_EQ(marginFactor(QStringLiteral("iec"), 6.4), 0.0);
    EXPECT_EQ(marginFactor(QString(), 6.4), 0.0);
}

}  // namespace
}  // namespace kelvane::safety
