#include "engine/catalogue/csv_export.h"

#include "engine/base/number_text.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/catalogue/csv_import.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUuid>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>

namespace kelvane::catalogue {
namespace {

struct NumberCase {
    double value;
    const char* text;
};

class CsvNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(CsvNumberTest, PlainShortestExactDigits) {
    EXPECT_EQ(csvNumber(GetParam().value).value_or(QStringLiteral("none")).toStdString(),
              GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, CsvNumberTest, ::testing::Values(
    NumberCase{0.0, "0"},
    NumberCase{-0.0, "0"},
    NumberCase{0.1, "0.1"},
    NumberCase{-2.5, "-2.5"},
    NumberCase{1234.5, "1234.5"},
    NumberCase{100.0, "100"},
    NumberCase{0.1 + 0.2, "0.30000000000000004"},
    NumberCase{1e21, "1000000000000000000000"},
    NumberCase{1.5e-7, "0.00000015"},
    NumberCase{9007199254740993.0, "9007199254740992"},
    NumberCase{1.5e-10, "0.00000000015"}));
// clang-format on

TEST(CsvNumber, NonFiniteHasNoText) {
    EXPECT_FALSE(csvNumber(HUGE_VAL));
    EXPECT_FALSE(csvNumber(-HUGE_VAL));
    EXPECT_FALSE(csvNumber(std::nan("")));
}

TEST(CsvNumber, EveryFiniteDoubleReadsBackBitForBit) {
    std::mt19937_64 random(42);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value) || value == 0.0) {
            continue;
        }
        const std::optional<QString> text = csvNumber(value);
        ASSERT_TRUE(text);
        ASSERT_TRUE(isStrictNumber(*text)) << text->toStdString();
        const double back = parseNumber(*text);
        ASSERT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text->toStdString();
    }
}

TEST(CsvRecord, NullsEmptyTextsAndSpecialCharacters) {
    EXPECT_EQ(
        csvRecord({QVariant(), QString(), QStringLiteral(" "), 2.5, QStringLiteral("a,\"b\"\r\nc")})
            .value(),
        u",\"\",\" \",2.5,\"a,\"\"b\"\"\r\nc\"");
}

class CsvRoundTripTest : public ::testing::Test {
protected:
    QString pathOf(const char* name) const { return directory.filePath(QString::fromLatin1(name)); }
    QString writeFile(const char* name, const QByteArray& bytes) const {
        QFile file(pathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Every row of a table, each value with its type, in catalogue order.
    static QVector<QVariantList> rows(const QString& databasePath, const QString& table) {
        QVector<QVariantList> result;
        const QString connection = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(databasePath);
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table)));
            while (query.next()) {
                QVariantList row;
                for (int c = 0; c < query.record().count(); ++c) {
                    row.append(query.value(c));
                }
                result.append(row);
            }
        }
        QSqlDatabase::removeDatabase(connection);
        return result;
    }
    // Same values of the same types; numbers bit for bit.
    static void expectSameRows(const QVector<QVariantList>& a, const QVector<QVariantList>& b) {
        ASSERT_EQ(a.size(), b.size());
        for (qsizetype r = 0; r < a.size(); ++r) {
            ASSERT_EQ(a[r].size(), b[r].size());
            for (qsizetype c = 0; c < a[r].size(); ++c) {
                SCOPED_TRACE("row " + std::to_string(r + 1) + " column " + std::to_string(c + 1));
                ASSERT_EQ(a[r][c].isNull(), b[r][c].isNull()) << a[r][c].toString().toStdString();
                if (a[r][c].isNull()) {
                    continue;
                }
                ASSERT_EQ(a[r][c].typeId(), b[r][c].typeId());
                if (a[r][c].typeId() == QMetaType::Double) {
                    const double x = a[r][c].toDouble();
                    const double y = b[r][c].toDouble();
                    ASSERT_EQ(std::memcmp(&x, &y, sizeof x), 0) << x << " became " << y;
                } else {
                    ASSERT_EQ(a[r][c].toString(), b[r][c].toString());
                }
            }
        }
    }
    // Export, import the export, export again: the rows and the CSV stay.
    void expectRoundTrip(const QString& first) {
        const QString materials1 = pathOf("m1.csv");
        const QString cores1 = pathOf("c1.csv");
        const QString second = pathOf("second.db");
        QFile::remove(second);
        const Result<std::pair<int, int>> exported = exportCatalogue(first, materials1, cores1);
        ASSERT_TRUE(exported) << exported.failure().text.toStdString();
        const Result<std::pair<int, int>> imported = importCatalogue(second, materials1, cores1);
        ASSERT_TRUE(imported) << imported.failure().text.toStdString();
        EXPECT_EQ(imported.value(), exported.value());
        for (const QString& table : {QStringLiteral("materials"), QStringLiteral("CORE")}) {
            SCOPED_TRACE(table.toStdString());
            expectSameRows(rows(first, table), rows(second, table));
        }
        ASSERT_TRUE(exportCatalogue(second, pathOf("m2.csv"), pathOf("c2.csv")));
        EXPECT_EQ(read(materials1), read(pathOf("m2.csv")));
        EXPECT_EQ(read(cores1), read(pathOf("c2.csv")));
    }

    QTemporaryDir directory;
};

TEST_F(CsvRoundTripTest, TestCatalogueCsvExportsToTheSameRows) {
    const QString first = pathOf("first.db");
    const Result<std::pair<int, int>> counts =
        importCatalogue(first, QStringLiteral(KELVANE_TEST_DATA "/materials.csv"),
                        QStringLiteral(KELVANE_TEST_DATA "/cores.csv"));
    ASSERT_TRUE(counts);
    EXPECT_GT(counts.value().first, 0);
    EXPECT_GT(counts.value().second, 0);
    expectRoundTrip(first);
}

