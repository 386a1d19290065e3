#include "engine/catalogue/catalogue.h"

#include "engine/base/result.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/catalogue/csv_import.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace kelvane::catalogue {
namespace {

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = directory.filePath(QStringLiteral("catalogue.db"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_TEST_CATALOGUE), path));
        ASSERT_TRUE(catalogue.open(path).ok());
    }

    QString writeFile(const char* name, const QByteArray& content) {
        const QString file = directory.filePath(QString::fromLatin1(name));
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        return file;
    }

    QStringList names(const DataSource& source) {
        QStringList list;
        const int nameColumn = int(source.columns().indexOf(QStringLiteral("NAME")));
        for (int row = 0; row < source.count(); ++row) {
            list.append(source.cellText(row, nameColumn));
        }
        return list;
    }

    QTemporaryDir directory;
    QString path;
    Catalogue catalogue;
};

TEST_F(CatalogueTest, WholeTableInStoredOrder) {
    DataSource& cores = catalogue.cores();
    cores.setRecordSource(QStringLiteral("CORE"), {}, {});
    EXPECT_EQ(cores.count(), 8);
    EXPECT_EQ(cores.position(), 1);
    EXPECT_EQ(cores.currentText(QStringLiteral("NAME")), u"EE16");
    EXPECT_EQ(cores.currentText(QStringLiteral("B")), u"7.2");
    EXPECT_EQ(cores.currentText(QStringLiteral("A")), u"16");    // not 16.0
    EXPECT_EQ(cores.currentText(QStringLiteral("E")), u"11.6");  // any case
    EXPECT_EQ(cores.currentText(QStringLiteral("AL")), u"");     // an empty cell
    cores.moveTo(6);
    EXPECT_EQ(cores.currentText(QStringLiteral("NAME")), u"PQ32/20");
    cores.moveTo(9);  // beyond the set: stays
    EXPECT_EQ(cores.position(), 6);
}

TEST_F(CatalogueTest, BetweenIncludesBothEnds) {
    DataSource& cores = catalogue.cores();
    cores.setRecordSource(QStringLiteral("select"), QStringLiteral("AP BETWEEN ? AND ?"),
                          {800.0, 1456.0});
    EXPECT_EQ(names(cores), (QStringList{"EE16", "EE19"}));
    cores.setRecordSource(QStringLiteral("select"), QStringLiteral("AP BETWEEN ? AND ?"),
                          {0.0, 0.0});
    EXPECT_EQ(cores.count(), 0);
    EXPECT_EQ(cores.position(), 0);
    EXPECT_EQ(cores.currentText(QStringLiteral("NAME")), u"");
}

TEST_F(CatalogueTest, LeaveGuardRunsBeforeEveryMoveAndCanForbidIt) {
    DataSource& cores = catalogue.cores();
    cores.setRecordSource(QStringLiteral("CORE"), {}, {});
    int asked = 0;
    int moves = 0;
    bool allow = false;
    cores.setLeaveGuard([&] {
        ++asked;
        return allow;
    });
    QObject::connect(&cores, &DataSource::currentChanged, [&] { ++moves; });

    EXPECT_FALSE(cores.moveTo(3));
    EXPECT_FALSE(cores.setRecordSource(QStringLiteral("ee"), QStringLiteral("NAME LIKE ?"),
                                       {QStringLiteral("EE%")}));
    EXPECT_FALSE(cores.refresh());
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(moves, 0);
    EXPECT_EQ(cores.position(), 1);
    EXPECT_EQ(cores.recordSource(), u"CORE");
    EXPECT_EQ(cores.count(), 8);

    allow = true;
    EXPECT_FALSE(cores.moveTo(1));  // the current record: no move, not asked
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(cores.moveTo(3));
    EXPECT_TRUE(cores.setRecordSource(QStringLiteral("ee"), QStringLiteral("NAME LIKE ?"),
                                      {QStringLiteral("EE%")}));
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(cores.recordSource(), u"ee");
}

