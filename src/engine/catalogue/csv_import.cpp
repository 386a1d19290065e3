#include "engine/catalogue/csv_import.h"

#include "engine/base/error.h"
#include "engine/base/number_text.h"
#include "engine/catalogue/catalogue_schema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QUuid>

#include <algorithm>

namespace kelvane::catalogue {
namespace {

struct Table {
    QString name;
    const QVector<Column>* columns;
};

// "FILE:LINE: reason"
Error lineError(const QString& path, int line, const QString& reason) {
    return Error(QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(reason));
}

// The UTF-8 text of a file; anything else is refused at its first bad line.
QString readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("%1: %2").arg(path, file.errorString()));
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
                throw lineError(path, int(i) + 1, QStringLiteral("not UTF-8 text"));
            }
        }
    }
    return text;
}

int importTable(QSqlDatabase& db, const Table& table, const QString& csvPath) {
    const QVector<CsvRecord> records = parseCsv(readFile(csvPath), csvPath);
    if (records.isEmpty()) {
        throw lineError(csvPath, 1, QStringLiteral("no header row"));
    }
    QVector<Column> header;
    const CsvRecord& headerRecord = records.first();
    for (const QString& name : headerRecord.fields) {
        const std::optional<Column> column = findColumn(*table.columns, name.trimmed());
        if (!column) {
            throw lineError(csvPath, headerRecord.line,
                            QStringLiteral("\"%1\" is not a column of %2").arg(name, table.name));
        }
        const bool repeated = std::any_of(header.cbegin(), header.cend(), [&](const Column& seen) {
            return seen.name == column->name;
        });
        if (repeated) {
            throw lineError(csvPath, headerRecord.line,
                            QStringLiteral("column \"%1\" is named twice").arg(column->name));
        }
        header.append(*column);
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("DELETE FROM %1").arg(table.name))) {
        throw Error(QStringLiteral("%1: %2").arg(db.databaseName(), query.lastError().text()));
    }
    QStringList names;
    QStringList placeholders;
    for (const Column& column : header) {
        names.append(quoted(column.name));
        placeholders.append(QStringLiteral("?"));
    }
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(table.name, names.join(u','), placeholders.join(u',')))) {
        throw Error(QStringLiteral("%1: %2").arg(db.databaseName(), query.lastError().text()));
    }
    int imported = 0;
    for (qsizetype r = 1; r < records.size(); ++r) {
        const QStringList& record = records[r].fields;
        const int line = records[r].line;
        if (record.size() == 1 && record.first().trimmed().isEmpty()) {
            continue;  // a blank line
        }
        if (record.size() != header.size()) {
            throw lineError(csvPath, line,
                            QStringLiteral("%1 fields, the header has %2")
                                .arg(record.size())
                                .arg(header.size()));
        }
        for (qsizetype c = 0; c < record.size(); ++c) {
            const QString cell = trimBlanks(record[c]);
            if (cell.isEmpty()) {
                query.bindValue(int(c), QVariant());
            } else if (header[c].type == ColumnType::Number) {
                if (!isStrictNumber(cell)) {
                    throw lineError(
                        csvPath, line,
                        QStringLiteral("\"%1\" is not a number (%2)").arg(cell, header[c].name));
                }
                query.bindValue(int(c), parseNumber(cell));
            } else {
                query.bindValue(int(c), record[c]);
            }
        }
        if (!query.exec()) {
            throw lineError(csvPath, line, query.lastError().text());
        }
        ++imported;
    }
    return imported;
}

}  // namespace

QVector<CsvRecord> parseCsv(const QString& input, const QString& fileName) {
    QString text = input;
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    QVector<CsvRecord> records;
    CsvRecord record;
    QString field;
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
            quoteLine = line;
        } else if (c == u',') {
            record.fields.append(field);
            field.clear();
        } else if (c == u'\n') {
            record.fields.append(field);
            field.clear();
            records.append(record);
            ++line;
            record = CsvRecord{line, {}};
        } else if (c != u'\r') {
            field.append(c);
        }
    }
    if (quotedField) {
        throw lineError(fileName, quoteLine, QStringLiteral("unterminated quote"));
    }
    if (!field.isEmpty() || !record.fields.isEmpty()) {
        record.fields.append(field);
        records.append(record);
    }
    return records;
}

std::pair<int, int> importCatalogue(const QString& databasePath, const QString& materialsCsv,
                                    const QString& coresCsv) {
    const QString connection = QUuid::createUuid().toString();
    std::pair<int, int> counts{0, 0};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(databasePath);
        try {
            if (!db.open()) {
                throw Error(QStringLiteral("%1: %2").arg(databasePath, db.lastError().text()));
            }
            if (!db.transaction()) {
                throw Error(QStringLiteral("%1: %2").arg(databasePath, db.lastError().text()));
            }
            QSqlQuery query(db);
            for (const QString& statement : schemaStatements()) {
                if (!query.exec(statement)) {
                    throw Error(
                        QStringLiteral("%1: %2").arg(databasePath, query.lastError().text()));
                }
            }
            if (!materialsCsv.isEmpty()) {
                counts.first = importTable(db, {QStringLiteral("materials"), &materialColumns()},
                                           materialsCsv);
            }
            if (!coresCsv.isEmpty()) {
                counts.second = importTable(db, {QStringLiteral("CORE"), &coreColumns()}, coresCsv);
            }
            if (!db.commit()) {
                throw Error(QStringLiteral("%1: %2").arg(databasePath, db.lastError().text()));
            }
        } catch (const Error&) {
            db.rollback();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connection);
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return counts;
}

}  // namespace kelvane::catalogue
