#include "engine/spice/bench_comparison.h"

#include "engine/check/check_text.h"

#include <QCoreApplication>

namespace kelvane::spice {

namespace {

std::optional<double> checkedValue(const check::CheckResult& result, const QString& id) {
    const check::CheckItem* item = check::itemById(result, id);
    return item != nullptr ? item->value : std::nullopt;
}

QString amperes(double value) {
    return check::significantText(value) + QStringLiteral(" A");
}

// "0.989 A（校核1.01 A）", or the simulated value alone when the check has none.
QString beside(double simulated, std::optional<double> checked) {
    QString text = amperes(simulated);
    if (checked) {
        text += QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "（校核%1）"))
                    .arg(amperes(*checked));
    }
    return text;
}

}  // namespace

BenchComparison compareBench(const check::CheckInput& input, const Simulation& simulation) {
    const check::CheckResult result = check::runCheck(input);
    BenchComparison comparison;
    for (size_t r = 0; r < input.outputs.size(); ++r) {
        OutputComparison output;
        output.caption =
            QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "输出%1")).arg(r + 1);
        output.targetV = input.outputs[r].uoV;
        output.checkedV = checkedValue(result, QStringLiteral("uo(%1)").arg(r + 1));
        if (r < simulation.outputV.size()) {
            output.simulatedV = simulation.outputV[r];
        }
        if (output.simulatedV) {
            output.verdict = check::outputDeviationVerdict(*output.simulatedV, output.targetV);
        }
        comparison.outputs.push_back(output);
    }
    if (!simulation.complete()) {
        comparison.summary =
            QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "仿真结果不完整"));
        if (!simulation.problems.isEmpty()) {
            comparison.summary +=
                QStringLiteral("：") + simulation.problems.join(QStringLiteral("；"));
        }
        return comparison;
    }
    const bool pushPull = input.circuit == check::Circuit::Forward && !input.halfBridge;
    const bool forward = input.circuit == check::Circuit::Forward;
    comparison.summary =
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "仿真：%1峰值电流%2，有效值%3"))
            .arg(pushPull ? QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "每半个初级"))
                          : QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "初级")),
                 beside(*simulation.peakA,
                        forward ? std::nullopt : checkedValue(result, QStringLiteral("ip_peak"))),
                 beside(*simulation.rmsA, checkedValue(result, QStringLiteral("ip_rms"))));
    return comparison;
}

}  // namespace kelvane::spice
