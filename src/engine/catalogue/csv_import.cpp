#include "catalogue/csv_import.h"

#include "base/error.h"
#include "base/number_text.h"
#include "catalogue/catalogue_schema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <cmath>
#include <utility>

namespace kelvane::catalogue {
namespace {

struct Table {
    QString name;
    const QVector<Column>* columns;
};

QString readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("%1: %2").arg(path, file.errorString()));
    }
    return QString::fromUtf8(file.readAll());
}

int importTable(QSqlDatabase& db, const Table& table, const QString& csvPath) {
    QVector<QVector<CsvField>> records;
    try {
        records = parseCsvFields(readFile(csvPath));
    } catch (const Error& error) {
        throw Error(csvPath + QStringLiteral(": ") + error.text());
    }
    if (records.isEmpty()) {
        throw Error(QStringLiteral("%1: no header row").arg(csvPath));
    }
    QVector<Column> header;
    for (const CsvField& name : records.first()) {
        const std::optional<Column> column = findColumn(*table.columns, name.text.trimmed());
        if (!column) {
            throw Error(QStringLiteral("%1 line 1: \"%2\" is not a column of %3")
                            .arg(csvPath, name.text, table.name));
        }
        header.append(*column);
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("DELETE FROM %1").arg(table.name))) {
        throw Error(query.lastError().text());
    }
    QStringList names;
    QStringList placeholders;
    for (const Column& column : header) {
        names.append(quoted(column.name));
        placeholders.append(QStringLiteral("?"));
    }
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(table.name, names.join(u','), placeholders.join(u',')))) {
        throw Error(query.lastError().text());
    }
    int imported = 0;
    for (qsizetype r = 1; r < records.size(); ++r) {
        const QVector<CsvField>& record = records[r];
        if (record.size() == 1 && !record.first().quoted &&
            record.first().text.trimmed().isEmpty()) {
            continue;  // a blank line
        }
        if (record.size() != header.size()) {
            throw Error(QStringLiteral("%1 line %2: %3 fields, the header has %4")
                            .arg(csvPath)
                            .arg(r + 1)
                            .arg(record.size())
                            .arg(header.size()));
        }
        for (qsizetype c = 0; c < record.size(); ++c) {
            const QString cell = record[c].text.trimmed();
            const bool text = header[c].type == ColumnType::Text;
            if (text && record[c].quoted) {
                // A null string would be bound as an empty value.
                query.bindValue(int(c),
                                record[c].text.isNull() ? QStringLiteral("") : record[c].text);
            } else if (cell.isEmpty()) {
                query.bindValue(int(c), QVariant());
            } else if (!text) {
                // A number beyond the double range would be stored as infinity.
                if (!isStrictNumber(cell) || !std::isfinite(parseNumber(cell))) {
                    throw Error(QStringLiteral("%1 line %2: \"%3\" is not a number (%4)")
                                    .arg(csvPath)
                                    .arg(r + 1)
                                    .arg(cell, header[c].name));
                }
                query.bindValue(int(c), parseNumber(cell));
            } else {
                query.bindValue(int(c), record[c].text);
            }
        }
        if (!query.exec()) {
            throw Error(QStringLiteral("%1 line %2: %3")
                            .arg(csvPath)
                            .arg(r + 1)
                            .arg(query.lastError().text()));
        }
        ++imported;
    }
    return imported;
}

}  // namespace

QVector<QVector<CsvField>> parseCsvFields(const QString& input) {
    QString text = input;
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    QVector<QVector<CsvField>> records;
    QVector<CsvField> record;
    CsvField field;
    bool quotedField = false;
    int line = 1;
    int quoteLine = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quotedField) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field.text.append(u'"');
                    ++i;
                } else {
                    quotedField = false;
                }
            } else {
                if (c == u'\n') {
                    ++line;
                }
                field.text.append(c);
            }
            continue;
        }
        if (c == u'"') {
            quotedField = true;
            field.quoted = true;
            quoteLine = line;
        } else if (c == u',') {
            record.append(std::exchange(field, {}));
        } else if (c == u'\n') {
            record.append(std::exchange(field, {}));
            records.append(record);
            record.clear();
            ++line;
        } else if (c != u'\r') {
            field.text.append(c);
        }
    }
    if (quotedField) {
        throw Error(QStringLiteral("line %1: unterminated quote").arg(quoteLine));
    }
    if (!field.text.isEmpty() || field.quoted || !record.isEmpty()) {
        record.append(field);
        records.append(record);
    }
    return records;
}

QVector<QStringList> parseCsv(const QString& text) {
    QVector<QStringList> records;
    for (const QVector<CsvField>& fields : parseCsvFields(text)) {
        QStringList record;
        for (const CsvField& field : fields) {
            record.append(field.text);
        }
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
