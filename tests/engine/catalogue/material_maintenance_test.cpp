#include "../session/design_fixture.h"
#include "../stored_materials.h"
#include "engine/catalogue/catalogue_schema.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <array>
#include <optional>
#include <random>

namespace kelvane::catalogue {
namespace {

using sheet::Command;
using sheet::Field;
using sheet::materialField;
using MaintenanceTest = session::DesignFixture;

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

QVector<QStringList> storedTexts(const QString& path) {
    return tests::storedMaterials(path, tests::CellForm::Shown);
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
                const sheet::Control control =
                    *sheet::controlByName(QStringLiteral("Command%1").arg(command));
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
                window.selectRecord(sheet::RecordGrid::DBGrid1, row);
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
}  // namespace kelvane::catalogue
