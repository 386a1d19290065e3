#pragma once

#include "engine/spice/ngspice_run.h"

#include <QEventLoop>
#include <QStandardPaths>

#include <optional>

namespace kelvane::spice::testing {

// What a run reported: its simulation or why it failed, and each progress.
struct RunOutcome {
    std::optional<Simulation> simulation;
    QString failure;
    QList<double> progress;
};

// Starts `netlist` on `run` and waits in an event loop until it reports.
inline RunOutcome runToEnd(NgspiceRun& run, const QString& program, const Netlist& netlist) {
    RunOutcome outcome;
    bool reported = false;
    QEventLoop loop;
    const auto done = [&] {
        reported = true;
        loop.quit();
    };
    const QMetaObject::Connection finished =
        QObject::connect(&run, &NgspiceRun::finished, [&](const Simulation& simulation) {
            outcome.simulation = simulation;
            done();
        });
    const QMetaObject::Connection failed =
        QObject::connect(&run, &NgspiceRun::failed, [&](const QString& why) {
            outcome.failure = why;
            done();
        });
    const QMetaObject::Connection progressed = QObject::connect(
        &run, &NgspiceRun::progressed, [&](double share) { outcome.progress.append(share); });
    run.start(program, netlist);
    if (!reported) {
        loop.exec();
    }
    QObject::disconnect(finished);
    QObject::disconnect(failed);
    QObject::disconnect(progressed);
    return outcome;
}

inline bool haveNgspice() {
    return !QStandardPaths::findExecutable(QStringLiteral("ngspice")).isEmpty();
}

}  // namespace kelvane::spice::testing
