#include "engine/catalogue/data_source.h"

#include "engine/base/number_text.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/catalogue/search_rule.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace kelvane::catalogue {
namespace {

constexpr int kCacheLimit = 4096;

}  // namespace

QString valueText(const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        return {};
    }
    switch (value.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
            return formatPlain(value.toDouble()).value_or(QString());
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            return QString::number(value.toLongLong());
        default:
            return value.toString();
    }
}

DataSource::DataSource(QString table) : m_table(std::move(table)), m_recordSource(m_table) {}

void DataSource::setDatabase(const QSqlDatabase& database) {
    m_db = database;
    m_textsColumn.clear();
    readColumns();
}

void DataSource::readColumns() {
    m_columns.clear();
    if (!m_db.isOpen()) {
        return;
    }
    const QSqlRecord record = m_db.record(m_table);
    for (int i = 0; i < record.count(); ++i) {
        m_columns.append(record.fieldName(i));
    }
}

bool DataSource::hasColumn(const QString& column) const {
    return m_columns.contains(column, Qt::CaseInsensitive);
}

bool DataSource::mayLeave() {
    return !m_leaveGuard || m_leaveGuard();
}

bool DataSource::setRecordSource(const QString& text, const QString& where,
                                 const QVariantList& values) {
    if (!mayLeave()) {
        return false;
    }
    m_recordSource = text;
    m_where = where;
    m_values = values;
    m_searchColumn.clear();
    rebuild();
    m_position = m_rowids.isEmpty() ? 0 : 1;
    Q_EMIT refreshed();
    Q_EMIT currentChanged();
    return true;
}

bool DataSource::setPrefixSearch(const QString& text, const QString& column,
                                 const QString& search) {
    if (!mayLeave()) {
        return false;
    }
    m_recordSource = text;
    m_where.clear();
    m_values.clear();
    m_searchColumn = column;
    m_search = search;
    rebuild();
    m_position = m_rowids.isEmpty() ? 0 : 1;
    Q_EMIT refreshed();
    Q_EMIT currentChanged();
    return true;
}

void DataSource::readColumnTexts() {
    m_texts.clear();
    m_textsColumn = m_searchColumn;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    // LIKE compares a cell's text: the same cast gives numbers their text.
    if (!query.exec(QStringLiteral("SELECT rowid, CAST(%2 AS TEXT), %2 IS NULL FROM %1 "
                                   "ORDER BY rowid")
                        .arg(quoted(m_table), quoted(m_searchColumn)))) {
        m_textsColumn.clear();
        reportError(query.lastError().text());
        return;
    }
    while (query.next()) {
        m_texts.append(
            {query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toInt() != 0});
    }
}

void DataSource::rebuild() {
    m_rowids.clear();
    m_cache.clear();
    if (!m_db.isOpen()) {
        return;
    }
    if (!m_searchColumn.isEmpty()) {
        if (m_textsColumn != m_searchColumn) {
            readColumnTexts();
        }
        const PrefixSearch search(m_search);
        for (const ColumnText& row : m_texts) {
            if (!row.null && search.matches(row.text)) {
                m_rowids.append(row.rowid);
            }
        }
        return;
    }
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    QString sql = QStringLiteral("SELECT rowid FROM %1").arg(quoted(m_table));
    if (!m_where.isEmpty()) {
        sql += QStringLiteral(" WHERE ") + m_where;
    }
    sql += QStringLiteral(" ORDER BY rowid");
    if (!query.prepare(sql)) {
        reportError(query.lastError().text());
        return;
    }
    for (int i = 0; i < m_values.size(); ++i) {
        query.bindValue(i, m_values[i]);
    }
    if (!query.exec()) {
        reportError(query.lastError().text());
        return;
    }
    while (query.next()) {
        m_rowids.append(query.value(0).toLongLong());
    }
}

bool DataSource::refresh() {
    if (!m_searchColumn.isEmpty()) {
        return setPrefixSearch(m_recordSource, m_searchColumn, m_search);
    }
    return setRecordSource(m_recordSource, m_where, m_values);
}