// A write changes rows, not the record set: the written row stays listed
// though it no longer meets the query, a new one is listed last and current.
TEST_F(CatalogueTest, WritesKeepTheRecordSetUntilTheNextRefresh) {
    DataSource& cores = catalogue.cores();
    cores.setRecordSource(QStringLiteral("ee"), QStringLiteral("NAME LIKE ?"),
                          {QStringLiteral("EE%")});
    const QStringList listed = names(cores);
    int moves = 0;
    QObject::connect(&cores, &DataSource::currentChanged, [&] { ++moves; });

    EXPECT_TRUE(
        cores.writeRecord(cores.currentRowid(), {{QStringLiteral("NAME"), QStringLiteral("XX1")}})
            .ok());
    EXPECT_EQ(names(cores), QStringList(listed).replaceInStrings(u"EE16", u"XX1"));
    EXPECT_EQ(cores.currentText(QStringLiteral("NAME")), u"XX1");
    EXPECT_TRUE(
        cores.writeRecord(std::nullopt, {{QStringLiteral("NAME"), QStringLiteral("YY2")}}).ok());
    EXPECT_EQ(names(cores), QStringList(listed).replaceInStrings(u"EE16", u"XX1") << "YY2");
    EXPECT_EQ(cores.position(), cores.count());
    EXPECT_EQ(moves, 0);  // the caller announces the record

    cores.refresh();
    EXPECT_FALSE(names(cores).contains(u"XX1"));
    EXPECT_FALSE(names(cores).contains(u"YY2"));
}

TEST_F(CatalogueTest, MissingFileIsReportedNotCreated) {
    Catalogue missing;
    const QString nowhere = directory.filePath(QStringLiteral("none.db"));
    const Result<void> opened = missing.open(nowhere);
    ASSERT_FALSE(opened.ok());
    EXPECT_FALSE(opened.failure().text.isEmpty());
    EXPECT_FALSE(QFile::exists(nowhere));
    missing.cores().setRecordSource(QStringLiteral("CORE"), {}, {});
    EXPECT_EQ(missing.cores().count(), 0);
}

TEST_F(CatalogueTest, FileThatIsNoDatabase) {
    Catalogue broken;
    const Result<void> opened = broken.open(writeFile("junk.db", "this is not a catalogue at all"));
    ASSERT_FALSE(opened.ok());
    EXPECT_FALSE(opened.failure().text.isEmpty());
}

TEST_F(CatalogueTest, DatabaseWithoutTheTables) {
    Catalogue bare;
    const Result<void> opened = bare.open(writeFile("empty.db", QByteArray()));
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.failure().text, u"no such table: materials\nno such table: CORE");
}

// The table keeps the tolerance right after the permeability, where the
// fields show it in TxtApp(22), after the factory: one list gives both orders.
TEST(CatalogueSchema, MaterialColumnsInTableAndFieldOrder) {
    struct Row {
        int tableIndex;
        int fieldIndex;
        const char* column;
        ColumnType type;
    };
    // clang-format off
    const Row rows[] = {
        {0, 0, "Application", ColumnType::Text},
        {2, 2, "InitialPermeability", ColumnType::Number},
        {3, 22, "Tolerance(%)", ColumnType::Number},   // moved in the table
        {4, 3, "CurieTemperature", ColumnType::Number},  // shifted by it
        {9, 8, "Density", ColumnType::Number},
        {10, 9, "PL 25kHz 200mT 25c", ColumnType::Number},
        {22, 21, "Factory", ColumnType::Text},
        {23, 23, "HZBM25", ColumnType::Text},
        {25, 25, "HZBM500", ColumnType::Text},
    };
    // clang-format on
    ASSERT_EQ(materialColumns().size(), 26);
    for (const Row& row : rows) {
        EXPECT_EQ(materialColumns().at(row.tableIndex).name, QLatin1String(row.column));
        EXPECT_EQ(materialColumns().at(row.tableIndex).type, row.type) << row.column;
        EXPECT_EQ(materialColumnOfField(row.fieldIndex), QLatin1String(row.column));
    }
}

TEST(Csv, QuotesAndLineEnds) {
    const Result<QVector<CsvRecord>> parsed = parseCsv(
        QStringLiteral("\uFEFFa,b\r\n\"x, y\",\"say \"\"hi\"\"\"\n\"two\nlines\",\nlast\n"),
        QStringLiteral("t.csv"));
    ASSERT_TRUE(parsed.ok());
    const QVector<CsvRecord>& records = parsed.value();
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[0].fields, (QStringList{"a", "b"}));
    EXPECT_EQ(records[1].fields, (QStringList{"x, y", "say \"hi\""}));
    EXPECT_EQ(records[2].fields, (QStringList{"two\nlines", ""}));
    EXPECT_EQ(records[3].fields, QStringList{"last"});
    EXPECT_EQ(records[2].line, 3);
    EXPECT_EQ(records[3].line, 5);  // after the quoted line feed
}