TEST_F(CsvRoundTripTest, OddCellsExportToTheSameRows) {
    const QString cores = writeFile(
        "cores.csv",
        "NAME,A,FACTORY,matrialNO,materialname,AP\r\n"
        "\"EE 16, \"\"special\"\"\",0.1,\"two\nlines\",\"\", ,0.0000001\n"
        " lead and trail ,-12345678.901234567,\"\r\n\",\" \",,123456789012345678901234567890\n"
        "\xE7\xA3\x81\xE8\x8A\xAF,,,,,-0\n");
    const QString first = pathOf("first.db");
    const Result<std::pair<int, int>> counts = importCatalogue(first, {}, cores);
    ASSERT_TRUE(counts) << counts.failure().text.toStdString();
    ASSERT_EQ(counts.value(), std::make_pair(0, 3));
    const QVector<QVariantList> imported = rows(first, QStringLiteral("CORE"));
    // NAME and A; FACTORY, matrialNO and materialname: a quoted empty text
    // is a text, an unquoted blank cell is an empty value.
    EXPECT_EQ(imported[0][0].toString(), u"EE 16, \"special\"");
    EXPECT_EQ(imported[0][16].toString(), u"");
    EXPECT_FALSE(imported[0][16].isNull());
    EXPECT_TRUE(imported[0][17].isNull());
    EXPECT_EQ(imported[1][0].toString(), u" lead and trail ");
    EXPECT_EQ(imported[1][15].toString(), u"\r\n");
    EXPECT_EQ(imported[1][16].toString(), u" ");
    expectRoundTrip(first);
}

// What the import asks of a core row, made true of random values: ve is
// le × ae (when both are given and the product is finite), and the ORIGIN
// one the program knows, with the characters the CSV has to quote.
void consistentCore(const QVector<Column>& columns, QVariantList& values, std::mt19937_64& random) {
    const auto at = [&columns](const char* name) {
        for (qsizetype c = 0; c < columns.size(); ++c) {
            if (columns[c].name == QLatin1String(name)) {
                return c;
            }
        }
        return qsizetype(-1);
    };
    const QVariant origins[] = {QVariant(),
                                QStringLiteral(""),
                                QStringLiteral(" 数据手册 "),
                                QStringLiteral("数据手册（\"A, B\"\r\n）"),
                                QStringLiteral("按尺寸计算（已验证 ±3%）"),
                                QStringLiteral("按尺寸估算（±10%）")};
    values[at("ORIGIN")] = origins[random() % std::size(origins)];
    const QVariant le = values[at("le")];
    const QVariant ae = values[at("ae")];
    if (!le.isNull() && !ae.isNull()) {
        const double product = le.toDouble() * ae.toDouble();
        values[at("ve")] = std::isfinite(product) ? QVariant(product) : QVariant();
    }
}

TEST_F(CsvRoundTripTest, RandomRowsExportToTheSameRows) {
    // Rows written straight into the catalogue: every column, nulls, empty
    // and blank texts, quotes, commas, line ends and any finite double.
    const QString first = pathOf("first.db");
    ASSERT_TRUE(importCatalogue(first, {}, {}));
    const QString connection = QUuid::createUuid().toString();
    std::mt19937_64 random(7);
    const QString pieces[] = {QString(),
                              QStringLiteral(" "),
                              QStringLiteral(","),
                              QStringLiteral("\""),
                              QStringLiteral("\r\n"),
                              QStringLiteral("\n"),
                              QStringLiteral("磁芯"),
                              QStringLiteral("PC40"),
                              QStringLiteral("'")};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(first);
        ASSERT_TRUE(db.open());
        db.transaction();
        for (const auto& [table, columns] :
             {std::pair{QStringLiteral("materials"), &materialColumns()},
              std::pair{QStringLiteral("CORE"), &coreColumns()}}) {
            QStringList names;
            QStringList marks;
            for (const Column& column : *columns) {
                names.append(quoted(column.name));
                marks.append(QStringLiteral("?"));
            }
            QSqlQuery insert(db);
            ASSERT_TRUE(insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                           .arg(table, names.join(u','), marks.join(u','))));
            for (int row = 0; row < 300; ++row) {
                QVariantList values;
                for (qsizetype c = 0; c < columns->size(); ++c) {
                    QVariant value;
                    if (random() % 4 != 0) {
                        if ((*columns)[c].type == ColumnType::Number) {
                            double number;
                            do {
                                const std::uint64_t bits = random();
                                std::memcpy(&number, &bits, sizeof number);
                            } while (!std::isfinite(number));
                            value = random() % 2 ? number
                                                 : double(std::int64_t(random() % 2000) - 1000);
                        } else {
                            QString text;
                            for (int n = int(random() % 5); n > 0; --n) {
                                text += pieces[random() % std::size(pieces)];
                            }
                            value = text;
                        }
                    }
                    values.append(value);
                }
                if (table == u"CORE") {
                    consistentCore(*columns, values, random);
                }
                for (qsizetype c = 0; c < values.size(); ++c) {
                    insert.bindValue(int(c), values[c]);
                }
                ASSERT_TRUE(insert.exec());
            }
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase(connection);
    expectRoundTrip(first);
}

TEST_F(CsvRoundTripTest, MissingCatalogueIsReportedNotCreated) {
    const QString missing = pathOf("missing.db");
    const Result<std::pair<int, int>> exported = exportCatalogue(missing, pathOf("m.csv"), {});
    ASSERT_FALSE(exported);
    EXPECT_EQ(exported.failure().text, missing + QStringLiteral(": no such catalogue"));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_FALSE(QFile::exists(pathOf("m.csv")));
}

}  // namespace
}  // namespace kelvane::catalogue
