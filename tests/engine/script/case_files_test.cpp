#include "../stored_materials.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/script/engine_target.h"
#include "engine/script/script_runner.h"
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTextStream>

namespace kelvane::script {
namespace {

// A case file (tests/cases/*.cases) holds worked cases, each on a fresh
// design window over its own copy of the test catalogue:
//   case NAME                    starts a case
//   any design-script line       runs in order (%DIR% is the case's folder)
//   expect MEMBER JSON           member of the snapshot at this point
//                                (fields/TxtF, MS/1/2, Data1/position) equals
//                                the JSON value
//   stored rows N                table `materials` then holds N rows
//   stored deleted ROW           fixture row ROW (1-based) is gone
//   stored cell ROW COLUMN CELL  the cell as SQLite quotes it (NULL, 4.8, 'M')
// Every other stored cell must be the fixture's at the end, and each
// snapshot's "messages" must be empty unless expected.
struct Case {
    QString name;
    int line = 0;
    QStringList script;  // a `dump` before each group of expectations and at the end
    int snapshots = 0;
    QList<std::tuple<int, QString, QJsonValue>> expected;  // snapshot, member, value
    int rows = -1;
    QList<int> deleted;
    QList<std::tuple<int, QString, QString>> cells;
};

QList<Case> readCases(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QList<Case> cases;
    int number = 0;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        ++number;
        if (line.startsWith(u"case ")) {
            Case added;
            added.name = line.mid(5);
            added.line = number;
            cases.append(added);
        } else if (line.trimmed().isEmpty() || line.trimmed().startsWith(u'#')) {
            continue;
        } else if (cases.isEmpty()) {
            ADD_FAILURE() << path.toStdString() << ':' << number << ": outside a case";
        } else if (line.startsWith(u"expect ")) {
            const qsizetype blank = line.indexOf(u' ', 7);
            const QJsonDocument value =
                QJsonDocument::fromJson("[" + line.mid(blank + 1).toUtf8() + "]");
            EXPECT_TRUE(blank > 0 && value.isArray() && value.array().size() == 1)
                << path.toStdString() << ':' << number << ": bad expectation";
            Case& c = cases.last();
            if (c.script.value(c.script.size() - 1) != u"dump") {
                c.script.append(QStringLiteral("dump"));
                ++c.snapshots;
            }
            c.expected.append({c.snapshots - 1, line.mid(7, blank - 7), value.array().at(0)});
        } else if (line.startsWith(u"stored ")) {
            const QStringList words = line.split(u' ');
            if (words.value(1) == u"rows") {
                cases.last().rows = words.value(2).toInt();
            } else if (words.value(1) == u"deleted") {
                cases.last().deleted.append(words.value(2).toInt());
            } else {
                cases.last().cells.append(
                    {words.value(2).toInt(), words.value(3), words.mid(4).join(u' ')});
            }
        } else {
            cases.last().script.append(line);
            cases.last().snapshots += line.trimmed() == u"dump";
        }
    }
    for (Case& c : cases) {
        if (c.script.value(c.script.size() - 1) != u"dump") {
            c.script.append(QStringLiteral("dump"));
            ++c.snapshots;
        }
    }
    return cases;
}

QVector<QStringList> storedRows(const QString& path) {
    return tests::storedMaterials(path, tests::CellForm::Quoted);
}

QVector<QStringList> expectedRows(const Case& c) {
    QVector<QStringList> rows = storedRows(QStringLiteral(KELVANE_TEST_CATALOGUE));
    for (auto it = c.deleted.rbegin(); it != c.deleted.rend(); ++it) {
        rows.removeAt(*it - 1);
    }
    while (rows.size() < c.rows) {
        rows.append(QStringList(26, QStringLiteral("NULL")));
    }
    for (const auto& [row, column, cell] : c.cells) {
        int field = 0;
        while (field < 25 && catalogue::materialColumnOfField(field) != column) {
            ++field;
        }
        EXPECT_EQ(catalogue::materialColumnOfField(field), column);
        rows[row - 1][field] = cell;
    }
    return rows;
}

QJsonValue member(QJsonValue value, const QString& path) {
    for (const QString& key : path.split(u'/')) {
        bool index = false;
        const int row = key.toInt(&index);
        value = index && value.isArray() ? value.toArray().at(row) : value.toObject().value(key);
    }
    return value;
}

std::string json(const QJsonValue& value) {
    return QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}

// Rows one a line, so that a failure shows the cells.
std::string text(const QVector<QStringList>& rows) {
    QStringList lines;
    for (const QStringList& row : rows) {
        lines.append(row.join(u','));
    }
    return lines.join(u'\n').toStdString();
}

class CaseFileTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CaseFileTest, EveryCaseShowsWhatItExpects) {
    const QString path =
        QStringLiteral(KELVANE_TEST_CASES "/") + QString::fromStdString(GetParam());
    const QList<Case> cases = readCases(path);
    EXPECT_FALSE(cases.isEmpty());
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1:%2 %3").arg(path).arg(c.line).arg(c.name).toStdString());
        QTemporaryDir directory;
        const QString catalogue = directory.filePath(QStringLiteral("fixture.db"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_TEST_CATALOGUE), catalogue));
        const QString scriptPath = directory.filePath(QStringLiteral("case.script"));
        QFile script(scriptPath);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(
            c.script.join(u'\n').replace(QStringLiteral("%DIR%"), directory.path()).toUtf8() +
            '\n');
        script.close();

        ScriptedPrompter prompter;
        session::DesignSession window(prompter, catalogue, QStringLiteral("/pictures"));
        window.open();
        EngineTarget target(window);
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        ASSERT_EQ(runScript(scriptPath, window, target, prompter, outStream, errStream), 0)
            << err.toStdString();
        outStream.flush();
        const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), c.snapshots);
        QList<bool> messages(c.snapshots, false);
        for (const auto& [index, name, value] : c.expected) {
            const QJsonObject snapshot = QJsonDocument::fromJson(lines[index].toUtf8()).object();
            messages[index] = messages[index] || name == u"messages";
            EXPECT_EQ(json(member(snapshot, name)), json(value))
                << "snapshot " << index + 1 << ' ' << name.toStdString();
        }
        for (int index = 0; index < c.snapshots; ++index) {
            if (!messages[index]) {
                const QJsonObject snapshot =
                    QJsonDocument::fromJson(lines[index].toUtf8()).object();
                EXPECT_EQ(json(snapshot.value(u"messages")), "[[]]") << "snapshot " << index + 1;
            }
        }
        EXPECT_EQ(text(storedRows(catalogue)), text(expectedRows(c)));
    }
}

std::vector<std::string> caseFiles() {
    std::vector<std::string> files;
    for (const QString& name :
         QDir(QStringLiteral(KELVANE_TEST_CASES))
             .entryList({QStringLiteral("*.cases")}, QDir::Files, QDir::Name)) {
        files.push_back(name.toStdString());
    }
    return files;
}

INSTANTIATE_TEST_SUITE_P(Files, CaseFileTest, ::testing::ValuesIn(caseFiles()),
                         [](const auto& info) {
                             return info.param.substr(0, info.param.find('.'));
                         });

}  // namespace
}  // namespace kelvane::script
