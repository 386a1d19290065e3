#include "catalogue/material_maintenance.h"

#include "../design/design_fixture.h"
#include "catalogue/catalogue_schema.h"
#include "script/engine_target.h"
#include "script/script_runner.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextStream>

#include <vector>

namespace kelvane::design {
namespace {

// Every stored row of `materials` in rowid order, the 26 columns in field
// order, each cell as SQLite quotes it (NULL, 4.8, 'M2000'), so that a number
// stored as text or an empty text stored instead of NULL shows.
QVector<QStringList> storedRows(const QString& path) {
    const QString connection = QStringLiteral("stored-rows");
    QVector<QStringList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QStringList cells;
        for (int index = 0; index <= 25; ++index) {
            cells.append(QStringLiteral("quote(%1)")
                             .arg(catalogue::quoted(catalogue::materialColumnOfField(index))));
        }
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(
            QStringLiteral("SELECT %1 FROM materials ORDER BY rowid").arg(cells.join(u','))));
        while (query.next()) {
            QStringList row;
            for (int index = 0; index <= 25; ++index) {
                row.append(query.value(index).toString());
            }
            rows.append(row);
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}

int fieldOfColumn(const char* column) {
    for (int index = 0; index <= 25; ++index) {
        if (catalogue::materialColumnOfField(index) == QLatin1String(column)) {
            return index;
        }
    }
    ADD_FAILURE() << "no column " << column;
    return 0;
}

class MaintenanceTest : public DesignFixture {
protected:
    [[nodiscard]] QString states() const {
        QString text;
        for (const char* control :
             {"TxtApp", "Command3", "Command4", "Command5", "Command6", "Command7", "Command8"}) {
            text += window.sheet().isEnabled(QString::fromLatin1(control)) ? u'1' : u'0';
        }
        return text;
    }
    [[nodiscard]] const catalogue::DataSource& materials() const {
        return window.catalogue().materials();
    }
    void answer(script::ScriptedPrompter::Answer::Kind kind, const QString& text = {}) {
        prompter.queue({kind, text});
    }
    using Kind = script::ScriptedPrompter::Answer::Kind;
};

// Enabled states, in the order TxtApp, Command3 .. Command8.
TEST_F(MaintenanceTest, ModeAfterEachButton) {
    EXPECT_EQ(states(), u"0110011");  // the layout's initial states
    click("Command3");
    EXPECT_EQ(states(), u"1101100");
    click("Command5");
    EXPECT_EQ(states(), u"0110011");
    EXPECT_EQ(window.sheet().focus(), u"Command7");
    click("Command8");
    EXPECT_EQ(states(), u"1001110");  // find keeps its state
    EXPECT_EQ(window.sheet().focus(), u"TxtApp(0)");
    click("Command6");
    EXPECT_EQ(states(), u"1010111");
}

TEST_F(MaintenanceTest, ModifyAndSaveWritesTheRow) {
    click("Command3");
    type("TxtApp(1)", "M2001");
    type("TxtApp(2)", "2100");
    click("Command5");
    EXPECT_TRUE(prompter.takeMessages().isEmpty());
    type("Text1", "M2001");
    EXPECT_EQ(materials().count(), 1);
    EXPECT_EQ(text("TxtApp(2)"), u"2100");
    EXPECT_EQ(text("TxtApp(21)"), u"Test Ferrite Works");  // other columns kept
}

TEST_F(MaintenanceTest, AddStartsAnEmptyRowAndSaveInsertsIt) {
    click("Command8");
    EXPECT_EQ(text("TxtApp(1)"), u"");
    EXPECT_EQ(text("TxtApp(8)"), u"");
    type("TxtApp(1)", "NEW1");
    type("TxtApp(2)", "2500");
    type("TxtApp(8)", "4.9");
    click("Command5");
    EXPECT_EQ(materials().count(), 6);
    EXPECT_EQ(text("TxtApp(1)"), u"NEW1");  // the new row is current
    EXPECT_EQ(materials().position(), 6);
}

TEST_F(MaintenanceTest, CancelDropsThePendingEdit) {
    click("Command3");
    type("TxtApp(1)", "changed");
    click("Command6");
    EXPECT_EQ(text("TxtApp(1)"), u"M2000");
    type("Text1", "changed");
    EXPECT_EQ(materials().count(), 0);
}

TEST_F(MaintenanceTest, DeleteAskedNoKeepsYesRemoves) {
    click("Command4");
    EXPECT_EQ(prompter.takeMessages(), QStringList{"确定删除记录吗?"});
    EXPECT_EQ(materials().count(), 5);
    answer(Kind::Yes);
    click("Command4");
    EXPECT_EQ(materials().count(), 4);
    EXPECT_EQ(text("TxtApp(1)"), u"M1500");  // the next row
    EXPECT_TRUE(window.sheet().isEnabled(QStringLiteral("Command6")));
}

TEST_F(MaintenanceTest, FindByExactType) {
    answer(Kind::Text, QStringLiteral("M2000's"));
    click("Command7");
    EXPECT_EQ(text("TxtApp(1)"), u"M2000's");
    EXPECT_EQ(prompter.takeMessages(), QStringList{"请输入胶带型号"});
    answer(Kind::Text, QStringLiteral("M20"));  // no wildcard
    click("Command7");
    EXPECT_EQ(prompter.takeMessages(), (QStringList{"请输入胶带型号", "没有相应的型号"}));
    EXPECT_EQ(text("TxtApp(1)"), u"M2000's");
    answer(Kind::Text, QString());
    click("Command7");
    click("Command7");  // cancelled
    EXPECT_EQ(prompter.takeMessages(), (QStringList{"请输入胶带型号", "请输入胶带型号"}));
}

TEST_F(MaintenanceTest, NonNumberIsRefusedAndTheEditStays) {
    click("Command3");
    type("TxtApp(2)", "lots");
    click("Command5");
    EXPECT_TRUE(prompter.takeMessages().value(0).startsWith(u"保存失败："));
    EXPECT_EQ(states(), u"1101100");
    type("TxtApp(2)", "1900");
    click("Command5");
    EXPECT_EQ(states(), u"0110011");
    EXPECT_EQ(text("TxtApp(2)"), u"1900");
}

TEST_F(MaintenanceTest, DatabaseRefusalShowsItsReasonAndLosesNothing) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "refuse");
        db.setDatabaseName(window.catalogue().path());
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(
            QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON materials "
                           "BEGIN SELECT RAISE(ABORT, 'materials are locked'); END"));
        db.close();
    }
    QSqlDatabase::removeDatabase("refuse");
    click("Command3");
    type("TxtApp(1)", "M2002");
    click("Command5");
    const QString message = prompter.takeMessages().value(0);
    EXPECT_TRUE(message.contains(u"materials are locked")) << message.toStdString();
    EXPECT_EQ(text("TxtApp(1)"), u"M2002");  // still on screen, still pending
    EXPECT_TRUE(window.sheet().isEnabled(QStringLiteral("Command5")));
}

