#include "engine/spice/ngspice_run.h"

#include "../check/check_designs.h"
#include "fake_ngspice.h"
#include "run_to_end.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

namespace kelvane::spice {
namespace {

// A bench of 10 µs periods, stopping at 1 ms, with two outputs.
BenchPlan plan() {
    BenchPlan bench;
    bench.periodS = 10e-6;
    bench.stepS = 25e-9;
    bench.measureFromS = 0.8e-3;
    bench.stopS = 1e-3;
    bench.outputCount = 2;
    return bench;
}

// What ngspice -b prints for such a bench, with its .print table: measures,
// then pages of "index, time, current", each with its header.
const QString kOutput = QStringLiteral(
    "\nNote: No compatibility mode selected!\n\n\nCircuit: * Kelvane transformer model\n\n"
    "  Measurements for Transient Analysis\n\n"
    "ipk                 =  9.889643e-01 at=  9.95e-04\n"
    "irms                =   4.62563e-01 from=  8.00000e-04 to=  1.00000e-03\n"
    "vo1                 =  1.148366e+01 from=  8.000000e-04 to=  1.000000e-03\n"
    "vo2                 =  5.159080e+00 from=  8.000000e-04 to=  1.000000e-03\n\n"
    "Index   time            vip#branch\n"
    "--------------------------------------------------------------------------------\n"
    "0\t9.790000e-04\t1.0e-01\t\n"
    "1\t9.800000e-04\t2.5e-01\t\n"
    "2\t9.900000e-04\t5.0e-01\t\n"
    "\f\n"
    "Index   time            vip#branch\n"
    "--------------------------------------------------------------------------------\n"
    "3\t1.000000e-03\t7.5e-01\t\n");

TEST(NgspiceOutputTest, MeasuresAndTheLastTwoPeriodsOfThePrimaryCurrentAreRead) {
    const Simulation simulation = readSimulation(kOutput, QString(), plan());
    ASSERT_TRUE(simulation.complete());
    EXPECT_DOUBLE_EQ(*simulation.peakA, 0.9889643);
    EXPECT_DOUBLE_EQ(*simulation.rmsA, 0.462563);
    ASSERT_EQ(simulation.outputV.size(), 2u);
    EXPECT_DOUBLE_EQ(*simulation.outputV[1], 5.15908);
    EXPECT_DOUBLE_EQ(simulation.periodUs, 10.0);
    // The two periods before 1 ms start at 980 µs: the point at 979 µs is
    // left out, the one across the page break kept; times count from 980 µs.
    ASSERT_EQ(simulation.primary.size(), 3u);
    EXPECT_NEAR(simulation.primary[0].timeUs, 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(simulation.primary[0].currentA, 0.25);
    EXPECT_NEAR(simulation.primary[2].timeUs, 20.0, 1e-9);
    EXPECT_DOUBLE_EQ(simulation.primary[2].currentA, 0.75);
}

// clang-format off
struct Trouble {
    const char* what;
    QString output;
    QString errors;
    const char* problem;  // the line reported, or null for none
};
// clang-format on

TEST(NgspiceOutputTest, AMissingMeasureOrAWarningLeavesTheSimulationIncomplete) {
    const QString withoutVo2 = QString(kOutput).remove(QStringLiteral(
        "vo2                 =  5.159080e+00 from=  8.000000e-04 to=  1.000000e-03\n"));
    const Trouble troubles[] = {
        {"a measure not printed", withoutVo2, QString(), nullptr},
        {"a failed measure", withoutVo2,
         QStringLiteral(" Reference value :  1.00000e-03\rError: measure  vo2  AVG(TRIG) : out of "
                        "interval\n .meas tran vo2 avg v(o2) from=0.0008 to=0.001 failed!\n"),
         "Error: measure  vo2  AVG(TRIG) : out of interval"},
        {"a warning", kOutput, QStringLiteral("warning, can't find model 'switch' from line\n"),
         "warning, can't find model 'switch' from line"},
        {"a run that stopped", kOutput,
         QStringLiteral("doAnalyses: TRAN:  Timestep too small; time = 2.16e-06\n"),
         "doAnalyses: TRAN:  Timestep too small; time = 2.16e-06"},
    };
    for (const Trouble& trouble : troubles) {
        SCOPED_TRACE(trouble.what);
        const Simulation simulation = readSimulation(trouble.output, trouble.errors, plan());
        EXPECT_FALSE(simulation.complete());
        if (trouble.problem != nullptr) {
            EXPECT_TRUE(simulation.problems.contains(QString::fromUtf8(trouble.problem)))
                << simulation.problems.join(u'|').toStdString();
        }
    }
    EXPECT_TRUE(readSimulation(kOutput, QString(), plan()).problems.isEmpty())
        << "the note about the compatibility mode is no problem";
}

TEST(NgspiceOutputTest, ProgressIsTheLatestReferenceTimeOverTheStop) {
    EXPECT_FALSE(readProgress(QString(), plan()));
    EXPECT_DOUBLE_EQ(*readProgress(QStringLiteral(" Reference value :  2.50000e-04\r"
                                                  " Reference value :  7.50000e-04\r"),
                                   plan()),
                     0.75);
}

TEST(NgspiceRunTest, ASettingIsTakenAsItIsAndWithoutOneThePathIsSearched) {
    EXPECT_EQ(findNgspice(QStringLiteral("/opt/spice/bin/ngspice")),
              QStringLiteral("/opt/spice/bin/ngspice"));
    EXPECT_EQ(findNgspice(QString()), QStandardPaths::findExecutable(QStringLiteral("ngspice")));
}

using testing::FakeNgspice;

Netlist benchOf(const char* design) {
    NetlistOptions options;
    options.bench = true;
    const Result<Netlist> netlist =
        writeNetlist(check::testing::workedDesigns().value(QString::fromLatin1(design)), options);
    EXPECT_TRUE(netlist.ok());
    return netlist.ok() ? netlist.value() : Netlist{};
}

TEST(NgspiceRunTest, AMissingProgramSaysHowToInstallNgspice) {
    NgspiceRun run;
    const testing::RunOutcome outcome =
        testing::runToEnd(run, QStringLiteral("/nonexistent/ngspice"), benchOf("spice_ccm1"));
    EXPECT_FALSE(outcome.simulation);
    EXPECT_TRUE(outcome.failure.contains(QStringLiteral("apt-get install ngspice")))
        << outcome.failure.toStdString();
    EXPECT_TRUE(outcome.failure.contains(QStringLiteral("/nonexistent/ngspice")));
    EXPECT_FALSE(run.isRunning());
}

// The program gets the deck's path after -b; what it prints is read as
// ngspice's output, its progress as it comes.
TEST(NgspiceRunTest, WhatTheProgramPrintsIsTheSimulation) {
    const Netlist netlist = benchOf("spice_ccm1");
    FakeNgspice fake(QStringLiteral("ngspice"),
                     QStringLiteral("[ \"$1\" = -b ] && grep -q '^.print tran i(VIP)$' \"$2\" || "
                                    "exit 3\n"
                                    "printf ' Reference value :  %1\\r' >&2\n"
                                    "printf 'ipk = 1.04\\nirms = 0.43\\nvo1 = 11.9\\n'")
                         .arg(netlist.bench->stopS / 2.0));
    NgspiceRun run;
    const testing::RunOutcome outcome = testing::runToEnd(run, fake.path(), netlist);
    ASSERT_TRUE(outcome.simulation) << outcome.failure.toStdString();
    EXPECT_TRUE(outcome.simulation->complete());
    EXPECT_DOUBLE_EQ(*outcome.simulation->outputV[0], 11.9);
    EXPECT_EQ(outcome.progress, QList<double>({0.5}));
    EXPECT_FALSE(run.isRunning());
}

TEST(NgspiceRunTest, AProgramThatEndsInAnErrorGivesItsReason) {
    FakeNgspice fake(QStringLiteral("ngspice"),
                     QStringLiteral("echo 'Error on line 43: sw d 0 g 0 switch' >&2\nexit 1"));
    NgspiceRun run;
    const testing::RunOutcome outcome = testing::runToEnd(run, fake.path(), benchOf("spice_ccm1"));
    EXPECT_FALSE(outcome.simulation);
    EXPECT_TRUE(outcome.failure.contains(QStringLiteral("Error on line 43")))
        << outcome.failure.toStdString();
}

// A second start stops the first run, which then reports nothing; a
// cancelled run reports nothing either.
TEST(NgspiceRunTest, ANewerRunCancelsTheOlder) {
    FakeNgspice slow(QStringLiteral("slow"), QStringLiteral("sleep 30\nprintf 'ipk = 9\\n'"));
    FakeNgspice quick(QStringLiteral("quick"),
                      QStringLiteral("printf 'ipk = 1.04\\nirms = 0.43\\nvo1 = 11.9\\n'"));
    const Netlist netlist = benchOf("spice_ccm1");
    NgspiceRun run;
    int reports = 0;
    QObject::connect(&run, &NgspiceRun::finished, [&reports] { ++reports; });
    QObject::connect(&run, &NgspiceRun::failed, [&reports] { ++reports; });
    run.start(slow.path(), netlist);
    EXPECT_TRUE(run.isRunning());
    const testing::RunOutcome outcome = testing::runToEnd(run, quick.path(), netlist);
    ASSERT_TRUE(outcome.simulation);
    EXPECT_DOUBLE_EQ(*outcome.simulation->peakA, 1.04);
    EXPECT_EQ(reports, 1);

    run.start(slow.path(), netlist);
    run.cancel();
    EXPECT_FALSE(run.isRunning());
    QCoreApplication::processEvents();
    EXPECT_EQ(reports, 1);
}

// ngspice itself: the primary current of the last two periods, from the
// window's start to the stop. It flows one way only, as the switch and the
// clamp diode conduct it: a clamp diode solved too loosely shows a false
// reverse current of an ampere as it turns off.
TEST(NgspiceRunTest, NgspicePrintsThePrimaryCurrentOfTheLastTwoPeriods) {
    if (!testing::haveNgspice()) {
        GTEST_SKIP() << "ngspice is not installed";
    }
    const Netlist netlist = benchOf("spice_ccm3");
    NgspiceRun run;
    const testing::RunOutcome outcome = testing::runToEnd(run, findNgspice({}), netlist);
    ASSERT_TRUE(outcome.simulation) << outcome.failure.toStdString();
    const std::vector<TracePoint>& trace = outcome.simulation->primary;
    ASSERT_GE(trace.size(), 800u);  // a point each step of Ts ÷ 400
    const double periodUs = 1e3 / 65.0;
    EXPECT_NEAR(trace.front().timeUs, 0.0, 1e-3);
    EXPECT_NEAR(trace.back().timeUs, 2.0 * periodUs, 1e-3);
    const auto [lowest, highest] = std::minmax_element(
        trace.cbegin(), trace.cend(),
        [](const TracePoint& a, const TracePoint& b) { return a.currentA < b.currentA; });
    const double peakA = *outcome.simulation->peakA;
    EXPECT_NEAR(highest->currentA, peakA, peakA * 0.01);
    EXPECT_GT(lowest->currentA, -0.01 * peakA) << "at " << lowest->timeUs << " µs";
}

}  // namespace
}  // namespace kelvane::spice
