#pragma once

#include "engine/spice/spice_netlist.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class QProcess;
class QTemporaryDir;

// Running a bench through ngspice in batch mode (ngspice -b), in a process
// of its own, and reading back what it printed: the bench's measures, the
// primary current of the last two periods, the lines that say something
// went wrong.

namespace kelvane::spice {

// What the window says when there is no ngspice to run.
inline constexpr char16_t kNgspiceMissing[] =
    u"未找到ngspice：请安装（apt-get install ngspice），或在设置中指定ngspice程序";

// findNgspice() — the program to run: `configured` when it is set (even
// when it is not there, so that a wrong setting is seen), else ngspice on
// the PATH; "" when there is none.
[[nodiscard]] QString findNgspice(const QString& configured);

// canRun() — whether `program` is an executable file, or one on the PATH.
[[nodiscard]] bool canRun(const QString& program);

// runDeck() — the bench as run for the window: the netlist with the primary
// current printed over the measured periods.
[[nodiscard]] QString runDeck(const Netlist& netlist);

// One point of a simulated current: µs from the start of the two periods.
struct TracePoint {
    double timeUs = 0.0;
    double currentA = 0.0;
};

// A finished bench: its measures (no value for one ngspice did not print),
// the primary current over the last two simulated periods, and the lines of
// ngspice's output that report an error or a warning.
struct Simulation {
    QMap<QString, double> measures;  // every measure printed, by its name in lower case
    std::optional<double> peakA;
    std::optional<double> rmsA;
    std::vector<std::optional<double>> outputV;  // vo1 … voN
    std::vector<TracePoint> primary;
    double periodUs = 0.0;
    QStringList problems;

    // Every measure has a value and nothing went wrong.
    [[nodiscard]] bool complete() const;
};

// readSimulation() — what ngspice printed for the bench of `plan`, read
// from its standard output and error.
[[nodiscard]] Simulation readSimulation(const QString& output, const QString& errors,
                                        const BenchPlan& plan);

// readProgress() — the share of the run done, from the latest "Reference
// value" ngspice writes on its standard error; no value when there is none.
[[nodiscard]] std::optional<double> readProgress(const QString& errors, const BenchPlan& plan);

// One simulation at a time: a start stops the run before it, so that a
// newer design cancels an older one. The signals come from the event loop.
class NgspiceRun : public QObject {
    Q_OBJECT

public:
    explicit NgspiceRun(QObject* parent = nullptr);
    ~NgspiceRun() override;

    // Runs `netlist` (a bench) with `program` (see findNgspice()).
    void start(const QString& program, const Netlist& netlist);
    // Stops the run, if any; nothing is reported for it.
    void cancel();
    [[nodiscard]] bool isRunning() const;

Q_SIGNALS:
    void progressed(double share);
    void finished(const kelvane::spice::Simulation& simulation);
    // The run did not give a simulation: ngspice did not start or ended in
    // an error; the text says which.
    void failed(const QString& why);

private:
    void onFinished(int exitCode);

    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QTemporaryDir> m_folder;
    BenchPlan m_plan;
    QString m_errors;
};

}  // namespace kelvane::spice
