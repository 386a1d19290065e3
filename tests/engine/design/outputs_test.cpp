#include "../session/design_fixture.h"

namespace kelvane::design {
namespace {

using OutputsTest = DesignFixture;

TEST_F(OutputsTest, FirstAddUsesTheEmptyRowAndClearsTheEntry) {
    click("Command1");
    EXPECT_EQ(row(1), (QStringList{"1", "12", "1", "0.7", "12"}));
    EXPECT_EQ(window.sheet().grid(Table::MS).rowCount(), 2);
    EXPECT_EQ(text("txtno"), u"2");
    EXPECT_EQ(text("txtp"), u"12");
    EXPECT_EQ(text("txtuoutput"), u"");
    EXPECT_EQ(text("TxtIoutput"), u"");
    EXPECT_EQ(text("Txtpout"), u"");
    EXPECT_EQ(text("TXTDIO"), u"0.7");  // kept for the next output
    EXPECT_EQ(window.sheet().focus(), u"txtuoutput");
}

TEST_F(OutputsTest, SecondAddAppendsAndTotals) {
    click("Command1");
    addOutput("5", "2");
    EXPECT_EQ(row(2), (QStringList{"2", "5", "2", "0.7", "10"}));
    EXPECT_EQ(text("txtno"), u"3");
    EXPECT_EQ(text("txtp"), u"22");
    EXPECT_EQ(text("txtpint"), u"25.9");  // 22 / 0.85 = 25.88...
    EXPECT_EQ(text("TxtTransP"), u"22");
}

TEST_F(OutputsTest, EntryPowerUsesTheVoltageMagnitudeOnly) {
    type("txtuoutput", "-12");
    EXPECT_EQ(text("Txtpout"), u"12");
    type("TxtIoutput", "-2");
    EXPECT_EQ(text("Txtpout"), u"-24");  // the current keeps its sign
    type("txtuoutput", "abc");
    EXPECT_EQ(text("Txtpout"), u"0");  // never "-0"
}

TEST_F(OutputsTest, EmptyVoltageOrCurrentIsRefused) {
    type("TxtIoutput", "");
    click("Command1");
    EXPECT_EQ(prompter.takeMessages(), QStringList{"输出电压、电流不能为空"});
    EXPECT_EQ(text("txtno"), u"1");
    EXPECT_EQ(text("txtp"), u"");
    EXPECT_EQ(row(1), (QStringList{"", "", "", "", ""}));
    EXPECT_EQ(window.sheet().focus(), u"txtuoutput");
}

TEST_F(OutputsTest, DeleteRenumbersAndRebuildsTheTotal) {
    click("Command1");    // 12 W
    addOutput("5", "2");  // 10 W
    addOutput("3", "3");  // 9 W
    window.selectOutputRow(1);
    click("Command2");
    EXPECT_EQ(window.sheet().grid(Table::MS).rowCount(), 3);
    EXPECT_EQ(row(1), (QStringList{"1", "5", "2", "0.7", "10"}));
    EXPECT_EQ(row(2), (QStringList{"2", "3", "3", "0.7", "9"}));
    EXPECT_EQ(text("txtno"), u"3");
    EXPECT_EQ(text("txtp"), u"19");
}

TEST_F(OutputsTest, DeleteIsIgnoredWithOneRow) {
    click("Command2");
    EXPECT_EQ(window.sheet().grid(Table::MS).rowCount(), 2);
    click("Command1");
    click("Command2");
    EXPECT_EQ(row(1), (QStringList{"1", "12", "1", "0.7", "12"}));
    EXPECT_EQ(text("txtp"), u"12");
    EXPECT_TRUE(prompter.takeMessages().isEmpty());
}

TEST_F(OutputsTest, SelectLoadsTheRowAndModifyWithoutChangesKeepsIt) {
    click("Command1");
    addOutput("5", "2");
    window.selectOutputRow(1);
    EXPECT_EQ(text("txtuoutput"), u"12");
    EXPECT_EQ(text("TxtIoutput"), u"1");
    EXPECT_EQ(text("TXTDIO"), u"0.7");
    EXPECT_EQ(text("Txtpout"), u"12");
    click("Command12");
    EXPECT_EQ(row(1), (QStringList{"1", "12", "1", "0.7", "12"}));
    EXPECT_EQ(text("txtp"), u"22");
}

TEST_F(OutputsTest, ModifyReplacesTheCurrentRow) {
    click("Command1");
    addOutput("5", "2");
    window.selectOutputRow(2);
    type("TxtIoutput", "4");
    click("Command12");
    EXPECT_EQ(row(2), (QStringList{"2", "5", "4", "0.7", "20"}));
    EXPECT_EQ(text("txtp"), u"32");
}

TEST_F(OutputsTest, EmptyPowerCellCountsZero) {
    click("Command1");
    addOutput("5", "2");
    // The entry line is empty after an add; modifying the current row (the
    // first) stores empty cells without a check.
    click("Command12");
    EXPECT_EQ(row(1), (QStringList{"1", "", "", "0.7", ""}));
    EXPECT_EQ(text("txtp"), u"10");
}

}  // namespace
}  // namespace kelvane::design
