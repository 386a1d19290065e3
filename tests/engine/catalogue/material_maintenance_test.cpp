#include "../session/design_fixture.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/script/engine_target.h"
#include "engine/script/script_runner.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextStream>

#include <array>
#include <random>
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
    [[nodiscard]] const catalogue::DataSource& materials() const {
        return window.catalogue().materials();
    }
};

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

void PrintTo(const SessionCase& c, std::ostream* os) {
    *os << c.name;
}

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
    {"RowSavedWithoutTypeIsListedByTheEmptySearch",
     "click Command8\ntype TxtApp(8) 5\nclick Command5\ntype Text1 M\ntype Text1\n",
     {},
     6,
     {{6, "Density", "5.0"}},
     {},
     "M2000",
     "1/6 select * from materials where Type like\"*\""},
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

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

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

// The maintenance rules restated on plain values: the stored rows, the
// record set, the 26 field texts and the enabled states. Random sessions
// run on the window and on this model must agree after every step.
class MaintenanceModel {
public:
    explicit MaintenanceModel(const catalogue::DataSource& materials) {
        for (int row = 0; row < materials.count(); ++row) {
            QStringList texts;
            for (int index = 0; index <= 25; ++index) {
                texts.append(materials.cellText(
                    row,
                    int(materials.columns().indexOf(catalogue::materialColumnOfField(index)))));
            }
            m_stored.append(texts);
            m_set.append(row);
        }
        m_position = m_set.isEmpty() ? 0 : 1;
        refill();
    }

    void type(int index, const QString& text) {
        if (m_enabled[0]) {
            m_fields[index] = text;
        }
    }
    // `forced`: a design file's material searches even when the box holds
    // its text already.
    void search(const QString& text, bool forced = false) {
        if (text == m_search && !forced) {
            return;  // no change, no search
        }
        m_search = text;
        if (!leave()) {
            return;
        }
        m_set.clear();
        for (int id = 0; id < m_stored.size(); ++id) {
            if (!m_stored[id].isEmpty() && folded(m_stored[id][1]).startsWith(folded(text))) {
                m_set.append(id);
            }
        }
        m_position = m_set.isEmpty() ? 0 : 1;
        refill();
    }
    void select(int position) {
        if (position < 1 || position > m_set.size() || position == m_position || !leave()) {
            return;
        }
        m_position = position;
        refill();
    }
    void click(int command, const QString& findAnswer) {
        if (!m_enabled[command - 2]) {
            return;
        }
        switch (command) {
            case 3:
                setStates({1, -1, 0, 1, 1, 0, 0});
                break;
            case 4:
                messages.append(QStringLiteral("确定删除记录吗?"));
                if (m_position == 0) {
                    messages.append(QStringLiteral("删除失败：no current record"));
                    break;
                }
                m_stored[m_set[m_position - 1]].clear();
                m_set.removeAt(m_position - 1);
                m_position = std::min(m_position, int(m_set.size()));
                refill();
                setStates({-1, -1, -1, -1, 1, -1, -1});
                break;
            case 5:
                if (write()) {
                    m_newRow = false;
                    setStates({0, 1, 1, 0, 0, 1, 1});
                    refill();
                }
                break;
            case 6:
                m_newRow = false;
                refill();
                setStates({1, 0, 1, 0, -1, 1, 1});
                break;
            case 7:
                find(findAnswer);
                break;
            case 8:
                m_newRow = true;
                m_fields = QStringList(26);
                setStates({1, 0, 0, 1, 1, -1, 0});
                break;
        }
    }

    // Rows as the fields would show them, in stored order.
    [[nodiscard]] QVector<QStringList> stored() const {
        QVector<QStringList> rows;
        for (const QStringList& row : m_stored) {
            if (!row.isEmpty()) {
                rows.append(row);
            }
        }
        return rows;
    }
    [[nodiscard]] const QStringList& fields() const { return m_fields; }
    [[nodiscard]] QString data1() const {
        return QStringLiteral("%1/%2").arg(m_position).arg(m_set.size());
    }
    [[nodiscard]] QString states() const {
        QString text;
        for (bool enabled : m_enabled) {
            text += enabled ? u'1' : u'0';
        }
        return text;
    }