struct BadImport {
    const char* csv;
    const char* reason;  // what follows the file name
};

class BadImportTest : public CatalogueTest, public ::testing::WithParamInterface<BadImport> {};

TEST_P(BadImportTest, IsRefusedWithFileAndLineAndLeavesTheCatalogue) {
    const QString csv = writeFile("cores.csv", GetParam().csv);
    const Result<std::pair<int, int>> imported = importCatalogue(path, {}, csv);
    ASSERT_FALSE(imported.ok()) << "imported";
    EXPECT_EQ(imported.failure().text, csv + QString::fromUtf8(GetParam().reason));
    // The line the text names.
    EXPECT_EQ(QStringLiteral(":%1:").arg(imported.failure().line),
              QString::fromUtf8(GetParam().reason).section(u' ', 0, 0));
    catalogue.cores().setRecordSource(QStringLiteral("CORE"), {}, {});
    EXPECT_EQ(catalogue.cores().count(), 8);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, BadImportTest, ::testing::Values(
    BadImport{"NAME,AP,Colour\nX,1,red\n", ":1: \"Colour\" is not a column of CORE"},
    BadImport{"NAME,AP\nX,1\nY,12,5\n", ":3: 3 fields, the header has 2"},
    BadImport{"NAME,AP\nX,big\n", ":2: \"big\" is not a number (AP)"},
    BadImport{"NAME,AP\n\"two\nlines\",1\nY,x\n", ":4: \"x\" is not a number (AP)"},
    BadImport{"NAME,AP\nX,1\nY,-2e308\n", ":3: \"-2e308\" is not a number (AP)"},
    BadImport{"NAME,AP\nX,1\n\"X,1\n", ":3: unterminated quote"},
    BadImport{"", ":1: no header row"},
    BadImport{"NAME,AP\nX,1\nY\xff,2\n", ":3: not UTF-8 text"},
    BadImport{"NAME,AP\nEE\xe2\x84,1\n", ":2: not UTF-8 text"},
    BadImport{"NAME,AP\n\xb4\xc5,1\n", ":2: not UTF-8 text"},  // GBK
    BadImport{"NAME,ae,AE\nX,1,2\n", ":1: column \"ae\" is named twice"},
    BadImport{"name,AP,NAME\nX,1,Y\n", ":1: column \"NAME\" is named twice"}));
// clang-format on

TEST_F(CatalogueTest, UnreadableFileIsNamed) {
    const QString missing = directory.filePath(QStringLiteral("none.csv"));
    const Result<std::pair<int, int>> imported = importCatalogue(path, {}, missing);
    ASSERT_FALSE(imported.ok()) << "imported";
    EXPECT_TRUE(imported.failure().text.startsWith(missing + QStringLiteral(": ")))
        << imported.failure().text.toStdString();
    EXPECT_EQ(imported.failure().line, 0);
}

TEST_F(CatalogueTest, ImportReplacesRowsAndKeepsOtherTables) {
    const QString csv = writeFile("cores.csv", "name,ae,AP\n\"Q'1\",10,100\n\n");
    const Result<std::pair<int, int>> imported = importCatalogue(path, {}, csv);
    ASSERT_TRUE(imported.ok()) << imported.failure().text.toStdString();
    EXPECT_EQ(imported.value(), std::make_pair(0, 1));
    Catalogue reopened;
    ASSERT_TRUE(reopened.open(path).ok());
    reopened.cores().setRecordSource(QStringLiteral("CORE"), {}, {});
    EXPECT_EQ(reopened.cores().count(), 1);
    EXPECT_EQ(reopened.cores().currentText(QStringLiteral("NAME")), u"Q'1");
    EXPECT_EQ(reopened.cores().currentText(QStringLiteral("lW")), u"");
    reopened.materials().setRecordSource(QStringLiteral("materials"), {}, {});
    EXPECT_EQ(reopened.materials().count(), 5);
}

}  // namespace
}  // namespace kelvane::catalogue
