#include "engine/spice/ngspice_run.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace kelvane::spice {

namespace {

// A bench's run takes a second or two; one that is still running after a
// minute is stuck.
constexpr int kKillAfterMs = 60000;

std::optional<double> numberOf(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

QString findNgspice(const QString& configured) {
    if (!configured.isEmpty()) {
        return configured;
    }
    return QStandardPaths::findExecutable(QStringLiteral("ngspice"));
}

bool canRun(const QString& program) {
    return !program.isEmpty() && (QFileInfo(program).isExecutable() ||
                                  !QStandardPaths::findExecutable(program).isEmpty());
}

QString runDeck(const Netlist& netlist) {
    QString deck = netlist.text;
    const qsizetype end = deck.lastIndexOf(QStringLiteral(".end"));
    deck.insert(end, QStringLiteral(".print tran i(VIP)\n"));
    return deck;
}

bool Simulation::complete() const {
    return peakA && rmsA && problems.isEmpty() &&
           std::all_of(outputV.cbegin(), outputV.cend(),
                       [](const std::optional<double>& volts) { return volts.has_value(); });
}

Simulation readSimulation(const QString& output, const QString& errors, const BenchPlan& plan) {
    Simulation simulation;
    simulation.periodUs = plan.periodS * 1e6;
    // "ipk                 =  9.889643e-01 at=  3.238614e-03"
    static const QRegularExpression measure(
        QStringLiteral("^(\\w+)\\s*=\\s*([-+0-9.eE]+)(?:\\s|$)"),
        QRegularExpression::MultilineOption);
    QMap<QString, double>& measured = simulation.measures;
    for (auto match = measure.globalMatch(output); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        if (const std::optional<double> value = numberOf(m.captured(2))) {
            measured.insert(m.captured(1).toLower(), *value);
        }
    }
    const auto take = [&measured](const QString& name) {
        return measured.contains(name) ? std::optional<double>(measured.value(name)) : std::nullopt;
    };
    simulation.peakA = take(QStringLiteral("ipk"));
    simulation.rmsA = take(QStringLiteral("irms"));
    for (int row = 1; row <= plan.outputCount; ++row) {
        simulation.outputV.push_back(take(QStringLiteral("vo%1").arg(row)));
    }
    // The printed table: "index<TAB>time<TAB>i(VIP)<TAB>", a header on
    // every page.
    static const QRegularExpression printed(QStringLiteral("^\\d+\\t([-+0-9.eE]+)\\t([-+0-9.eE]+)"),
                                            QRegularExpression::MultilineOption);
    const double fromS = plan.stopS - 2.0 * plan.periodS;
    for (auto match = printed.globalMatch(output); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        const std::optional<double> timeS = numberOf(m.captured(1));
        const std::optional<double> current = numberOf(m.captured(2));
        // The table's times are rounded to 7 digits: a point on the window's
        // start stays in.
        if (timeS && current && *timeS >= fromS - plan.stepS / 2.0) {
            simulation.primary.push_back({std::max(0.0, (*timeS - fromS) * 1e6), *current});
        }
    }
    // ngspice ends its progress lines with a carriage return alone.
    static const QRegularExpression lineEnd(QStringLiteral("[\r\n]"));
    for (const QString& text : {output, errors}) {
        for (const QStringView line : QStringView(text).split(lineEnd)) {
            const QString trimmed = line.trimmed().toString();
            if (trimmed.contains(QStringLiteral("error"), Qt::CaseInsensitive) ||
                trimmed.contains(QStringLiteral("warning"), Qt::CaseInsensitive) ||
                trimmed.contains(QStringLiteral("aborted"), Qt::CaseInsensitive) ||
                trimmed.contains(QStringLiteral("too small"), Qt::CaseInsensitive)) {
                if (!simulation.problems.contains(trimmed)) {
                    simulation.problems.append(trimmed);
                }
            }
        }
    }
    return simulation;
}

std::optional<double> readProgress(const QString& errors, const BenchPlan& plan) {
    static const QRegularExpression reference(
        QStringLiteral("Reference value\\s*:\\s*([-+0-9.eE]+)"));
    std::optional<double> share;
    for (auto match = reference.globalMatch(errors); match.hasNext();) {
        if (const std::optional<double> timeS = numberOf(match.next().captured(1));
            timeS && plan.stopS > 0.0) {
            share = std::clamp(*timeS / plan.stopS, 0.0, 1.0);
        }
    }
    return share;
}

NgspiceRun::NgspiceRun(QObject* parent) : QObject(parent) {}

NgspiceRun::~NgspiceRun() {
    cancel();
}

bool NgspiceRun::isRunning() const {
    return m_process != nullptr;
}

void NgspiceRun::cancel() {
    if (!m_process) {
        return;
    }
    // The process may be the one whose signal is being handled, and a killed
    // one ends a moment later: it goes once it has ended and the event loop
    // is back, or with the application.
    QProcess* process = m_process.release();
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
    } else {
        process->setParent(QCoreApplication::instance());
        connect(process, &QProcess::finished, process, &QObject::deleteLater);
        process->kill();
    }
    m_folder.reset();
}

void NgspiceRun::start(const QString& program, const Netlist& netlist) {
    cancel();
    if (!QFileInfo(program).isExecutable() && QStandardPaths::findExecutable(program).isEmpty()) {
        QString why = QString::fromUtf16(kNgspiceMissing);
        if (!program.isEmpty()) {
            why +=
                QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "（设置为%1）")).arg(program);
        }
        Q_EMIT failed(why);
        return;
    }
    m_plan = netlist.bench.value_or(BenchPlan{});
    m_errors.clear();
    m_folder = std::make_unique<QTemporaryDir>();
    const QString deckPath = m_folder->filePath(QStringLiteral("bench.cir"));
    QFile deck(deckPath);
    if (!m_folder->isValid() || !deck.open(QIODevice::WriteOnly) ||
        deck.write(runDeck(netlist).toUtf8()) < 0 || !deck.flush()) {
        m_folder.reset();
        Q_EMIT failed(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "无法写入仿真文件：")) +
                      deckPath);
        return;
    }
    deck.close();
    m_process = std::make_unique<QProcess>();
    QProcess* process = m_process.get();
    // Numbers in ngspice's output as the reader takes them, whatever the
    // engineer's locale.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process->setProcessEnvironment(environment);
    connect(process, &QProcess::readyReadStandardError, this, [this, process] {
        m_errors += QString::fromUtf8(process->readAllStandardError());
        if (const std::optional<double> share = readProgress(m_errors, m_plan)) {
            Q_EMIT progressed(*share);
        }
    });
    connect(process, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus) { onFinished(exitCode); });
    connect(process, &QProcess::errorOccurred, this,
            [this, program, process](QProcess::ProcessError error) {
                if (error != QProcess::FailedToStart && error != QProcess::Timedout) {
                    return;
                }
                const QString why = process->errorString();
                cancel();
                Q_EMIT failed(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages",
                                                               "无法运行ngspice（%1）：%2"))
                                  .arg(program, why));
            });
    process->start(program, {QStringLiteral("-b"), deckPath});
    QTimer::singleShot(kKillAfterMs, process, [this, process] {
        if (m_process.get() == process) {
            cancel();
            Q_EMIT failed(QStringLiteral(
                QT_TRANSLATE_NOOP("kelvane::messages", "ngspice运行超过一分钟，已停止")));
        }
    });
}

void NgspiceRun::onFinished(int exitCode) {
    QProcess* process = m_process.get();
    const QString output = QString::fromUtf8(process->readAllStandardOutput());
    m_errors += QString::fromUtf8(process->readAllStandardError());
    const Simulation simulation = readSimulation(output, m_errors, m_plan);
    cancel();
    if (exitCode != 0 && !simulation.peakA) {
        QString why =
            QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "ngspice出错（退出码%1）"))
                .arg(exitCode);
        if (!simulation.problems.isEmpty()) {
            why += QStringLiteral("：") + simulation.problems.join(QStringLiteral("；"));
        }
        Q_EMIT failed(why);
        return;
    }
    Q_EMIT finished(simulation);
}

}  // namespace kelvane::spice
