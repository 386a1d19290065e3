#pragma once

#include "engine/check/check_input.h"
#include "engine/spice/bench_comparison.h"
#include "engine/spice/ngspice_run.h"

#include <QWidget>

#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace kelvane::session {
class DesignSession;
}

namespace kelvane::gui {

class OutputVoltageView;
class WaveformView;

// "仿真" on the check's page: the design's bench run by ngspice in a process
// of its own, with its progress and Cancel, while the window stays in use.
// The simulated primary current is drawn over the designed one, each
// output's simulated voltage beside its design value and the check's. A
// change of the design during a run starts the run again on the new design;
// after a run it marks the result as the older design's. Without ngspice
// the button says how to install it.
class SimulationPanel : public QWidget {
    Q_OBJECT

public:
    explicit SimulationPanel(session::DesignSession& session, QWidget* parent = nullptr);

    // The ngspice program the settings name ("" for the one on the PATH);
    // kept in the settings.
    void setNgspiceProgram(const QString& program);
    [[nodiscard]] bool isRunning() const { return m_run.isRunning(); }
    [[nodiscard]] QPushButton* simulateButton() const { return m_simulate; }
    [[nodiscard]] QPushButton* cancelButton() const { return m_cancel; }
    [[nodiscard]] QString statusText() const;
    // The latest simulation beside the check, when there is one.
    [[nodiscard]] const std::optional<spice::BenchComparison>& comparison() const {
        return m_comparison;
    }
    [[nodiscard]] WaveformView* waveform() const { return m_waveform; }
    [[nodiscard]] OutputVoltageView* outputs() const { return m_outputs; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void findProgram();
    void simulate();
    void cancel();
    void onDesignChanged();
    void onFinished(const spice::Simulation& simulation);
    void onFailed(const QString& why);
    void setStatus(const QString& text, const QColor& colour);
    void setRunning(bool running);

    session::DesignSession& m_session;
    spice::NgspiceRun m_run;
    QString m_program;              // as found: "" when there is none
    check::CheckInput m_simulated;  // the design of the run
    std::optional<spice::BenchComparison> m_comparison;
    bool m_restartPending = false;
    QPushButton* m_simulate = nullptr;
    QPushButton* m_cancel = nullptr;
    QToolButton* m_setting = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QWidget* m_results = nullptr;
    WaveformView* m_waveform = nullptr;
    OutputVoltageView* m_outputs = nullptr;
};

}  // namespace kelvane::gui
