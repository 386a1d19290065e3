#include "gui/check/simulation_panel.h"

#include "engine/base/language.h"
#include "engine/session/design_session.h"
#include "gui/check/check_page.h"
#include "gui/check/output_voltage_view.h"
#include "gui/design/waveform_view.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelvane::gui {

namespace {

const QString kProgramSetting = QStringLiteral("simulation/ngspice");

}  // namespace

SimulationPanel::SimulationPanel(session::DesignSession& session, QWidget* parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("SimulationPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    m_simulate = new QPushButton(tr("仿真"), this);
    m_simulate->setObjectName(QStringLiteral("Simulate"));
    m_cancel = new QPushButton(tr("取消"), this);
    m_cancel->setObjectName(QStringLiteral("CancelSimulation"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("SimulationProgress"));
    m_progress->setMaximumWidth(160);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("SimulationStatus"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_setting = new QToolButton(this);
    m_setting->setObjectName(QStringLiteral("NgspiceSetting"));
    m_setting->setText(QStringLiteral("ngspice…"));
    m_setting->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(m_setting);
    connect(menu->addAction(tr("指定ngspice程序…")), &QAction::triggered, this, [this] {
        const QString program = QFileDialog::getOpenFileName(
            this, tr("指定ngspice程序"), QSettings().value(kProgramSetting).toString());
        if (!program.isEmpty()) {
            setNgspiceProgram(program);
        }
    });
    connect(menu->addAction(tr("使用PATH中的ngspice")), &QAction::triggered, this,
            [this] { setNgspiceProgram(QString()); });
    m_setting->setMenu(menu);
    bar->addWidget(m_simulate);
    bar->addWidget(m_cancel);
    bar->addWidget(m_progress);
    bar->addWidget(m_status, 1);
    bar->addWidget(m_setting);
    layout->addLayout(bar);

    m_results = new QWidget(this);
    auto* results = new QHBoxLayout(m_results);
    results->setContentsMargins(0, 0, 0, 0);
    m_waveform = new WaveformView(session.sheet(), m_results);
    m_waveform->setObjectName(QStringLiteral("SimulatedWaveform"));
    m_waveform->setMinimumHeight(200);
    m_outputs = new OutputVoltageView(m_results);
    results->addWidget(m_waveform, 3);
    results->addWidget(m_outputs, 2);
    layout->addWidget(m_results, 1);
    m_results->hide();

    connect(m_simulate, &QPushButton::clicked, this, &SimulationPanel::simulate);
    connect(m_cancel, &QPushButton::clicked, this, &SimulationPanel::cancel);
    connect(&m_run, &spice::NgspiceRun::progressed, this, [this](double share) {
        m_progress->setRange(0, 100);
        m_progress->setValue(int(share * 100.0));
    });
    connect(&m_run, &spice::NgspiceRun::finished, this, &SimulationPanel::onFinished);
    connect(&m_run, &spice::NgspiceRun::failed, this, &SimulationPanel::onFailed);
    const sheet::DesignSheet& sheet = session.sheet();
    connect(&sheet, &sheet::DesignSheet::textChanged, this, &SimulationPanel::onDesignChanged);
    connect(&sheet, &sheet::DesignSheet::checkChanged, this, &SimulationPanel::onDesignChanged);
    connect(&sheet, &sheet::DesignSheet::gridChanged, this, &SimulationPanel::onDesignChanged);
    setRunning(false);
    findProgram();
}

void SimulationPanel::setNgspiceProgram(const QString& program) {
    QSettings settings;
    if (program.isEmpty()) {
        settings.remove(kProgramSetting);
    } else {
        settings.setValue(kProgramSetting, program);
    }
    findProgram();
}

QString SimulationPanel::statusText() const {
    return m_status->text();
}

void SimulationPanel::showEvent(QShowEvent* event) {
    // ngspice may have been installed since the page was last shown.
    findProgram();
    QWidget::showEvent(event);
}

void SimulationPanel::findProgram() {
    const QString configured = QSettings().value(kProgramSetting).toString();
    m_program = spice::findNgspice(configured);
    const bool found = spice::canRun(m_program);
    if (found) {
        m_simulate->setText(tr("仿真"));
        m_simulate->setToolTip(
            tr("用ngspice在最低直流输入、校核的占空比下运行试验电路（%1）").arg(m_program));
    } else {
        m_simulate->setText(tr("仿真：请先安装ngspice（apt-get install ngspice）"));
        m_simulate->setToolTip(
            QString::fromUtf16(spice::kNgspiceMissing) +
            (configured.isEmpty() ? QString() : tr("（设置为%1）").arg(configured)));
    }
    m_simulate->setEnabled(found && !m_run.isRunning());
}

void SimulationPanel::simulate() {
    m_restartPending = false;
    spice::NetlistOptions options;
    options.bench = true;
    const Result<spice::Netlist> netlist = m_session.spiceNetlist(options);
    if (!netlist) {
        m_run.cancel();
        setRunning(false);
        setStatus(netlist.failure().text, verdictColor(check::Verdict::Fail));
        return;
    }
    m_simulated = m_session.checkReading();
    setRunning(true);
    setStatus(tr("仿真中：ngspice正在运行试验电路…"), palette().windowText().color());
    m_run.start(m_program, netlist.value());
}

void SimulationPanel::cancel() {
    m_restartPending = false;
    m_run.cancel();
    setRunning(false);
    setStatus(tr("仿真已取消"), palette().windowText().color());
}

void SimulationPanel::onDesignChanged() {
    if (m_run.isRunning()) {
        // A cascade changes many fields: start again once it has settled.
        if (!m_restartPending) {
            m_restartPending = true;
            QTimer::singleShot(0, this, [this] {
                if (m_restartPending) {
                    simulate();
                }
            });
        }
        return;
    }
    if (m_comparison) {
        setStatus(tr("设计已更改：下面是更改前的设计的仿真结果，请重新仿真"),
                  verdictColor(check::Verdict::Warn));
    }
}

void SimulationPanel::onFinished(const spice::Simulation& simulation) {
    setRunning(false);
    m_comparison = spice::compareBench(m_simulated, simulation);
    render::WaveformOverlay overlay;
    overlay.caption = tr("仿真");
    for (const spice::TracePoint& point : simulation.primary) {
        overlay.points.append({point.timeUs, point.currentA});
    }
    m_waveform->setOverlay(overlay);
    m_outputs->setOutputs(m_comparison->outputs);
    m_results->show();
    setStatus(m_comparison->summary, simulation.complete() ? palette().windowText().color()
                                                           : verdictColor(check::Verdict::Fail));
}

void SimulationPanel::onFailed(const QString& why) {
    setRunning(false);
    setStatus(why, verdictColor(check::Verdict::Fail));
}

void SimulationPanel::setStatus(const QString& text, const QColor& colour) {
    m_status->setText(humanText(text));
    m_status->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
}

void SimulationPanel::setRunning(bool running) {
    m_cancel->setVisible(running);
    m_progress->setVisible(running);
    // Busy until ngspice says how far it is, which it does only now and then.
    m_progress->setRange(0, 0);
    m_simulate->setEnabled(!running && spice::canRun(m_program));
}

}  // namespace kelvane::gui
