#include "engine/catalogue/csv_export.h"

#include "engine/catalogue/catalogue_schema.h"

#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

#include <cmath>

namespace kelvane::catalogue {
namespace {

QString quotedField(const QString& text) {
    QString doubled = text;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

Result<int> exportTable(QSqlDatabase& db, const QString& table, const QVector<Column>& known,
                        const QString& csvPath) {
    // A catalogue made before a column was added lacks it: the file does too.
    const QSqlRecord stored = db.record(table);
    QVector<Column> columns;
    for (const Column& column : known) {
        if (stored.isEmpty() || stored.indexOf(column.name) >= 0) {
            columns.append(column);
        }
    }
    QStringList names;
    QVariantList header;
    for (const Column& column : columns) {
        names.append(quoted(column.name));
        header.append(column.name);
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(
            QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(names.join(u','), table))) {
        return Failure{QStringLiteral("%1: %2").arg(table, query.lastError().text())};
    }
    QString text = csvRecord(header).value() + QStringLiteral("\r\n");
    int rows = 0;
    while (query.next()) {
        QVariantList values;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            values.append(query.value(int(c)));
        }
        const Result<QString> record = csvRecord(values);
        if (!record) {
            return Failure{QStringLiteral("%1 row %2: %3")
                               .arg(table)
                               .arg(rows + 1)
                               .arg(record.failure().text)};
        }
        text += record.value() + QStringLiteral("\r\n");
        ++rows;
    }
    QSaveFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        return Failure{QStringLiteral("%1: %2").arg(csvPath, file.errorString())};
    }
    return rows;
}

// Both tables through an open catalogue.
Result<std::pair<int, int>> exportTables(QSqlDatabase& db, const QString& databasePath,
                                         const QString& materialsCsv, const QString& coresCsv) {
    if (!db.open()) {
        return Failure{QStringLiteral("%1: %2").arg(databasePath, db.lastError().text())};
    }
    std::pair<int, int> counts{0, 0};
    if (!materialsCsv.isEmpty()) {
        const Result<int> materials =
            exportTable(db, QStringLiteral("materials"), materialColumns(), materialsCsv);
        if (!materials) {
            return materials.failure();
        }
        counts.first = materials.value();
    }
    if (!coresCsv.isEmpty()) {
        const Result<int> cores = exportTable(db, QStringLiteral("CORE"), coreColumns(), coresCsv);
        if (!cores) {
            return cores.failure();
        }
        counts.second = cores.value();
    }
    return counts;
}

}  // namespace

std::optional<QString> csvNumber(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    if (value == 0.0) {
        return QStringLiteral("0");
    }
    // Shortest digits that read back exactly, as d.ddde±x, laid out again
    // without the exponent.
    const QString shortest = QString::number(std::fabs(value), 'e', QLocale::FloatingPointShortest);
    const qsizetype e = shortest.indexOf(u'e');
    QString digits = shortest.left(e);
    digits.remove(u'.');
    const int exponent = shortest.mid(e + 1).toInt();
    QString text;
    if (exponent < 0) {
        text = QStringLiteral("0.") + QString(-exponent - 1, u'0') + digits;
    } else if (exponent + 1 >= digits.size()) {
        text = digits + QString(exponent + 1 - digits.size(), u'0');
    } else {
        text = digits.left(exponent + 1) + u'.' + digits.mid(exponent + 1);
    }
    return value < 0 ? u'-' + text : text;
}

Result<QString> csvRecord(const QVariantList& values) {
    QStringList fields;
    for (const QVariant& value : values) {
        if (value.isNull()) {
            fields.append(QString());
        } else if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong ||
                   value.typeId() == QMetaType::Int) {
            const std::optional<QString> number = csvNumber(value.toDouble());
            if (!number) {
                return Failure{QStringLiteral("%1 has no CSV form").arg(value.toDouble())};
            }
            fields.append(*number);
        } else {
            fields.append(quotedField(value.toString()));
        }
    }
    return fields.join(u',');
}

Result<std::pair<int, int>> exportCatalogue(const QString& databasePath,
                                            const QString& materialsCsv, const QString& coresCsv) {
    if (!QFileInfo(databasePath).isFile()) {
        return Failure{QStringLiteral("%1: no such catalogue").arg(databasePath)};
    }
    const QString connection = QUuid::createUuid().toString();
    Result<std::pair<int, int>> exported = Failure{};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(databasePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        exported = exportTables(db, databasePath, materialsCsv, coresCsv);
        db.close();
    }
    // Removed once no handle of the connection is left.
    QSqlDatabase::removeDatabase(connection);
    return exported;
}

}  // namespace kelvane::catalogue
