#pragma once

#include "engine/sheet/design_sheet.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace kelvane::gui {

// A table view over one grid of the design record. With a header row the
// grid's row 0 becomes the column headings and row 1 the first view row.
class GridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    GridModel(const sheet::DesignSheet& sheet, sheet::Table table, bool headerRow,
              QObject* parent = nullptr);

    // Fixed headings for a grid without a header row.
    void setHeadings(const QStringList& headings) { m_headings = headings; }
    void setRowHeadings(const QStringList& headings) { m_rowHeadings = headings; }
    // The grid row shown in view row `viewRow`.
    [[nodiscard]] int gridRow(int viewRow) const { return viewRow + (m_headerRow ? 1 : 0); }
    [[nodiscard]] int viewRow(int gridRow) const { return gridRow - (m_headerRow ? 1 : 0); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The grid changed in the record.
    void refresh();

private:
    const sheet::DesignSheet& m_sheet;
    sheet::Table m_table;
    bool m_headerRow;
    QStringList m_headings;
    QStringList m_rowHeadings;
    // The shape the views were last told of.
    int m_shownRows = -1;
    int m_shownColumns = -1;
};

}  // namespace kelvane::gui
