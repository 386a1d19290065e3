#pragma once

#include "engine/check/design_check.h"
#include "engine/construction/construction.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace kelvane::session {
class DesignSession;
}

namespace kelvane::gui {

class SimulationPanel;

// The design check's page "设计校核": its own inputs at the top, the
// construction sheet's "引脚" table (each winding's kind, pins and wire) with
// the inductance's test signal, the summary, and a row for each item with
// its value, the classic method's figure beside it, the limit, the verdict
// as a coloured mark and the sentence; hovering a row shows its formula
// with the numbers. It follows every change of the design, once the change
// has settled. A pin the engineer has not typed shows its number in winding
// order, in grey. Below the table the design's bench can be simulated.
class CheckPage : public QWidget {
    Q_OBJECT

public:
    explicit CheckPage(session::DesignSession& session, QWidget* parent = nullptr);

    // The line edit of one of the check's inputs (vacmax, rating, bulk,
    // linef), or null.
    [[nodiscard]] QLineEdit* input(const QString& name) const;
    [[nodiscard]] QTableWidget* table() const { return m_table; }
    [[nodiscard]] SimulationPanel* simulation() const { return m_simulation; }
    [[nodiscard]] QTableWidget* pinTable() const { return m_pins; }
    // The engineer enters one of the construction sheet's inputs
    // (start(r), tap(r), finish(r), kind(r), wire(r), lptestf, lptestv) in
    // its cell, box or field, as typed or picked; one whose winding has no
    // row goes to the design directly.
    void enterConstructionInput(const QString& name, const QString& text);
    // Runs the check again now rather than after the change has settled.
    void refreshNow();

Q_SIGNALS:
    // The summary line and worst verdict after each run.
    void summaryChanged(const QString& text, kelvane::check::Verdict summary);

private:
    void scheduleRefresh();
    void mirrorInputs();
    void show(const check::CheckResult& result);
    void showPins(const construction::Construction& construction);
    // The pins table's row of MSwin row `windingRow`, or −1.
    [[nodiscard]] int pinRowOf(int windingRow) const;
    // Keeps what the engineer entered in a cell of the pins table.
    void storeChoice(int row, int column, const QString& text);

    session::DesignSession& m_session;
    QList<QLineEdit*> m_inputs;  // in the order of the input names
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
    SimulationPanel* m_simulation = nullptr;
    QTableWidget* m_pins = nullptr;
    QList<QLineEdit*> m_testInputs;  // lptestf, lptestv
    QList<int> m_pinRows;            // the MSwin row of each row of m_pins
    bool m_refreshPending = false;
};

// The colour of a verdict's mark.
[[nodiscard]] QColor verdictColor(check::Verdict verdict);

}  // namespace kelvane::gui
