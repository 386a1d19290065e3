#include "gui/design/grid_model.h"

#include "engine/base/language.h"
#include "gui/base/widget_text.h"

#include <algorithm>

namespace kelvane::gui {

GridModel::GridModel(const sheet::DesignSheet& sheet, sheet::Table table, bool headerRow,
                     QObject* parent)
    : QAbstractTableModel(parent), m_sheet(sheet), m_table(table), m_headerRow(headerRow) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return std::max(0, viewRow(m_sheet.grid(m_table).rowCount()));
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_sheet.grid(m_table).columns;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return m_sheet.grid(m_table).cell(gridRow(index.row()), index.column());
    }
    if (role == Qt::TextAlignmentRole) {
        return index.column() == 0 ? int(Qt::AlignCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && m_headerRow) {
        return humanText(headerData(section, orientation, kSourceTextRole).toString());
    }
    if (role != Qt::DisplayRole && role != kSourceTextRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (orientation == Qt::Vertical) {
        if (section < m_rowHeadings.size()) {
            return m_rowHeadings[section];
        }
        return {};
    }
    if (m_headerRow) {
        return m_sheet.grid(m_table).cell(0, section);
    }
    return m_headings.value(section);
}

void GridModel::refresh() {
    const int rows = rowCount();
    const int columns = columnCount();
    if (rows == m_shownRows && columns == m_shownColumns) {
        // A row chosen or a cell rewritten: the view keeps its current index,
        // which a reset would drop in the middle of the key or click that
        // chose the row.
        if (rows > 0 && columns > 0) {
            Q_EMIT dataChanged(index(0, 0), index(rows - 1, columns - 1));
        }
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, std::max(0, columns - 1));
        return;
    }
    beginResetModel();
    m_shownRows = rows;
    m_shownColumns = columns;
    endResetModel();
}

}  // namespace kelvane::gui
