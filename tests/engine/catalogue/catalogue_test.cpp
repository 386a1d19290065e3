#include "engine/catalogue/catalogue.h"

#include "../table_rows.h"
#include "engine/base/result.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/catalogue/core_family.h"
#include "engine/catalogue/csv_export.h"
#include "engine/catalogue/csv_import.h"
#include "engine/catalogue/search_rule.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
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

// The core search served from memory lists what its LIKE query lists, for
// names stored as text, whole and decimal numbers, and NULL, and sees a
// name written after the first search.
TEST_F(CatalogueTest, PrefixSearchInMemoryListsWhatTheQueryLists) {
    {
        QSqlQuery insert(catalogue.database());
        for (const char* sql :
             {"INSERT INTO CORE (NAME) VALUES (12)", "INSERT INTO CORE (NAME) VALUES (12.0)",
              "INSERT INTO CORE (NAME) VALUES (NULL)",
              "INSERT INTO CORE (NAME) VALUES ('ee16 spare')"}) {
            ASSERT_TRUE(insert.exec(QString::fromLatin1(sql)));
        }
    }
    DataSource& cores = catalogue.cores();
    for (const QString& search :
         {QString(), QStringLiteral("EE"), QStringLiteral("ee16"), QStringLiteral("12"),
          QStringLiteral("12.0"), QStringLiteral("*20"), QStringLiteral("P*2*2"),
          QStringLiteral("none")}) {
        cores.setRecordSource(QStringLiteral("query"), QStringLiteral("NAME LIKE ? ESCAPE '\\'"),
                              {prefixPattern(search)});
        const QStringList byQuery = names(cores);
        cores.setPrefixSearch(QStringLiteral("memory"), QStringLiteral("NAME"), search);
        EXPECT_EQ(names(cores), byQuery) << search.toStdString();
        EXPECT_EQ(cores.recordSource(), u"memory");
    }
    cores.setPrefixSearch(QStringLiteral("memory"), QStringLiteral("NAME"), QStringLiteral("ZZ"));
    EXPECT_EQ(cores.count(), 0);
    ASSERT_TRUE(cores.writeRecord(std::nullopt, {{QStringLiteral("NAME"), QStringLiteral("ZZ9")}}));
    ASSERT_TRUE(cores.refresh());
    EXPECT_EQ(names(cores), QStringList{QStringLiteral("ZZ9")});
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

// Every row of data/bad_imports.tsv: the file is refused with its name and
// the line, and the catalogue keeps its cores.
TEST_F(CatalogueTest, BadImportsAreRefusedWithFileAndLineAndLeaveTheCatalogue) {
    for (const tables::TableRow& row : tables::tableRows("bad_imports.tsv")) {
        SCOPED_TRACE(row.trace());
        ASSERT_GE(row.columns.size(), 2);
        const QString csv = writeFile("cores.csv", tables::unescapedBytes(row.columns[0]));
        const Result<std::pair<int, int>> imported = importCatalogue(path, {}, csv);
        ASSERT_FALSE(imported.ok()) << "imported";
        EXPECT_EQ(imported.failure().text, csv + row.columns[1]);
        // The line the text names.
        EXPECT_EQ(QStringLiteral(":%1:").arg(imported.failure().line),
                  row.columns[1].section(u' ', 0, 0));
        catalogue.cores().setRecordSource(QStringLiteral("CORE"), {}, {});
        EXPECT_EQ(catalogue.cores().count(), 8);
    }
}

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

// A user's own core: the volume may differ from le × ae by the rounding of
// its digits, and the origin is any of the three, or none.
TEST_F(CatalogueTest, ImportTakesOwnCoresWithinTheRoundingAndTheirOrigin) {
    const QString csv = writeFile("cores.csv",
                                  "NAME,le,ae,ve,ORIGIN\n"
                                  "A,10,10,100.5,数据手册（Acme）\n"
                                  "B,10,10,99.5,按尺寸估算（±10%）\n"
                                  "C,10,10,,\n");
    const Result<std::pair<int, int>> imported = importCatalogue(path, {}, csv);
    ASSERT_TRUE(imported.ok()) << imported.failure().text.toStdString();
    EXPECT_EQ(imported.value(), std::make_pair(0, 3));
    Catalogue reopened;
    ASSERT_TRUE(reopened.open(path).ok());
    reopened.cores().setRecordSource(QStringLiteral("CORE"), {}, {});
    const QString origins[] = {QStringLiteral("数据手册（Acme）"),
                               QStringLiteral("按尺寸估算（±10%）"), QString()};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(reopened.cores().cellText(
                      row, int(reopened.cores().columns().indexOf(QStringLiteral("ORIGIN")))),
                  origins[row]);
    }
}

// The README's example of one's own cores imports, each row with its origin.
TEST_F(CatalogueTest, TheExampleOfOwnCoresImports) {
    const Result<std::pair<int, int>> imported =
        importCatalogue(path, {}, QStringLiteral(KELVANE_TEST_DATA "/../../docs/own-cores.csv"));
    ASSERT_TRUE(imported.ok()) << imported.failure().text.toStdString();
    EXPECT_EQ(imported.value(), std::make_pair(0, 2));
    Catalogue reopened;
    ASSERT_TRUE(reopened.open(path).ok());
    DataSource& cores = reopened.cores();
    cores.setRecordSource(QStringLiteral("CORE"), {}, {});
    const int origin = int(cores.columns().indexOf(QStringLiteral("ORIGIN")));
    const int name = int(cores.columns().indexOf(QStringLiteral("NAME")));
    ASSERT_EQ(cores.count(), 2);
    EXPECT_EQ(coreFamily(cores.cellText(0, name)), u"EE");
    EXPECT_EQ(coreOrigin(cores.cellText(0, origin)), CoreOrigin::DataSheet);
    EXPECT_EQ(coreFamily(cores.cellText(1, name)), u"ETD");
    EXPECT_EQ(coreOrigin(cores.cellText(1, origin)), CoreOrigin::Estimate);
}

// A catalogue made before cores had an origin: the import adds the column,
// the export leaves out what the file does not have.
TEST(OlderCatalogue, ImportAddsTheOriginAndExportWritesWhatItHas) {
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("old.db"));
    const QString connection = QStringLiteral("older catalogue");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("CREATE TABLE CORE (NAME TEXT, ae REAL)")));
        ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO CORE VALUES ('EE8', 7)")));
    }
    QSqlDatabase::removeDatabase(connection);

    const QString before = directory.filePath(QStringLiteral("before.csv"));
    ASSERT_TRUE(exportCatalogue(path, {}, before));
    QFile exported(before);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll(), QByteArray("\"NAME\",\"ae\"\r\n\"EE8\",7\r\n"));

    const QString csv = directory.filePath(QStringLiteral("own.csv"));
    QFile own(csv);
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("NAME,ae,ORIGIN\nRM10,98,数据手册\n");
    own.close();
    const Result<std::pair<int, int>> imported = importCatalogue(path, {}, csv);
    ASSERT_TRUE(imported.ok()) << imported.failure().text.toStdString();
    Catalogue reopened;
    ASSERT_TRUE(reopened.open(path).ok());
    reopened.cores().setRecordSource(QStringLiteral("CORE"), {}, {});
    EXPECT_EQ(reopened.cores().currentText(QStringLiteral("ORIGIN")), u"数据手册");
    EXPECT_TRUE(reopened.cores().hasColumn(QStringLiteral("lW")));
}

}  // namespace
}  // namespace kelvane::catalogue
