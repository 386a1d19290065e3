#include "../session/design_fixture.h"

namespace kelvane::design {
namespace {

// The worked example: one output 12 V + 0.7 V at 1 A, Udc 109.4 V, Ton 8 µs,
// Is 0.60 A, Bm 200 mT, J 5, on the core EE16 (Ae 20, Le 34.6, Aw 40, turn
// length 30 mm) of the material M2000 (Ui 2000).
class DesignResultsTest : public DesignFixture {
protected:
    void SetUp() override {
        click("Option1");
        type("TxtF", "50");
        type("txtd", "0.4");
        click("Command1");
        type("txtpint", "65.6");
        type("txtbm", "200");
        type("TXTCORE", "EE16");
        click("Command10");
    }
    [[nodiscard]] QStringList winding(int row) const {
        return window.sheet().grid(Table::MSwin).rows[row];
    }
};

TEST_F(DesignResultsTest, FillFactorAtTheIecLimitIsRed) {
    // 1.2 · 25 · 0.204 / 40 = 0.153, shown 0.15: not below 0.15
    EXPECT_EQ(text("TxtKwin"), u"0.15");
    EXPECT_EQ(window.sheet().color(Field::TxtKwin), 255);
    click("OptUL");
    click("Command10");
    EXPECT_EQ(window.sheet().color(Field::TxtKwin), 65280);
}

TEST_F(DesignResultsTest, SecondOutputLeavesThePrimaryAlone) {
    type("txtuoutput", "5");
    type("TxtIoutput", "2");
    click("Command1");
    type("TXTCORE", "EE1");
    type("TXTCORE", "EE16");
    click("Command10");
    EXPECT_EQ(winding(0)[1], u"219");
    EXPECT_EQ(winding(2)[0], u"N3");
    EXPECT_EQ(winding(2)[1], u"11");  // 5.7 · 8 / 4 = 11.4
    const double losses = winding(1)[5].toDouble() + winding(2)[5].toDouble();
    EXPECT_EQ(text("TxtWinLost"), QString::number(losses));
}

TEST_F(DesignResultsTest, ThreeOutputsAreNamedN2ToN4) {
    addOutput("5", "2");
    addOutput("3.3", "1");
    click("Command10");
    ASSERT_EQ(window.sheet().grid(Table::MSwin).rowCount(), 4);
    EXPECT_EQ(winding(1)[0], u"N2");
    EXPECT_EQ(winding(2)[0], u"N3");
    EXPECT_EQ(winding(3)[0], u"N4");
    EXPECT_EQ(winding(0)[0], u"");
}

TEST_F(DesignResultsTest, ForwardLeavesTheGap) {
    click("Option2");
    type("TxtGap", "x");
    click("Command10");
    EXPECT_EQ(text("TxtGap"), u"x");
}

TEST_F(DesignResultsTest, ZeroCurrentDensityAndFluxLeaveEmptyCells) {
    type("TxtJ", "0");
    click("Command10");
    EXPECT_EQ(winding(1)[2], u"");  // no diameter
    EXPECT_EQ(winding(1)[3], u"");  // so no resistance
    EXPECT_EQ(winding(1)[4], u"0");
    EXPECT_EQ(winding(1)[6], u"0.000000");
    type("TxtJ", "5");
    type("txtbm", "0");
    const QString al = text("TxtAl");
    click("Command10");
    EXPECT_EQ(winding(1)[1], u"");
    EXPECT_EQ(winding(0)[1], u"");
    EXPECT_EQ(text("TxtAl"), al);  // no primary turns: kept
    EXPECT_EQ(text("TxtKwin"), u"0.00");
}

TEST_F(DesignResultsTest, RunningTwiceGivesTheSameTexts) {
    const QString before = text("TxtWinLost") + text("TxtCuWeigh") + text("TxtKwin") +
                           text("TxtTempUp") + winding(1).join(u'|');
    click("Command10");
    EXPECT_EQ(text("TxtWinLost") + text("TxtCuWeigh") + text("TxtKwin") + text("TxtTempUp") +
                  winding(1).join(u'|'),
              before);
}

}  // namespace
}  // namespace kelvane::design