    QStringList messages;

private:
    static QString folded(const QString& text) {
        QString result = text;
        for (QChar& c : result) {
            if (c >= u'a' && c <= u'z') {
                c = QChar(c.unicode() - u'a' + u'A');
            }
        }
        return result;
    }
    // What a number column stores of the texts the sessions type; the
    // catalogue's own number texts store as they show.
    static std::optional<QString> stored(const QString& text) {
        static const QHash<QString, QString> typed = {{"&H10", "16"}, {"1E3", "1000"}};
        if (text == u"X" || text == u"1e400" || text == u"12V") {
            return std::nullopt;
        }
        return typed.value(text, text);
    }
    static bool isTextColumn(int index) { return index <= 1 || index == 21 || index >= 23; }

    void setStates(std::array<int, 7> states) {
        for (size_t i = 0; i < states.size(); ++i) {
            if (states[i] >= 0) {
                m_enabled[i] = states[i] == 1;
            }
        }
    }
    void refill() { m_fields = m_position > 0 ? m_stored[m_set[m_position - 1]] : QStringList(26); }
    bool write() {
        if (!m_newRow && m_position == 0) {
            return true;
        }
        QStringList row;
        for (int index = 0; index <= 25; ++index) {
            const QString& text = m_fields[index];
            if (text.isEmpty() || isTextColumn(index)) {
                row.append(text);
            } else if (const std::optional<QString> number = stored(text)) {
                row.append(*number);
            } else {
                messages.append(QStringLiteral("保存失败：“%1”不是数字（%2）")
                                    .arg(text, catalogue::materialColumnOfField(index)));
                return false;
            }
        }
        if (m_newRow) {
            m_stored.append(row);
            m_set.append(int(m_stored.size()) - 1);
            m_position = int(m_set.size());
        } else {
            m_stored[m_set[m_position - 1]] = row;
        }
        return true;
    }
    bool leave() {
        if (!m_enabled[3]) {
            return true;
        }
        if (!write()) {
            return false;
        }
        m_newRow = false;
        return true;
    }
    void find(const QString& answer) {
        messages.append(QStringLiteral("请输入胶带型号"));
        if (answer.isEmpty()) {
            return;
        }
        for (int position = 1; position <= m_set.size(); ++position) {
            if (folded(m_stored[m_set[position - 1]][1]) == folded(answer)) {
                if (m_newRow && position == m_position && !leave()) {
                    return;
                }
                select(position);
                return;
            }
        }
        messages.append(QStringLiteral("没有相应的型号"));
    }

    QVector<QStringList> m_stored;  // by id; a deleted row is empty
    QVector<int> m_set;             // ids
    int m_position = 0;
    QStringList m_fields = QStringList(26);
    bool m_newRow = false;
    QString m_search;
    std::array<bool, 7> m_enabled = {false, true, true, false, false, true, true};
};

// Every stored row of `materials` in rowid order as the fields show it.
QVector<QStringList> storedTexts(const QString& path) {
    const QString connection = QStringLiteral("stored-texts");
    QVector<QStringList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QStringList columns;
        for (int index = 0; index <= 25; ++index) {
            columns.append(catalogue::quoted(catalogue::materialColumnOfField(index)));
        }
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(
            QStringLiteral("SELECT %1 FROM materials ORDER BY rowid").arg(columns.join(u','))));
        while (query.next()) {
            QStringList row;
            for (int index = 0; index <= 25; ++index) {
                row.append(catalogue::valueText(query.value(index)));
            }
            rows.append(row);
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}

