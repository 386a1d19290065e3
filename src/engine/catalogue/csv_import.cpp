#include "engine/catalogue/csv_import.h"

#include "engine/base/number_text.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/catalogue/core_family.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QUuid>

#include <algorithm>
#include <cmath>
#include <utility>

namespace kelvane::catalogue {
namespace {

// The reason a row of `header`'s columns with these bound values cannot
// stand in its table, or "" when it can.
using RowCheck = QString (*)(const QVector<Column>& header, const QVector<QVariant>& values);

struct Table {
    QString name;
    const QVector<Column>* columns;
    RowCheck rowCheck = nullptr;
};

// Effective volume, length and area of one core agree to the catalogue's
// rounding (three or four significant digits) or contradict each other.
constexpr double kVolumeTolerance = 0.005;

QVariant valueOf(const QVector<Column>& header, const QVector<QVariant>& values,
                 const QString& column) {
    for (qsizetype c = 0; c < header.size(); ++c) {
        if (header[c].name == column) {
            return values[c];
        }
    }
    return {};
}

// A core's ORIGIN is one the program can judge, and its ve is le × ae.
QString coreRowCheck(const QVector<Column>& header, const QVector<QVariant>& values) {
    const QVariant origin = valueOf(header, values, QStringLiteral("ORIGIN"));
    if (!origin.isNull() && !coreOrigin(origin.toString())) {
        return QStringLiteral("\"%1\" is not an origin (%2)")
            .arg(origin.toString(), originChoices());
    }
    const QVariant ve = valueOf(header, values, QStringLiteral("ve"));
    const QVariant le = valueOf(header, values, QStringLiteral("le"));
    const QVariant ae = valueOf(header, values, QStringLiteral("ae"));
    if (ve.isNull() || le.isNull() || ae.isNull()) {
        return {};
    }
    const double product = le.toDouble() * ae.toDouble();
    if (!std::isfinite(product) ||
        !(std::fabs(ve.toDouble() - product) <= kVolumeTolerance * std::fabs(product))) {
        return QStringLiteral("ve ≠ le × ae");
    }
    return {};
}

// "FILE:LINE: reason"
Failure lineFailure(const QString& path, int line, const QString& reason) {
    return {QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(reason), line};
}

// "FILE: reason", where no line is at fault.
Failure fileFailure(const QString& path, const QString& reason) {
    return {QStringLiteral("%1: %2").arg(path, reason)};
}

// The UTF-8 text of a file; anything else is refused at its first bad line.
Result<QString> readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fileFailure(path, file.errorString());
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        // A UTF-8 sequence never holds a line feed, so each line decodes alone.
        const QList<QByteArray> lines = bytes.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QStringDecoder lineDecoder(QStringDecoder::Utf8);
            const QString decoded = lineDecoder.decode(lines[i]);
            if (lineDecoder.hasError()) {
                return lineFailure(path, int(i) + 1, QStringLiteral("not UTF-8 text"));
            }
        }
    }
    return text;
}

Result<int> importTable(QSqlDatabase& db, const Table& table, const QString& csvPath) {
    const Result<QString> text = readFile(csvPath);
    if (!text) {
        return text.failure();
    }
    const Result<QVector<CsvRecord>> parsed = parseCsv(text.value(), csvPath);
    if (!parsed) {
        return parsed.failure();
    }
    const QVector<CsvRecord>& records = parsed.value();
    if (records.isEmpty()) {
        return lineFailure(csvPath, 1, QStringLiteral("no header row"));
    }
    QVector<Column> header;
    const CsvRecord& headerRecord = records.first();
    for (const QString& name : headerRecord.fields) {
        const std::optional<Column> column = findColumn(*table.columns, name.trimmed());
        if (!column) {
            return lineFailure(
                csvPath, headerRecord.line,
                QStringLiteral("\"%1\" is not a column of %2").arg(name, table.name));
        }
        const bool repeated = std::any_of(header.cbegin(), header.cend(), [&](const Column& seen) {
            return seen.name == column->name;
        });
        if (repeated) {
            return lineFailure(csvPath, headerRecord.line,
                               QStringLiteral("column \"%1\" is named twice").arg(column->name));
        }
        header.append(*column);
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("DELETE FROM %1").arg(table.name))) {
        return fileFailure(db.databaseName(), query.lastError().text());
    }
    QStringList names;
    QStringList placeholders;
    for (const Column& column : header) {
        names.append(quoted(column.name));
        placeholders.append(QStringLiteral("?"));
    }
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(table.name, names.join(u','), placeholders.join(u',')))) {
        return fileFailure(db.databaseName(), query.lastError().text());
    }
    int imported = 0;
    for (qsizetype r = 1; r < records.size(); ++r) {
        const QStringList& record = records[r].fields;
        const int line = records[r].line;
        if (record.size() == 1 && !records[r].quoted.first() &&
            record.first().trimmed().isEmpty()) {
            continue;  // a blank line
        }
        if (record.size() != header.size()) {
            return lineFailure(csvPath, line,
                               QStringLiteral("%1 fields, the header has %2")
                                   .arg(record.size())
                                   .arg(header.size()));
        }
        QVector<QVariant> values(record.size());
        for (qsizetype c = 0; c < record.size(); ++c) {
            const QString cell = trimBlanks(record[c]);
            const bool text = header[c].type == ColumnType::Text;
            if (text && records[r].quoted[c]) {
                // A null string would be bound as an empty value.
                values[c] = record[c].isNull() ? QStringLiteral("") : record[c];
            } else if (!cell.isEmpty() && !text) {
                // A number beyond the double range would be stored as infinity.
                if (!isStrictNumber(cell) || !std::isfinite(parseNumber(cell))) {
                    return lineFailure(
                        csvPath, line,
                        QStringLiteral("\"%1\" is not a number (%2)").arg(cell, header[c].name));
                }
                values[c] = parseNumber(cell);
            } else if (!cell.isEmpty()) {
                values[c] = record[c];
            }
            query.bindValue(int(c), values[c]);
        }
        if (table.rowCheck != nullptr) {
            const QString problem = table.rowCheck(header, values);
            if (!problem.isEmpty()) {
                return lineFailure(csvPath, line, problem);
            }
        }
        if (!query.exec()) {
            return lineFailure(csvPath, line, query.lastError().text());
        }
        ++imported;
    }
    return imported;
}

}  // namespace

