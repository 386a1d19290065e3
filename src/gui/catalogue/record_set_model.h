#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

namespace kelvane::catalogue {
class DataSource;
}

namespace kelvane::gui {

// A grid over the record set of a data source. Rows are fetched from the
// catalogue only as the view shows them, so a catalogue of tens of thousands
// of cores costs no more than the rows on screen.
class RecordSetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    struct Column {
        QString caption;
        QString name;
    };

    // With no columns given, the grid shows every column of the table.
    RecordSetModel(const catalogue::DataSource& source, QVector<Column> columns,
                   QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The record set was rebuilt.
    void refresh();

private:
    // The wanted columns that the table has, with their index in it.
    void resolveColumns();

    const catalogue::DataSource& m_source;
    QVector<Column> m_wanted;
    QVector<Column> m_shown;
    QVector<int> m_indexes;
};

}  // namespace kelvane::gui
