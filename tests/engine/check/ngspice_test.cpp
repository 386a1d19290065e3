// The design check against circuit simulation: ngspice runs the ideal power
// stage of each design at the duty (and, for an RCC, the frequency) the
// check computes, and the check's currents and voltages must agree with
// what the circuit does.
#include "../table_rows.h"
#include "check_designs.h"
#include "engine/check/design_check.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>

namespace kelvane::check {
namespace {

using testing::findItem;

// The ideal transformer: a core node whose voltage is the volts per turn,
// an inductor of AL = Lp ÷ N1² from it carrying the ampere-turns, and per
// winding a voltage source N × V(core) in series with a zero-volt sensor
// whose current, times N, feeds the core node. Gain g is the winding's
// turns, negative for a winding wound the other way.
QString winding(const QString& name, const QString& plus, const QString& minus, double turns) {
    return QStringLiteral("E%1 %2 x%1 c 0 %4\nV%1 x%1 %3 0\nF%1 0 c V%1 %4\n")
        .arg(name, plus, minus)
        .arg(turns, 0, 'g', 17);
}

// Ideal switch and a diode of a few millivolts; the rectifier's drop Ud is
// a source in series, so each output sits where the design puts it.
const QString kModels = QStringLiteral(
    ".model swmod sw(vt=0.5 vh=0.1 ron=1m roff=1e9)\n"
    ".model dmod d(is=1e-12 n=0.01)\n"
    ".options method=gear\n");

QString number(double value) {
    return QString::number(value, 'g', 12);
}

struct Bench {
    QString netlist;
    double periodS;
    double stopS;
};

// Flyback and RCC: the primary switched at the check's duty and frequency,
// each output rectified into a capacitor and a resistor that draws its rated
// current at the voltage the turns give. The capacitors hold RC = 25
// periods: a ripple of a few per cent, settled well within 300 periods.
Bench flybackBench(const CheckInput& in, const CheckResult& result) {
    const double duty = *findItem(result, QStringLiteral("duty"))->value;
    double frequencyHz = in.frequencyKHz * 1000.0;
    if (in.circuit == Circuit::Rcc) {
        frequencyHz = *findItem(result, QStringLiteral("frequency"))->value * 1000.0;
    }
    const double ts = 1.0 / frequencyHz;
    const double n1 = *in.windings[0].turns;
    QString net = QStringLiteral("* flyback bench\nVin in 0 %1\n").arg(number(in.vinV));
    net += QStringLiteral("Vg g 0 PULSE(0 1 0 1n 1n %1 %2)\n")
               .arg(number(duty * ts - 1e-9), number(ts));
    net += QStringLiteral("S1 sw 0 g 0 swmod\nVsp in p1 0\n");
    net += QStringLiteral("Ep p1 sw c 0 %1\nFp 0 c Vsp %1\n").arg(number(n1));
    net += QStringLiteral("Lc c 0 %1 ic=0\nRc c 0 1e9\n")
               .arg(number(in.inductanceMh * 1e-3 / (n1 * n1)));
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        const QString k = QString::number(r + 1);
        const double uo = *findItem(result, QStringLiteral("uo(%1)").arg(k))->value;
        const double load = uo / in.outputs[r].ioA;
        net += winding(QStringLiteral("s") + k, QStringLiteral("a") + k, QStringLiteral("0"),
                       -*in.windings[r + 1].turns);
        net += QStringLiteral("D%1 a%1 k%1 dmod\nVud%1 k%1 o%1 %2\n")
                   .arg(k, number(in.outputs[r].udV));
        net += QStringLiteral("C%1 o%1 0 %2 ic=%3\nR%1 o%1 0 %4\n")
                   .arg(k, number(25.0 * ts / load), number(0.97 * uo), number(load));
    }
    return {net + kModels, ts, 300.0 * ts};
}

// Push-pull (two primary halves from a centre tap at Vin) and half bridge
// (one primary between the switched node and the mid-point held at Vin,
// the bus 2 Vin): each switch on for D of the period, the second half a
// period later; a centre-tapped secondary into an LC filter damped to
// Q = 1 by its load, inductor ripple 20 % of Io, magnetising inductance
// 50 mH so its current stays small.
Bench forwardBench(const CheckInput& in, const CheckResult& result) {
    const double duty = *findItem(result, QStringLiteral("duty"))->value;
    const double ts = 1.0 / (in.frequencyKHz * 1000.0);
    const double n1 = *in.windings[0].turns;
    const double n2 = *in.windings[1].turns;
    const double uo = *findItem(result, QStringLiteral("uo(1)"))->value;
    const double io = in.outputs[0].ioA;
    const double load = uo / io;
    const double secondaryV = in.vinV * n2 / n1;
    const double filterH = (secondaryV - uo - in.outputs[0].udV) * duty * ts / (0.2 * io);
    QString net = QStringLiteral("* forward bench\nVin in 0 %1\n").arg(number(in.vinV));
    const QString pulse = QStringLiteral("PULSE(0 1 %1 1n 1n %2 %3)\n");
    net += QStringLiteral("Vga ga 0 ") + pulse.arg(number(0), number(duty * ts - 1e-9), number(ts));
    net += QStringLiteral("Vgb gb 0 ") +
           pulse.arg(number(ts / 2.0), number(duty * ts - 1e-9), number(ts));
    if (in.halfBridge) {
        net += QStringLiteral("Vbus bus 0 %1\nSa bus h ga 0 swmod\nSb h 0 gb 0 swmod\n")
                   .arg(number(2.0 * in.vinV));
        net += winding(QStringLiteral("pa"), QStringLiteral("h"), QStringLiteral("in"), n1);
    } else {
        net += QStringLiteral("Sa swa 0 ga 0 swmod\nSb swb 0 gb 0 swmod\n");
        net += winding(QStringLiteral("pa"), QStringLiteral("in"), QStringLiteral("swa"), n1);
        net += winding(QStringLiteral("pb"), QStringLiteral("in"), QStringLiteral("swb"), -n1);
    }
    net += QStringLiteral("Lc c 0 %1 ic=0\nRc c 0 1e9\n").arg(number(50e-3 / (n1 * n1)));
    net += winding(QStringLiteral("s1"), QStringLiteral("a1"), QStringLiteral("0"), n2);
    net += winding(QStringLiteral("s2"), QStringLiteral("a2"), QStringLiteral("0"), -n2);
    net +=
        QStringLiteral("D1 a1 k dmod\nD2 a2 k dmod\nVud k m %1\n").arg(number(in.outputs[0].udV));
    net += QStringLiteral("Lf m o1 %1 ic=%2\nC1 o1 0 %3 ic=%4\nR1 o1 0 %5\n")
               .arg(number(filterH), number(io), number(filterH / (load * load)), number(0.97 * uo),
                    number(load));
    return {net + kModels, ts, 150.0 * ts};
}

// Runs the bench and returns its measures by name.
QMap<QString, double> simulate(const Bench& bench, const QStringList& measures,
                               const QString& folder) {
    QString deck = bench.netlist;
    const double to = bench.stopS;
    const double from = to - 20.0 * bench.periodS;
    const double before = from - 20.0 * bench.periodS;
    for (QString measure : measures) {
        measure.replace(QStringLiteral("{from}"), number(from))
            .replace(QStringLiteral("{to}"), number(to))
            .replace(QStringLiteral("{before}"), number(before));
        deck += measure + u'\n';
    }
    deck += QStringLiteral(".tran %1 %2 0 %1 uic\n.end\n")
                .arg(number(bench.periodS / 400.0), number(bench.stopS));
    const QString path = folder + QStringLiteral("/bench.cir");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(deck.toUtf8());
    file.close();
    QProcess ngspice;
    ngspice.start(QStringLiteral("ngspice"), {QStringLiteral("-b"), path});
    EXPECT_TRUE(ngspice.waitForFinished(60000));
    const QString output = QString::fromUtf8(ngspice.readAllStandardOutput());
    QMap<QString, double> values;
    static const QRegularExpression line(QStringLiteral("^(\\w+)\\s*=\\s*([-+0-9.eE]+)"),
                                         QRegularExpression::MultilineOption);
    for (auto match = line.globalMatch(output); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        values.insert(m.captured(1).toLower(), m.captured(2).toDouble());
    }
    if (values.size() < measures.size()) {
        ADD_FAILURE() << "ngspice measured " << values.size() << " of " << measures.size() << ":\n"
                      << output.toStdString()
                      << QString::fromUtf8(ngspice.readAllStandardError()).toStdString()
                      << deck.toStdString();
    }
    return values;
}

void expectWithin(double simulated, double checked, double percent, const char* what) {
    EXPECT_NEAR(checked, simulated, std::fabs(simulated) * percent / 100.0)
        << what << ": ngspice " << simulated << ", check " << checked;
}

TEST(NgspiceTest, CheckAgreesWithTheSimulatedPowerStage) {
    if (QStandardPaths::findExecutable(QStringLiteral("ngspice")).isEmpty()) {
        std::fputs(
            "\n*** ngspice is not installed: the circuit benches of the design check "
            "did NOT run (apt-get install ngspice) ***\n\n",
            stderr);
        GTEST_SKIP() << "ngspice is not installed";
    }
    const QMap<QString, CheckInput> designs = testing::workedDesigns();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const tables::TableRow& row : tables::tableRows("check_spice.tsv")) {
        SCOPED_TRACE(row.trace());
        const CheckInput in = designs.value(row.columns.value(0));
        const double currents = row.columns.value(1).toDouble();
        const double outputs = row.columns.value(2).toDouble();
        const CheckResult result = runCheck(in);
        const bool forward = in.circuit == Circuit::Forward;
        QStringList measures;
        // The last 20 periods, and the 20 before them to see it settled.
        if (forward) {
            measures << QStringLiteral(".meas tran irms RMS i(Vpa) from={from} to={to}")
                     << QStringLiteral(".meas tran flux PP i(Lc) from={from} to={to}");
        } else {
            measures << QStringLiteral(".meas tran ipk MAX i(Vsp) from={from} to={to}")
                     << QStringLiteral(".meas tran irms RMS i(Vsp) from={from} to={to}");
        }
        for (size_t r = 1; r <= in.outputs.size(); ++r) {
            measures << QStringLiteral(".meas tran vo%1 AVG v(o%1) from={from} to={to}").arg(r)
                     << QStringLiteral(".meas tran vb%1 AVG v(o%1) from={before} to={from}").arg(r);
        }
        const Bench bench = forward ? forwardBench(in, result) : flybackBench(in, result);
        const QMap<QString, double> sim = simulate(bench, measures, folder.path());
        if (forward) {
            expectWithin(sim.value(QStringLiteral("irms")),
                         *findItem(result, QStringLiteral("ip_rms"))->value, currents, "ip_rms");
            // ΔΦ = AL × Δ(ampere-turns); ΔB = ΔΦ ÷ Ae, in mT.
            const double n1 = *in.windings[0].turns;
            const double swingMt =
                sim.value(QStringLiteral("flux")) * 50e-3 / (n1 * n1) / (*in.aeMm2 * 1e-6) * 1e3;
            expectWithin(swingMt, *findItem(result, QStringLiteral("b_swing"))->value, currents,
                         "b_swing");
        } else {
            expectWithin(sim.value(QStringLiteral("ipk")),
                         *findItem(result, QStringLiteral("ip_peak"))->value, currents, "ip_peak");
            expectWithin(sim.value(QStringLiteral("irms")),
                         *findItem(result, QStringLiteral("ip_rms"))->value, currents, "ip_rms");
        }
        for (size_t r = 1; r <= in.outputs.size(); ++r) {
            const double last = sim.value(QStringLiteral("vo%1").arg(r));
            const double before = sim.value(QStringLiteral("vb%1").arg(r));
            // Settled: the two windows agree far closer than the tolerance.
            EXPECT_NEAR(last, before, std::fabs(last) * 0.002) << "output " << r << " drifts";
            expectWithin(last, *findItem(result, QStringLiteral("uo(%1)").arg(r))->value, outputs,
                         "uo");
        }
    }
}

}  // namespace
}  // namespace kelvane::check
