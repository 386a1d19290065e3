#include "gui/check/check_page.h"

#include "engine/base/number_text.h"
#include "window_fixture.h"

#include <QPushButton>
#include <QTableWidget>

namespace kelvane::gui {
namespace {

class CheckPageTest : public WindowFixture {
protected:
    // The row of an item on the page, by its caption.
    [[nodiscard]] int rowOf(const QString& caption) const {
        const QTableWidget* table = window.checkPage()->table();
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, 0)->text() == caption) {
                return row;
            }
        }
        return -1;
    }
    [[nodiscard]] QString cell(const QString& caption, int column) const {
        const int row = rowOf(caption);
        return row < 0 ? QStringLiteral("<no row>")
                       : window.checkPage()->table()->item(row, column)->text();
    }
    void typeKeys(const QString& field, const QString& keys) {
        tabInto(field);
        edit(field)->selectAll();
        QTest::keyClicks(edit(field), keys);
    }
};

// The page shows what the engine's check gives for the design as it
// stands, follows typed keys once they have settled, and its own inputs
// go to the design.
TEST_F(CheckPageTest, FollowsTheDesignAndItsOwnInputs) {
    clickButton(QStringLiteral("Option1"));
    typeKeys(QStringLiteral("txtuoutput"), QStringLiteral("12"));
    typeKeys(QStringLiteral("TxtIoutput"), QStringLiteral("2"));
    clickButton(QStringLiteral("Command1"));
    QCoreApplication::processEvents();
    ASSERT_EQ(window.pages()->tabText(3), QStringLiteral("设计校核"));
    const auto expectEngine = [this] {
        const check::CheckResult result = engine.designCheck();
        const QTableWidget* table = window.checkPage()->table();
        ASSERT_EQ(table->rowCount(), int(result.items.size()));
        for (int row = 0; row < table->rowCount(); ++row) {
            EXPECT_EQ(table->item(row, 0)->text(), result.items[size_t(row)].caption);
            EXPECT_EQ(table->item(row, 1)->text(), result.items[size_t(row)].valueText);
            EXPECT_EQ(table->item(row, 4)->text(),
                      check::verdictCaption(result.items[size_t(row)].verdict));
            EXPECT_EQ(table->item(row, 1)->toolTip(), result.items[size_t(row)].formulaText);
        }
        EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("CheckSummaryLink"))->text(),
                  result.summaryText);
    };
    expectEngine();
    typeKeys(QStringLiteral("TxtF"), QStringLiteral("65"));
    QCoreApplication::processEvents();
    expectEngine();
    const QString vds = cell(QStringLiteral("开关管最高电压"), 1);
    ASSERT_FALSE(vds.isEmpty());

    // 230 V at most instead of 265 V: the switch sees less.
    QLineEdit* vacmax = window.checkPage()->input(QStringLiteral("vacmax"));
    window.pages()->setCurrentIndex(3);
    vacmax->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(vacmax, QStringLiteral("230"));
    EXPECT_EQ(engine.checkInput(QStringLiteral("vacmax")), "230");
    EXPECT_TRUE(engine.document().isModified());
    QCoreApplication::processEvents();
    expectEngine();
    EXPECT_LT(parseNumber(cell(QStringLiteral("开关管最高电压"), 1)), parseNumber(vds));

    // The summary on the results page leads to the check's page.
    window.pages()->setCurrentIndex(2);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("CheckSummaryLink")),
                      Qt::LeftButton);
    EXPECT_EQ(window.pages()->currentIndex(), 3);
    EXPECT_EQ(engine.sheet().page(), 3);
}

}  // namespace
}  // namespace kelvane::gui
