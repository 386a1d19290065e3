#include "gui/catalogue/record_set_model.h"

#include "engine/base/language.h"
#include "engine/catalogue/data_source.h"
#include "gui/base/widget_text.h"

namespace kelvane::gui {

RecordSetModel::RecordSetModel(const catalogue::DataSource& source, QVector<Column> columns,
                               QObject* parent)
    : QAbstractTableModel(parent), m_source(source), m_wanted(std::move(columns)) {
    resolveColumns();
}

void RecordSetModel::resolveColumns() {
    m_shown.clear();
    m_indexes.clear();
    const QStringList& available = m_source.columns();
    if (m_wanted.isEmpty()) {
        for (int i = 0; i < available.size(); ++i) {
            m_shown.append({available[i], available[i]});
            m_indexes.append(i);
        }
        return;
    }
    for (const Column& column : m_wanted) {
        for (int i = 0; i < available.size(); ++i) {
            if (available[i].compare(column.name, Qt::CaseInsensitive) == 0) {
                m_shown.append(column);
                m_indexes.append(i);
                break;
            }
        }
    }
}

int RecordSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_source.count();
}

int RecordSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant RecordSetModel::data(const QModelIndex& index, int role) const {
    // The tip shows a text too long for its narrow column in full.
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    return shownText(m_source.cellText(index.row(), m_indexes[index.column()]));
}

QVariant RecordSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    return humanText(m_shown.value(section).caption);
}

void RecordSetModel::refresh() {
    beginResetModel();
    resolveColumns();
    endResetModel();
}

}  // namespace kelvane::gui
