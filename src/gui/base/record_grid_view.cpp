#include "gui/base/record_grid_view.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>

namespace kelvane::gui {

RecordGridView::RecordGridView(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid for the next control, as in any form.
    setTabKeyNavigation(false);
    verticalHeader()->setDefaultSectionSize(22);
    horizontalHeader()->setHighlightSections(false);
    setAlternatingRowColors(true);
}

void RecordGridView::showRow(int row) {
    if (model() == nullptr) {
        return;
    }
    const bool showing = m_showing;
    m_showing = true;
    if (model()->index(row, 0).isValid()) {
        selectRow(row);
    } else {
        selectionModel()->clearCurrentIndex();
        clearSelection();
    }
    m_showing = showing;
}

void RecordGridView::chooseRow(int row) {
    if (model() == nullptr) {
        return;
    }
    const QModelIndex index = model()->index(row, std::max(0, currentIndex().column()));
    if (!index.isValid()) {
        return;
    }
    if (currentIndex().row() == row) {
        Q_EMIT rowChosen(row);
        return;
    }
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QModelIndex RecordGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // Home and End go to the first and last record, not along the row.
    if ((action == MoveHome || action == MoveEnd) && model() != nullptr &&
        model()->rowCount() > 0) {
        const int column = std::max(0, currentIndex().column());
        return model()->index(action == MoveHome ? 0 : model()->rowCount() - 1, column);
    }
    return QTableView::moveCursor(action, modifiers);
}

void RecordGridView::setSelectionModel(QItemSelectionModel* selectionModel) {
    QTableView::setSelectionModel(selectionModel);
    connect(selectionModel, &QItemSelectionModel::currentRowChanged, this,
            &RecordGridView::onCurrentRowChanged);
}

void RecordGridView::mousePressEvent(QMouseEvent* event) {
    m_rowBeforePress = currentIndex().row();
    QTableView::mousePressEvent(event);
}

void RecordGridView::mouseReleaseEvent(QMouseEvent* event) {
    const QModelIndex released = indexAt(event->position().toPoint());
    const int rowBeforePress = m_rowBeforePress;
    m_rowBeforePress = -1;
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && released.isValid() &&
        released.row() == rowBeforePress && released.row() == currentIndex().row()) {
        Q_EMIT rowChosen(released.row());
    }
}

void RecordGridView::onCurrentRowChanged(const QModelIndex& current) {
    if (!m_showing && current.isValid()) {
        Q_EMIT rowChosen(current.row());
    }
}

}  // namespace kelvane::gui