Result<QVector<CsvRecord>> parseCsv(const QString& input, const QString& fileName) {
    QString text = input;
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    QVector<CsvRecord> records;
    CsvRecord record;
    QString field;
    bool fieldQuoted = false;
    bool quotedField = false;
    int line = 1;
    int quoteLine = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quotedField) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field.append(u'"');
                    ++i;
                } else {
                    quotedField = false;
                }
            } else {
                if (c == u'\n') {
                    ++line;
                }
                field.append(c);
            }
            continue;
        }
        if (c == u'"') {
            quotedField = true;
            fieldQuoted = true;
            quoteLine = line;
        } else if (c == u',') {
            record.fields.append(std::exchange(field, {}));
            record.quoted.append(std::exchange(fieldQuoted, false));
        } else if (c == u'\n') {
            record.fields.append(std::exchange(field, {}));
            record.quoted.append(std::exchange(fieldQuoted, false));
            records.append(record);
            ++line;
            record = CsvRecord{line, {}, {}};
        } else if (c != u'\r') {
            field.append(c);
        }
    }
    if (quotedField) {
        return lineFailure(fileName, quoteLine, QStringLiteral("unterminated quote"));
    }
    if (!field.isEmpty() || fieldQuoted || !record.fields.isEmpty()) {
        record.fields.append(field);
        record.quoted.append(fieldQuoted);
        records.append(record);
    }
    return records;
}

namespace {

// Both tables' rows in one transaction of an open catalogue; the failure
// leaves the transaction to the caller to roll back.
Result<std::pair<int, int>> importTables(QSqlDatabase& db, const QString& databasePath,
                                         const QString& materialsCsv, const QString& coresCsv) {
    if (!db.transaction()) {
        return fileFailure(databasePath, db.lastError().text());
    }
    QSqlQuery query(db);
    for (const QString& statement : schemaStatements(db)) {
        if (!query.exec(statement)) {
            return fileFailure(databasePath, query.lastError().text());
        }
    }
    std::pair<int, int> counts{0, 0};
    if (!materialsCsv.isEmpty()) {
        const Result<int> materials =
            importTable(db, {QStringLiteral("materials"), &materialColumns()}, materialsCsv);
        if (!materials) {
            return materials.failure();
        }
        counts.first = materials.value();
    }
    if (!coresCsv.isEmpty()) {
        const Result<int> cores =
            importTable(db, {QStringLiteral("CORE"), &coreColumns(), coreRowCheck}, coresCsv);
        if (!cores) {
            return cores.failure();
        }
        counts.second = cores.value();
    }
    if (!db.commit()) {
        return fileFailure(databasePath, db.lastError().text());
    }
    return counts;
}

// The import through the connection `connection`, which is closed again.
Result<std::pair<int, int>> importThrough(const QString& connection, const QString& databasePath,
                                          const QString& materialsCsv, const QString& coresCsv) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(databasePath);
    if (!db.open()) {
        return fileFailure(databasePath, db.lastError().text());
    }
    Result<std::pair<int, int>> imported = importTables(db, databasePath, materialsCsv, coresCsv);
    if (!imported) {
        db.rollback();
    }
    db.close();
    return imported;
}

}  // namespace

Result<std::pair<int, int>> importCatalogue(const QString& databasePath,
                                            const QString& materialsCsv, const QString& coresCsv) {
    const QString connection = QUuid::createUuid().toString();
    Result<std::pair<int, int>> imported =
        importThrough(connection, databasePath, materialsCsv, coresCsv);
    // Removed once no handle of the connection is left.
    QSqlDatabase::removeDatabase(connection);
    return imported;
}

}  // namespace kelvane::catalogue
