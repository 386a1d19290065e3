#include "gui/advice/advice_chart.h"
#include "gui/advice/frm_advisor.h"
#include "window_fixture.h"

#include <QAction>
#include <QProcess>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>

namespace kelvane::gui {
namespace {

using advice::AdviceColumn;

class AdvisorTest : public WindowFixture {
protected:
    // The engineer replaces a field's text by typing.
    void typeInto(const QString& name, const QString& value) {
        tabInto(name);
        edit(name)->selectAll();
        QTest::keyClicks(edit(name), value);
    }
    // A flyback with an output, typed into the design window.
    void enterDesign() {
        clickButton(QStringLiteral("Option1"));
        typeInto(QStringLiteral("TxtF"), QStringLiteral("65"));
        typeInto(QStringLiteral("txtuoutput"), QStringLiteral("12"));
        typeInto(QStringLiteral("TxtIoutput"), QStringLiteral("4"));
        clickButton(QStringLiteral("Command1"));
    }
    // Opens the adviser from its menu item and waits for its rows.
    FrmAdvisor& openAdvisor() {
        auto* item = window.findChild<QAction*>(QStringLiteral("ADVISOR"));
        EXPECT_NE(item, nullptr);
        item->trigger();
        FrmAdvisor& advisor = window.advisorWindow();
        EXPECT_TRUE(advisor.isVisible());
        waitForRows(advisor);
        return advisor;
    }
    static void waitForRows(FrmAdvisor& advisor) {
        QSignalSpy shown(&advisor, &FrmAdvisor::rowsShown);
        EXPECT_TRUE(shown.wait(5000));
    }
    static QStringList rowTexts(const FrmAdvisor& advisor, int row) {
        QStringList texts;
        const QAbstractItemModel* model = advisor.table()->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            texts.append(model->index(row, column).data().toString());
        }
        return texts;
    }
};

// The window lists the feasible rows of power materials, as the engine's
// power-only run does, and without that filter what the script's advise
// lists, in the same order; the menu's TOOL item still opens the wire
// calculator.
TEST_F(AdvisorTest, ShowsTheFeasibleRowsByTotalLoss) {
    enterDesign();
    FrmAdvisor& advisor = openAdvisor();
    advice::AdviceOptions power;
    power.powerOnly = true;
    for (const bool powerOnly : {true, false}) {
        advisor.filter()->setPowerOnly(powerOnly);
        const advice::Advice rows = powerOnly ? engine.advise(power) : engine.advise();
        ASSERT_FALSE(rows.isEmpty());
        ASSERT_EQ(advisor.table()->model()->rowCount(), rows.size());
        for (int r = 0; r < rows.size(); ++r) {
            EXPECT_EQ(rowTexts(advisor, r), rows.texts(rows[r]));
        }
        // The chart draws the rows shown, and their front.
        EXPECT_FALSE(advisor.chart()->front().empty());
    }
    window.findChild<QAction*>(QStringLiteral("TOOL"))->trigger();
    EXPECT_TRUE(engine.windows().isOpen(session::Window::WireTools));
}

// Without the feasible-only filter every candidate shows; sorting by a
// numeric column sorts by number.
TEST_F(AdvisorTest, FiltersAndSortsByNumber) {
    enterDesign();
    FrmAdvisor& advisor = openAdvisor();
    advisor.filter()->setFeasibleOnly(false);
    advice::AdviceOptions all;
    all.feasibleOnly = false;
    all.powerOnly = true;
    EXPECT_EQ(advisor.table()->model()->rowCount(), engine.advise(all).size());
    // The rows are ordered off the GUI thread, and stay in that order as
    // the design changes.
    advisor.table()->sortByColumn(int(AdviceColumn::PrimaryTurns), Qt::DescendingOrder);
    waitForRows(advisor);
    const QAbstractItemModel* model = advisor.table()->model();
    const auto turnsDescend = [model] {
        ASSERT_GT(model->rowCount(), 1);
        const auto turns = [model](int r) {
            return model->index(r, int(AdviceColumn::PrimaryTurns)).data().toString().toDouble();
        };
        for (int r = 1; r < model->rowCount(); ++r) {
            ASSERT_GE(turns(r - 1), turns(r)) << r;
        }
        EXPECT_GT(turns(0), turns(model->rowCount() - 1));
    };
    turnsDescend();
    engine.type(sheet::Field::TxtF, QStringLiteral("100"));
    waitForRows(advisor);
    turnsDescend();
    advisor.filter()->setMaker(QStringLiteral("Ferroxcube"));
    ASSERT_GT(model->rowCount(), 0);
    for (int r = 0; r < model->rowCount(); ++r) {
        EXPECT_EQ(model->index(r, int(AdviceColumn::Maker)).data().toString(),
                  QStringLiteral("Ferroxcube"));
        // Rows are numbered as shown, whatever the filter hides.
        EXPECT_EQ(model->headerData(r, Qt::Vertical).toInt(), r + 1);
    }
}

// A double-click applies the row's pair to the design, and the window then
// shows the changed design's rows.
TEST_F(AdvisorTest, DoubleClickAppliesTheRowAndFollowsTheDesign) {
    enterDesign();
    FrmAdvisor& advisor = openAdvisor();
    const QStringList chosen = rowTexts(advisor, 1);
    QTableView* table = advisor.table();
    const QRect cell = table->visualRect(table->model()->index(1, 0));
    QSignalSpy shown(&advisor, &FrmAdvisor::rowsShown);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(text(QStringLiteral("TxtCoreSize")), chosen[int(AdviceColumn::Core)]);
    EXPECT_EQ(text(QStringLiteral("TxtApp(1)")), chosen[int(AdviceColumn::Material)]);
    EXPECT_EQ(text(QStringLiteral("txtbm")), chosen[int(AdviceColumn::FluxDensity)]);
    EXPECT_EQ(text(QStringLiteral("TxtWinLost")), chosen[int(AdviceColumn::CopperLoss)]);
    ASSERT_TRUE(shown.wait(5000));
    // A new frequency: the rows follow it.
    engine.type(sheet::Field::TxtF, QStringLiteral("130"));
    waitForRows(advisor);
    advice::AdviceOptions power;
    power.powerOnly = true;
    const advice::Advice rows = engine.advise(power);
    EXPECT_EQ(table->model()->rowCount(), rows.size());
    for (int r = 0; r < table->model()->rowCount(); ++r) {
        EXPECT_EQ(rowTexts(advisor, r), rows.texts(rows[r]));
    }
}

// A click on a point of the chart selects its row in the table; a
// double-click applies its pair.
TEST_F(AdvisorTest, ChartPointsSelectAndApplyTheirRows) {
    enterDesign();
    FrmAdvisor& advisor = openAdvisor();
    advisor.resize(1400, 700);
    AdviceChart* chart = advisor.chart();
    ASSERT_FALSE(chart->front().empty());
    const int pair = chart->front().back();
    const QPoint at = chart->pointOf(pair).toPoint();
    ASSERT_EQ(chart->rowAt(at), pair);
    QTest::mouseClick(chart, Qt::LeftButton, {}, at);
    const QModelIndex current = advisor.table()->currentIndex();
    ASSERT_TRUE(current.isValid());
    const QStringList chosen = rowTexts(advisor, current.row());
    QTest::mouseDClick(chart, Qt::LeftButton, {}, at);
    EXPECT_EQ(text(QStringLiteral("TxtCoreSize")), chosen[int(AdviceColumn::Core)]);
    EXPECT_EQ(text(QStringLiteral("TxtApp(1)")), chosen[int(AdviceColumn::Material)]);
}

// The report exported from the adviser holds the design's sections and the
// adviser's: the rows the window shows first, the front and the chart.
TEST_F(AdvisorTest, ExportedReportHoldsTheShownRowsAndTheFront) {
    enterDesign();
    FrmAdvisor& advisor = openAdvisor();
    QTemporaryDir directory;
    const QString pdf = directory.filePath(QStringLiteral("advice.pdf"));
    ASSERT_TRUE(advisor.exportReport(pdf));
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(20000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("13 磁芯推荐"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("帕累托前沿")));
    // The first row the window shows, by its core and total loss.
    const QStringList first = rowTexts(advisor, 0);
    EXPECT_TRUE(text.contains(first[int(AdviceColumn::Core)]));
    EXPECT_TRUE(text.contains(first[int(AdviceColumn::TotalLoss)]));
    // The design's own sections come first.
    EXPECT_TRUE(text.contains(QStringLiteral("7 设计校核")));
}

}  // namespace
}  // namespace kelvane::gui
