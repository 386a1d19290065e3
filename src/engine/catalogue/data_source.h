#pragma once

#include "engine/base/result.h"

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <optional>

namespace kelvane::catalogue {

// A data source on one catalogue table: its record-source text, the record
// set that text stands for (rows in stored order, ascending rowid) and the
// current record. Moving the current record announces it at once, so the
// owner refills the bound fields inside the move. A leave guard, when set,
// runs before every move (a refresh or a move to another record) and can
// forbid it; the owner commits pending edits there.
class DataSource : public QObject {
    Q_OBJECT

public:
    explicit DataSource(QString table);

    // The database to query; a closed or invalid one gives empty record sets.
    void setDatabase(const QSqlDatabase& database);
    // Reports database errors (the engine's own text).
    void setErrorHandler(std::function<void(const QString&)> handler) {
        m_onError = std::move(handler);
    }

    // Runs before each move; a false result cancels the move.
    void setLeaveGuard(std::function<bool()> guard) { m_leaveGuard = std::move(guard); }

    [[nodiscard]] const QString& table() const { return m_table; }
    [[nodiscard]] const QString& recordSource() const { return m_recordSource; }

    // The record source shown as `text`; what runs is the SQL condition
    // `where` (empty: every row) with its bound values. Then refreshes.
    // False, with the record source unchanged, when the guard forbade it.
    bool setRecordSource(const QString& text, const QString& where, const QVariantList& values);
    // The record source shown as `text`, listing the rows whose `column`
    // the prefix search for `search` lists (as its LIKE pattern would),
    // served from the column's texts held in memory.
    bool setPrefixSearch(const QString& text, const QString& column, const QString& search);
    // Rebuilds the record set; its first row becomes current. False when
    // the guard forbade it.
    bool refresh();

    [[nodiscard]] int count() const { return int(m_rowids.size()); }
    // 1-based position of the current record, 0 when the set is empty.
    [[nodiscard]] int position() const { return m_position; }
    // Makes record `position` (1-based) current. The current record itself
    // or a position out of range is no move and does nothing. False when
    // the record did not become current.
    bool moveTo(int position);
    // Announces the current record again, so the bound fields show it as
    // stored (empty when the record set is empty). Not a move.
    void reread();

    // The columns of the table as stored, in table order.
    [[nodiscard]] const QStringList& columns() const { return m_columns; }
    [[nodiscard]] bool hasColumn(const QString& column) const;
    // A column of the current record as field text: empty for no record or
    // an empty cell, numbers as plain number text (20, 52.5, 0.0175).
    [[nodiscard]] QString currentText(const QString& column) const;
    // Record `row` (0-based) of the set, column by index, as field text.
    [[nodiscard]] QString cellText(int row, int column) const;
    [[nodiscard]] qint64 currentRowid() const;
    // 1-based position of the record `rowid` in the set, 0 when not listed.
    [[nodiscard]] int positionOf(qint64 rowid) const;

    // Writes values into the record `rowid`, or inserts a record when
    // `rowid` has no value. The record set keeps its rows until the next
    // refresh: a written record stays listed even when it no longer meets
    // the query, and an inserted one is listed last and becomes current
    // (unannounced: the caller moves on or calls reread()). A failure has
    // the database's text.
    Result<void> writeRecord(std::optional<qint64> rowid, const QHash<QString, QVariant>& values);
    // Deletes the current record; the next one (or the last) becomes
    // current. Not a move: the guard is not asked.
    Result<void> deleteCurrent();

Q_SIGNALS:
    // The rows of the record set or their values changed.
    void refreshed();
    // The current record moved (or the record set emptied).
    void currentChanged();

private:
    [[nodiscard]] const QVector<QVariant>& record(int row) const;
    void readColumns();
    void reportError(const QString& text);
    void rebuild();
    bool mayLeave();

    QString m_table;
    QSqlDatabase m_db;
    QString m_recordSource;
    QString m_where;
    QVariantList m_values;
    // A prefix search in memory: its column ("" for none) and text, and
    // the column's texts as SQLite's LIKE reads them, by rowid, read at the
    // first search and again after any write.
    QString m_searchColumn;
    QString m_search;
    struct ColumnText {
        qint64 rowid;
        QString text;
        bool null;
    };
    QString m_textsColumn;
    QVector<ColumnText> m_texts;
    void readColumnTexts();
    QVector<qint64> m_rowids;
    QStringList m_columns;
    int m_position = 0;
    mutable QHash<qint64, QVector<QVariant>> m_cache;
    std::function<void(const QString&)> m_onError;
    std::function<bool()> m_leaveGuard;
};

// The text a catalogue value shows in a field.
[[nodiscard]] QString valueText(const QVariant& value);

}  // namespace kelvane::catalogue
