// The exported benches run in ngspice, against the design check: the
// benches are the converters the check describes, and the check's currents
// and voltages are what the circuit does.
#include "../check/check_designs.h"
#include "../table_rows.h"
#include "engine/check/design_check.h"
#include "engine/spice/ngspice_run.h"
#include "engine/spice/spice_netlist.h"
#include "run_to_end.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelvane::spice {
namespace {

using check::testing::findItem;

void expectWithin(double simulated, double expected, double percent, const std::string& what) {
    EXPECT_NEAR(expected, simulated, std::fabs(expected) * percent / 100.0)
        << what << ": ngspice " << simulated << ", expected " << expected;
}

// The forward's peak: the check gives none. At the end of an on-time the
// choke's current is 10 % above Io (20 % ripple), reflected by N ÷ N1, and
// the magnetising current at the top of its swing Vin D Ts ÷ Lp, Vin D Ts ÷
// (2 Lp).
double forwardPeakA(const check::CheckInput& in, double duty) {
    double reflected = 0.0;
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        reflected += 1.1 * in.outputs[r].ioA * *in.windings[r + 1].turns / *in.windings[0].turns;
    }
    const double periodS = 1e-3 / in.frequencyKHz;
    return reflected + in.vinV * duty * periodS / (2.0 * in.inductanceMh * 1e-3);
}

TEST(BenchSimulationTest, ExportedBenchesAgreeWithTheDesignCheck) {
    if (!testing::haveNgspice()) {
        std::fputs(
            "\n*** ngspice is not installed: the exported benches did NOT run "
            "(apt-get install ngspice) ***\n\n",
            stderr);
        GTEST_SKIP() << "ngspice is not installed";
    }
    const QMap<QString, check::CheckInput> designs = check::testing::workedDesigns();
    NgspiceRun run;
    for (const tables::TableRow& row : tables::tableRows("spice_benches.tsv")) {
        SCOPED_TRACE(row.trace());
        ASSERT_TRUE(designs.contains(row.columns.value(0)));
        const check::CheckInput in = designs.value(row.columns.value(0));
        NetlistOptions options;
        options.bench = true;
        options.coupling = row.columns.value(1).toDouble();
        const double currents = row.columns.value(2).toDouble();
        const double outputs = row.columns.value(3).toDouble();
        const Result<Netlist> exported = writeNetlist(in, options);
        ASSERT_TRUE(exported.ok()) << exported.failure().text.toStdString();
        Netlist netlist = exported.value();
        const BenchPlan& plan = *netlist.bench;
        // Settled: each output's first and second ten measured periods.
        const double middleS = (plan.measureFromS + plan.stopS) / 2.0;
        QString halves;
        for (int r = 1; r <= plan.outputCount; ++r) {
            halves += QStringLiteral(".meas tran first%1 AVG v(o%1) from=%2 to=%3\n")
                          .arg(r)
                          .arg(plan.measureFromS, 0, 'g', 17)
                          .arg(middleS, 0, 'g', 17);
            halves += QStringLiteral(".meas tran second%1 AVG v(o%1) from=%2 to=%3\n")
                          .arg(r)
                          .arg(middleS, 0, 'g', 17)
                          .arg(plan.stopS, 0, 'g', 17);
        }
        netlist.text.insert(netlist.text.lastIndexOf(QStringLiteral(".end")), halves);

        const testing::RunOutcome outcome = testing::runToEnd(run, findNgspice({}), netlist);
        ASSERT_TRUE(outcome.simulation) << outcome.failure.toStdString();
        const Simulation& sim = *outcome.simulation;
        EXPECT_TRUE(sim.problems.isEmpty()) << sim.problems.join(u'\n').toStdString();
        ASSERT_TRUE(sim.complete()) << netlist.text.toStdString();

        const check::CheckResult result = check::runCheck(in);
        const double duty = *findItem(result, QStringLiteral("duty"))->value;
        if (in.circuit == check::Circuit::Forward) {
            expectWithin(*sim.peakA, forwardPeakA(in, duty), currents, "ipk");
        } else {
            expectWithin(*sim.peakA, *findItem(result, QStringLiteral("ip_peak"))->value, currents,
                         "ipk");
        }
        expectWithin(*sim.rmsA, *findItem(result, QStringLiteral("ip_rms"))->value, currents,
                     "irms");
        for (int r = 1; r <= plan.outputCount; ++r) {
            const double volts = *sim.outputV[size_t(r - 1)];
            expectWithin(volts, *findItem(result, QStringLiteral("uo(%1)").arg(r))->value, outputs,
                         "vo" + std::to_string(r));
            const double first = sim.measures.value(QStringLiteral("first%1").arg(r));
            const double second = sim.measures.value(QStringLiteral("second%1").arg(r));
            EXPECT_NEAR(first, second, volts * 0.002) << "output " << r << " still moves";
        }
    }
}

}  // namespace
}  // namespace kelvane::spice