// A stored cell that differs from the fixture: record `row` (1-based, in
// rowid order after the deletions), the column, the cell as SQLite quotes it.
struct StoredCell {
    int row;
    const char* column;
    const char* quoted;
};

struct SessionCase {
    const char* name;
    const char* script;               // a design script; %DIR% is the test's own directory
    std::vector<int> deleted;         // fixture rows gone, 1-based
    int rows;                         // stored rows afterwards
    std::vector<StoredCell> changed;  // every other cell is the fixture's
    QStringList messages;
    const char* current;  // TxtApp(1) afterwards
    const char* data1;    // "position/count recordSource" of Data1 afterwards
};

class MaintenanceSessionTest : public MaintenanceTest,
                               public ::testing::WithParamInterface<SessionCase> {
protected:
    void runScript(QString text) {
        text.replace(QStringLiteral("%DIR%"), directory.path());
        const QString path = directory.filePath(QStringLiteral("session.script"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        file.close();
        script::EngineTarget target(window);
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        ASSERT_EQ(script::runScript(path, window, target, prompter, outStream, errStream), 0)
            << err.toStdString();
    }
};

TEST_P(MaintenanceSessionTest, StoredRowsAfterTheSession) {
    const SessionCase& c = GetParam();
    runScript(QString::fromUtf8(c.script));

    QVector<QStringList> expected = storedRows(QStringLiteral(KELVANE_TEST_CATALOGUE));
    for (auto it = c.deleted.rbegin(); it != c.deleted.rend(); ++it) {
        expected.removeAt(*it - 1);
    }
    while (expected.size() < c.rows) {
        expected.append(QStringList(26, QStringLiteral("NULL")));
    }
    for (const StoredCell& cell : c.changed) {
        expected[cell.row - 1][fieldOfColumn(cell.column)] = QString::fromUtf8(cell.quoted);
    }
    EXPECT_EQ(storedRows(window.catalogue().path()), expected);
    EXPECT_EQ(prompter.takeMessages(), c.messages);
    EXPECT_EQ(text("TxtApp(1)"), QString::fromUtf8(c.current));
    EXPECT_EQ(QStringLiteral("%1/%2 %3")
                  .arg(materials().position())
                  .arg(materials().count())
                  .arg(materials().recordSource()),
              QString::fromUtf8(c.data1));
}

const QString kAll = QStringLiteral("materials");

// Fixture rows in stored order: 1 M2000, 2 M1500, 3 M5000, 4 M2000's, 5 m%50.
const SessionCase kSessions[] = {
    {"EditThenSearchWithoutMatchKeepsTheEditedRow",
     "click Command3\ntype TxtApp(21) MyEdit\ntype Text1 ZZZ\nclick Command5\n",
     {},
     5,
     {{1, "Factory", "'MyEdit'"}},
     {},
     "",
     "0/0 select * from materials where Type like\"ZZZ*\""},
    {"EditThenSearchToAnotherRowWritesNoCopy",
     "click Command3\ntype TxtApp(21) MyEdit\ntype Text1 M15\nclick Command5\n",
     {},
     5,
     {{1, "Factory", "'MyEdit'"}},
     {},
     "M1500",
     "1/1 select * from materials where Type like\"M15*\""},
    {"AddThenSearchInsertsTheNewRowFirst",
     "click Command8\ntype TxtApp(1) NEW1\ntype TxtApp(8) 4.9\ntype Text1 M15\n"
     "click Command5\n",
     {},
     6,
     {{6, "Type", "'NEW1'"}, {6, "Density", "4.9"}},
     {},
     "M1500",
     "1/1 select * from materials where Type like\"M15*\""},
    {"AddThenGridMoveThenSaveWritesTheRowMovedTo",
     "click Command8\ntype TxtApp(1) NEW2\nselect DBGrid1 3\ntype TxtApp(21) Later\n"
     "click Command5\n",
     {},
     6,
     {{6, "Type", "'NEW2'"}, {3, "Factory", "'Later'"}},
     {},
     "M5000",
     "3/6 materials"},
    {"ModifyOnAnEmptyRecordSetInsertsNothing",
     "type Text1 ZZZ\nclick Command3\ntype TxtApp(1) Ghost\nclick Command5\ntype Text1\n",
     {},
     5,
     {},
     {},
     "M2000",
     "1/5 select * from materials where Type like\"*\""},
    {"EditBelongsToTheRowCurrentWhenTyped",
     "click Command3\nselect DBGrid1 2\ntype TxtApp(8) 8.5\nclick Command5\n",
     {},
     5,
     {{2, "Density", "8.5"}},
     {},
     "M1500",
     "2/5 materials"},
    {"RefusedCommitCancelsGridSearchAndFileMoves",
     "type Text1 M15\nsave %DIR%/d.dat\ntype Text1\nclick Command3\ntype TxtApp(8) X\n"
     "select DBGrid1 2\ntype Text1 M1\nopen %DIR%/d.dat\ntype TxtApp(8) 5.5\n"
     "select DBGrid1 2\n",
     {},
     5,
     {{1, "Density", "5.5"}},
     {"保存操作成功！", "保存失败：“X”不是数字（Density）", "保存失败：“X”不是数字（Density）",
      "保存失败：“X”不是数字（Density）"},
     "M1500",
     "2/5 select * from materials where Type like\"*\""},
    {"ChoosingTheCurrentRecordCommitsNothing",
     "click Command3\ntype TxtApp(8) X\nselect DBGrid1 1\n",
     {},
     5,
     {},
     {},
     "M2000",
     "1/5 materials"},
    {"FindIgnoresLetterCase",
     "answer text m1500\nclick Command7\n",
     {},
     5,
     {},
     {"请输入胶带型号"},
     "M1500",
     "2/5 materials"},
    {"FindDuringAddInsertsTheNewRowFirst",
     "click Command8\ntype TxtApp(1) NEW3\nanswer text m5000\nclick Command7\n",
     {},
     6,
     {{6, "Type", "'NEW3'"}},
     {"请输入胶带型号"},
     "M5000",
     "3/6 materials"},
    {"FindDuringAddOfTheRecordCurrentBeforeAddShowsIt",
     "click Command8\ntype TxtApp(1) NEW5\nanswer text M2000\nclick Command7\n",
     {},
     6,
     {{6, "Type", "'NEW5'"}},
     {"请输入胶带型号"},
     "M2000",
     "1/6 materials"},
    {"AddThenChoosingTheHighlightedRowIsNoMove",
     "click Command8\ntype TxtApp(1) NEW6\nselect DBGrid1 1\n",
     {},
     5,
     {},
     {},
     "NEW6",
     "1/5 materials"},
    {"FindWithoutMatchDuringAddKeepsTheRowPending",
     "click Command8\ntype TxtApp(1) NEW4\nanswer text nothing\nclick Command7\n",
     {},
     5,
     {},
     {"请输入胶带型号", "没有相应的型号"},
     "NEW4",
     "1/5 materials"},
    {"DesignFileOpeningCommitsTheEditFirst",
     "type Text1 M15\nsave %DIR%/d.dat\ntype Text1\nclick Command3\n"
     "type TxtApp(21) FileEdit\nopen %DIR%/d.dat\n",
     {},
     5,
     {{1, "Factory", "'FileEdit'"}},
     {"保存操作成功！"},
     "M1500",
     "1/1 select * from materials where Type like\"M1500*\""},
    {"CancelAfterAddShowsTheStoredRow",
     "click Command8\ntype TxtApp(1) Draft\nclick Command6\n",
     {},
     5,
     {},
     {},
     "M2000",
     "1/5 materials"},
    {"CancelOnAnEmptyRecordSetEmptiesTheFields",
     "type Text1 ZZZ\nclick Command8\ntype TxtApp(1) Draft\nclick Command6\n",
     {},
     5,
     {},
     {},
     "",
     "0/0 select * from materials where Type like\"ZZZ*\""},
    {"TextsTypedAfterCancelAreNoEdit",
     "click Command3\nclick Command6\ntype TxtApp(21) Loose\nselect DBGrid1 2\n",
     {},
     5,
     {},
     {},
     "M1500",
     "2/5 materials"},
    {"DeleteWithNoCurrentRowChangesNothing",
     "type Text1 ZZZ\nanswer yes\nclick Command4\n",
     {},
     5,
     {},
     {"确定删除记录吗?", "删除失败：no current record"},
     "",
     "0/0 select * from materials where Type like\"ZZZ*\""},
    {"DeleteMakesTheNextRowCurrent",
     "answer yes\nclick Command4\n",
     {1},
     4,
     {},
     {"确定删除记录吗?"},
     "M1500",
     "1/4 materials"},
    {"SavedRowStaysListedWhenItLeavesTheQuery",
     "type Text1 M1\nclick Command3\ntype TxtApp(1) Z1\nclick Command5\n",
     {},
     5,
     {{2, "Type", "'Z1'"}},
     {},
     "Z1",
     "1/1 select * from materials where Type like\"M1*\""},
    {"NewRowIsListedLastAndCurrentAfterSave",
     "type Text1 M1\nclick Command8\ntype TxtApp(1) Q9\nclick Command5\n",
     {},
     6,
     {{6, "Type", "'Q9'"}},
     {},
     "Q9",
     "2/2 select * from materials where Type like\"M1*\""},
};

INSTANTIATE_TEST_SUITE_P(Sessions, MaintenanceSessionTest, ::testing::ValuesIn(kSessions),
                         [](const auto& info) { return std::string(info.param.name); });

// What Save stores in the numeric column InitialPermeability for a typed
// text, or the refusal; an empty expectation means refused.
struct NumberCase {
    const char* typed;
    const char* quoted;
};

class NumberColumnTest : public MaintenanceTest,
                         public ::testing::WithParamInterface<NumberCase> {};

TEST_P(NumberColumnTest, SaveStoresAFiniteStrictNumberOnly) {
    const NumberCase& c = GetParam();
    click("Command3");
    type("TxtApp(2)", QString::fromUtf8(c.typed));
    click("Command5");
    const QString stored = storedRows(window.catalogue().path())[0][2];
    const QStringList messages = prompter.takeMessages();
    if (*c.quoted == '\0') {
        EXPECT_EQ(messages,
                  QStringList{QStringLiteral("保存失败：“%1”不是数字（InitialPermeability）")
                                  .arg(QString::fromUtf8(c.typed))});
        EXPECT_EQ(stored, u"2000.0");
        EXPECT_TRUE(window.sheet().isEnabled(QStringLiteral("Command5")));  // still pending
        EXPECT_EQ(text("TxtApp(2)"), QString::fromUtf8(c.typed));
    } else {
        EXPECT_TRUE(messages.isEmpty()) << messages.join(u'|').toStdString();
        EXPECT_EQ(stored, QString::fromUtf8(c.quoted));
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberColumnTest,
                         ::testing::Values(NumberCase{"X", ""}, NumberCase{"1e400", ""},
                                           NumberCase{"12V", ""}, NumberCase{"1 2", ""},
                                           NumberCase{"&H", ""}, NumberCase{"&H1G", ""},
                                           NumberCase{"&O8", ""}, NumberCase{"-&H10", ""},
                                           NumberCase{"  ", ""}, NumberCase{"&H10", "16.0"},
                                           NumberCase{"&h1f", "31.0"}, NumberCase{"&O17", "15.0"},
                                           NumberCase{" 7 ", "7.0"}, NumberCase{"1E3", "1000.0"},
                                           NumberCase{"-2.5D1", "-25.0"}, NumberCase{"", "NULL"}));

TEST_F(MaintenanceTest, SaveShowsTheStoredValue) {
    click("Command3");
    type("TxtApp(2)", "&H10");
    click("Command5");
    EXPECT_EQ(text("TxtApp(2)"), u"16");
}

// The first refused field in index order names its column.
TEST_F(MaintenanceTest, RefusalNamesTheFirstBadFieldInIndexOrder) {
    click("Command3");
    type("TxtApp(22)", "bad22");
    type("TxtApp(8)", "bad8");
    click("Command5");
    EXPECT_EQ(prompter.takeMessages(), QStringList{"保存失败：“bad8”不是数字（Density）"});
}

}  // namespace
}  // namespace kelvane::design