TEST(MaintenanceModel, RandomSessionsKeepEveryRowAsTheRulesSay) {
    const QStringList numbers = {"", "7", "&H10", "4.8", "-2.5", "1E3", "X", "1e400", "12V"};
    const QStringList texts = {"", "M15x", "NEW", "m2000", "Q", "X"};
    const QStringList searches = {"", "M", "m1", "ZZZ", "NEW", "M2000", "q"};
    const QStringList answers = {"", "m2000", "M1500", "new", "q", "M5000", "none"};
    const int typedFields[] = {1, 2, 5, 8, 21, 22};
    std::mt19937 random(20261206);
    const auto pick = [&random](const QStringList& list) {
        return list[int(random() % list.size())];
    };

    for (int session = 0; session < 60; ++session) {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("fixture.db"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_TEST_CATALOGUE), path));
        script::ScriptedPrompter prompter;
        session::DesignSession window(prompter, path, QStringLiteral("/pictures"));
        window.open();
        MaintenanceModel model(window.catalogue().materials());
        const QString design = directory.filePath(QStringLiteral("design.dat"));
        ASSERT_TRUE(window.saveDesign(design));  // its material is M2000
        prompter.takeMessages();
        QStringList steps;
        for (int step = 0; step < 30; ++step) {
            const unsigned roll = random() % 100;
            if (roll < 30) {
                const int index = typedFields[random() % std::size(typedFields)];
                const QString text = index == 1 || index == 21 ? pick(texts) : pick(numbers);
                steps.append(QStringLiteral("type TxtApp(%1) %2").arg(index).arg(text));
                window.type(materialField(index), text);
                model.type(index, text);
            } else if (roll < 70) {
                const int command = std::array{3, 4, 5, 6, 7, 8}[random() % 6];
                const QString answer = pick(answers);
                steps.append(QStringLiteral("click Command%1 (%2)").arg(command).arg(answer));
                const QString control = QStringLiteral("Command%1").arg(command);
                if ((command == 4 || command == 7) && window.isClickable(control)) {
                    prompter.queue({command == 4 ? script::ScriptedPrompter::Answer::Kind::Yes
                                                 : script::ScriptedPrompter::Answer::Kind::Text,
                                    answer});
                }
                window.click(control);
                model.click(command, answer);
            } else if (roll < 75) {
                steps.append(QStringLiteral("open design.dat"));
                window.openDesign(design);
                model.search(QStringLiteral("M2000"), true);
            } else if (roll < 85) {
                const int row = 1 + int(random() % 7);
                steps.append(QStringLiteral("select DBGrid1 %1").arg(row));
                window.selectRecord(QStringLiteral("DBGrid1"), row);
                model.select(row);
            } else {
                const QString text = pick(searches);
                steps.append(QStringLiteral("type Text1 %1").arg(text));
                window.type(Field::Text1, text);
                model.search(text);
            }
            const std::string trace = steps.join(u'\n').toStdString();
            QStringList fields;
            for (int index = 0; index <= 25; ++index) {
                fields.append(window.sheet().text(materialField(index)));
            }
            ASSERT_EQ(fields, model.fields()) << trace;
            const catalogue::DataSource& materials = window.catalogue().materials();
            ASSERT_EQ(QStringLiteral("%1/%2").arg(materials.position()).arg(materials.count()),
                      model.data1())
                << trace;
            ASSERT_EQ(prompter.takeMessages().join(u'|').toStdString(),
                      model.messages.join(u'|').toStdString())
                << trace;
            model.messages.clear();
            QString states;
            for (const char* control : {"TxtApp", "Command3", "Command4", "Command5", "Command6",
                                        "Command7", "Command8"}) {
                states += window.sheet().isEnabled(QString::fromLatin1(control)) ? u'1' : u'0';
            }
            ASSERT_EQ(states, model.states()) << trace;
        }
        ASSERT_EQ(storedTexts(path), model.stored()) << steps.join(u'\n').toStdString();
    }
}

}  // namespace
}  // namespace kelvane::design