bool DataSource::moveTo(int position) {
    if (position < 1 || position > count() || position == m_position) {
        return false;
    }
    // The guard may commit a new record, which lists it last: the records
    // before it keep their positions.
    if (!mayLeave()) {
        return false;
    }
    m_position = position;
    Q_EMIT currentChanged();
    return true;
}

void DataSource::reread() {
    if (m_position > 0) {
        m_cache.remove(m_rowids[m_position - 1]);
    }
    Q_EMIT currentChanged();
}

QString DataSource::currentText(const QString& column) const {
    if (m_position == 0) {
        return {};
    }
    const int index = int(m_columns.indexOf(column));
    if (index < 0) {
        for (int i = 0; i < m_columns.size(); ++i) {
            if (m_columns[i].compare(column, Qt::CaseInsensitive) == 0) {
                return valueText(record(m_position - 1).value(i));
            }
        }
        return {};
    }
    return valueText(record(m_position - 1).value(index));
}

QString DataSource::cellText(int row, int column) const {
    if (row < 0 || row >= count()) {
        return {};
    }
    return valueText(record(row).value(column));
}

qint64 DataSource::currentRowid() const {
    return m_position == 0 ? -1 : m_rowids[m_position - 1];
}

int DataSource::positionOf(qint64 rowid) const {
    return int(m_rowids.indexOf(rowid)) + 1;
}

const QVector<QVariant>& DataSource::record(int row) const {
    const qint64 rowid = m_rowids[row];
    auto it = m_cache.constFind(rowid);
    if (it != m_cache.constEnd()) {
        return *it;
    }
    if (m_cache.size() >= kCacheLimit) {
        m_cache.clear();
    }
    QVector<QVariant> values(m_columns.size());
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(quoted(m_table)));
    query.bindValue(0, rowid);
    if (query.exec() && query.next()) {
        for (int i = 0; i < values.size(); ++i) {
            values[i] = query.value(i);
        }
    }
    return *m_cache.insert(rowid, values);
}

Result<void> DataSource::writeRecord(std::optional<qint64> rowid,
                                     const QHash<QString, QVariant>& values) {
    if (!m_db.isOpen()) {
        return Failure{QStringLiteral("no catalogue")};
    }
    QStringList names;
    QVariantList bound;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        names.append(it.key());
        bound.append(it.value());
    }
    QSqlQuery query(m_db);
    QString sql;
    if (rowid) {
        QStringList assignments;
        for (const QString& name : names) {
            assignments.append(quoted(name) + QStringLiteral(" = ?"));
        }
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                  .arg(quoted(m_table), assignments.join(QStringLiteral(", ")));
        bound.append(*rowid);
    } else {
        QStringList quotedNames;
        QStringList marks;
        for (const QString& name : names) {
            quotedNames.append(quoted(name));
            marks.append(QStringLiteral("?"));
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoted(m_table), quotedNames.join(u','), marks.join(u','));
    }
    if (!query.prepare(sql)) {
        return Failure{query.lastError().text()};
    }
    for (int i = 0; i < bound.size(); ++i) {
        query.bindValue(i, bound[i]);
    }
    if (!query.exec()) {
        return Failure{query.lastError().text()};
    }
    m_textsColumn.clear();
    if (rowid) {
        m_cache.remove(*rowid);
    } else {
        // The new rowid is the largest, so the stored order still holds.
        m_rowids.append(query.lastInsertId().toLongLong());
        m_position = count();
    }
    Q_EMIT refreshed();
    return {};
}

Result<void> DataSource::deleteCurrent() {
    if (m_position == 0) {
        return Failure{QStringLiteral("no current record")};
    }
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_table)));
    query.bindValue(0, currentRowid());
    if (!query.exec()) {
        return Failure{query.lastError().text()};
    }
    m_textsColumn.clear();
    m_cache.remove(currentRowid());
    m_rowids.removeAt(m_position - 1);
    m_position = std::min(m_position, count());
    Q_EMIT refreshed();
    Q_EMIT currentChanged();
    return {};
}

void DataSource::reportError(const QString& text) {
    if (m_onError) {
        m_onError(text);
    }
}

}  // namespace kelvane::catalogue
