#include "gui/check/check_page.h"

#include "engine/base/number_text.h"
#include "window_fixture.h"

#include <QComboBox>
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
    EXPECT_EQ(engine.checkInputs().value(QStringLiteral("vacmax")), "230");
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

// A design filled in while the check's page is hidden: once the page shows,
// a row with a short sentence is one line high, not wrapped in the narrow
// column the hidden page had.
TEST_F(CheckPageTest, RowsFilledWhileHiddenFitTheirSentencesWhenShown) {
    window.pages()->setCurrentIndex(0);
    clickButton(QStringLiteral("Option1"));
    typeKeys(QStringLiteral("txtuoutput"), QStringLiteral("12"));
    typeKeys(QStringLiteral("TxtIoutput"), QStringLiteral("2"));
    clickButton(QStringLiteral("Command1"));
    QCoreApplication::processEvents();
    const QTableWidget* table = window.checkPage()->table();
    ASSERT_FALSE(table->isVisible());
    ASSERT_GT(table->rowCount(), 0);
    window.pages()->setCurrentIndex(3);
    QCoreApplication::processEvents();
    ASSERT_TRUE(table->isVisible());
    const int line = table->fontMetrics().lineSpacing();
    int oneLine = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QString sentence = table->item(row, 5)->text();
        if (table->fontMetrics().horizontalAdvance(sentence) + line < table->columnWidth(5)) {
            ++oneLine;
            EXPECT_LT(table->rowHeight(row), 2 * line) << sentence.toStdString();
        }
    }
    EXPECT_GT(oneLine, 3);
}

// The pins table lists a row for each winding with its pins in winding
// order, in grey until typed; a pin typed in its cell, a kind or wire
// picked in its box and the test signal typed in its field go to the
// design, and the sheet follows.
TEST_F(CheckPageTest, PinsTableKeepsTheEngineersChoices) {
    clickButton(QStringLiteral("Option1"));
    for (const auto& [volts, amps] : {std::pair{"12", "2"}, {"5", "1"}}) {
        typeKeys(QStringLiteral("txtuoutput"), QString::fromLatin1(volts));
        typeKeys(QStringLiteral("TxtIoutput"), QString::fromLatin1(amps));
        clickButton(QStringLiteral("Command1"));
    }
    QCoreApplication::processEvents();
    window.pages()->setCurrentIndex(3);
    QTableWidget* pins = window.checkPage()->pinTable();
    const auto row = [pins](int r) {
        QStringList cells;
        for (int column = 0; column < pins->columnCount(); ++column) {
            const auto* box = qobject_cast<QComboBox*>(pins->cellWidget(r, column));
            cells.append(box ? box->currentText() : pins->item(r, column)->text());
        }
        return cells;
    };
    // Each row is the construction's winding: name, kind, pins, wire.
    const auto expectSheet = [this, &row] {
        const construction::Construction sheet = engine.construction();
        ASSERT_EQ(window.checkPage()->pinTable()->rowCount(), int(sheet.windings.size()));
        for (int r = 0; r < int(sheet.windings.size()); ++r) {
            const construction::Winding& w = sheet.windings[size_t(r)];
            EXPECT_EQ(row(r), (QStringList{w.name, construction::kindCaption(w.kind), w.startPin,
                                           w.hasTap ? w.tapPin : QStringLiteral("—"), w.finishPin,
                                           w.tripleInsulated ? "三层绝缘线" : "漆包线"}));
        }
    };
    ASSERT_EQ(pins->rowCount(), 3);
    expectSheet();
    EXPECT_EQ(row(2).mid(0, 2), (QStringList{"N3", "次级"}));
    const QColor numbered = pins->item(1, 2)->foreground().color();

    // The engineer types 9 over N2's start and presses Enter, which the
    // delegate commits once the key has been handled.
    pins->setFocus();
    pins->setCurrentCell(1, 2);
    pins->editItem(pins->item(1, 2));
    auto* editor = pins->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("9"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(engine.checkInputs().value(QStringLiteral("start(1)")), "9");
    EXPECT_TRUE(engine.document().isModified());

    // N3 is a bias winding, N2 triple insulated, Lp tested at 20 kHz.
    auto* kind = qobject_cast<QComboBox*>(pins->cellWidget(2, 1));
    ASSERT_NE(kind, nullptr);
    Q_EMIT kind->activated(1);
    auto* wire = qobject_cast<QComboBox*>(pins->cellWidget(1, 5));
    ASSERT_NE(wire, nullptr);
    Q_EMIT wire->activated(1);
    QLineEdit* frequency = window.findChild<QLineEdit*>(QStringLiteral("checkinput.lptestf"));
    ASSERT_NE(frequency, nullptr);
    frequency->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(frequency, QStringLiteral("20"));
    EXPECT_EQ(engine.checkInputs().value(QStringLiteral("kind(2)")), "初级侧辅助");
    EXPECT_EQ(engine.checkInputs().value(QStringLiteral("wire(1)")), "三层绝缘线");
    EXPECT_EQ(engine.checkInputs().value(QStringLiteral("lptestf")), "20");
    QCoreApplication::processEvents();
    const construction::Construction sheet = engine.construction();
    EXPECT_EQ(sheet.windings[1].startPin, "9");
    EXPECT_TRUE(sheet.windings[1].tripleInsulated);
    EXPECT_EQ(sheet.windings[2].kind, construction::WindingKind::Bias);
    EXPECT_EQ(sheet.testFrequencyKHz, 20.0);
    // The bias winding belongs with the primary now; N2's typed pin shows
    // as typed, the numbered ones in grey.
    expectSheet();
    EXPECT_EQ(row(1).value(2), "9");
    EXPECT_EQ(row(2).value(1), "初级侧辅助");
    EXPECT_NE(pins->item(1, 2)->foreground().color(), numbered);
    EXPECT_EQ(pins->item(1, 4)->foreground().color(), numbered);

    // A design script's pin goes through the same cell; one of a winding
    // the design has not goes to the design directly.
    window.checkPage()->enterConstructionInput(QStringLiteral("finish(0)"), QStringLiteral("12"));
    window.checkPage()->enterConstructionInput(QStringLiteral("start(7)"), QStringLiteral("30"));
    EXPECT_EQ(pins->item(0, 4)->text(), "12");
    EXPECT_EQ(engine.checkInputs().value(QStringLiteral("finish(0)")), "12");
    EXPECT_EQ(engine.checkInputs().value(QStringLiteral("start(7)")), "30");
    // The sandwich's middle pin is no cell while the primary takes one layer.
    EXPECT_FALSE(pins->item(0, 3)->flags() & Qt::ItemIsEditable);
}

}  // namespace
}  // namespace kelvane::gui
