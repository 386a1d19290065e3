#pragma once

#include "engine/check/design_check.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace kelvane::session {
class DesignSession;
}

namespace kelvane::gui {

class SimulationPanel;

// The design check's page "设计校核": its own inputs at the top, the
// summary, and a row for each item with its value, the classic method's
// figure beside it, the limit, the verdict as a coloured mark and the
// sentence; hovering a row shows its formula with the numbers. It follows
// every change of the design, once the change has settled. Below the table
// the design's bench can be simulated.
class CheckPage : public QWidget {
    Q_OBJECT

public:
    explicit CheckPage(session::DesignSession& session, QWidget* parent = nullptr);

    // The line edit of one of the check's inputs (vacmax, rating, bulk,
    // linef), or null.
    [[nodiscard]] QLineEdit* input(const QString& name) const;
    [[nodiscard]] QTableWidget* table() const { return m_table; }
    [[nodiscard]] SimulationPanel* simulation() const { return m_simulation; }
    // Runs the check again now rather than after the change has settled.
    void refreshNow();

Q_SIGNALS:
    // The summary line and worst verdict after each run.
    void summaryChanged(const QString& text, kelvane::check::Verdict summary);

private:
    void scheduleRefresh();
    void mirrorInputs();
    void show(const check::CheckResult& result);

    session::DesignSession& m_session;
    QList<QLineEdit*> m_inputs;  // in the order of the input names
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
    SimulationPanel* m_simulation = nullptr;
    bool m_refreshPending = false;
};

// The colour of a verdict's mark.
[[nodiscard]] QColor verdictColor(check::Verdict verdict);

}  // namespace kelvane::gui
