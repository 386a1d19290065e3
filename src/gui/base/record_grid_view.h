#pragma once

#include <QTableView>

namespace kelvane::gui {

// A grid whose current row is a record of the engine. Arrow keys, Page
// Up/Down, Home/End (first and last row), the keyboard search and clicks all
// move the current row through the selection model, and every such move is
// announced once by rowChosen; so keys and clicks share one path.
class RecordGridView : public QTableView {
    Q_OBJECT

public:
    explicit RecordGridView(QWidget* parent = nullptr);

    // Shows `row` (-1: none) as current after the engine moved or refused
    // a move, without announcing it.
    void showRow(int row);
    // `row` becomes current as a click on it makes it: announced even when
    // it already is current.
    void chooseRow(int row);
    // Made with each model; its current row is the one announced.
    void setSelectionModel(QItemSelectionModel* selectionModel) override;

Q_SIGNALS:
    // The engineer made `row` current, or clicked the row that already was.
    void rowChosen(int row);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void onCurrentRowChanged(const QModelIndex& current);

    bool m_showing = false;
    int m_rowBeforePress = -1;
};

}  // namespace kelvane::gui
