// The heaviest edits of the design window against an engineer-sized
// catalogue (20,000 cores and 500 materials), and opening the largest
// design file.
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"
#include "large_catalogue.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <cstdlib>

#include <benchmark/benchmark.h>

namespace {

using kelvane::benchmarks::catalogue;
using kelvane::benchmarks::kMaterials;

struct OpenDesign {
    OpenDesign() : window(prompter, catalogue().path(), QString()) {
        window.open();
        window.click(kelvane::sheet::Check::Option1);
    }
    kelvane::script::ScriptedPrompter prompter;
    kelvane::session::DesignSession window;
};

// Typing the input power; with argument 1 the design check's page runs
// the check once after each change, as the window does (goal: under 1.1
// times the cascade alone). The design has an output and a material, so
// that every item of the check has its numbers.
void typingInputPower(benchmark::State& state) {
    OpenDesign design;
    using kelvane::sheet::Field;
    design.window.type(Field::txtuoutput, QStringLiteral("12"));
    design.window.type(Field::TxtIoutput, QStringLiteral("2"));
    design.window.click(kelvane::sheet::Command::Command1);
    design.window.selectRecord(kelvane::sheet::RecordGrid::DBGrid1, 2);
    const bool liveCheck = state.range(0) != 0;
    int i = 0;
    for (auto _ : state) {
        design.window.type(Field::txtpint, QString::number(40 + i++ % 200));
        if (liveCheck) {
            benchmark::DoNotOptimize(design.window.designCheck());
        }
    }
}
BENCHMARK(typingInputPower)->ArgName("live_check")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void choosingMaterial(benchmark::State& state) {
    OpenDesign design;
    int i = 0;
    for (auto _ : state) {
        design.window.selectRecord(kelvane::sheet::RecordGrid::DBGrid1, 1 + i++ % kMaterials);
    }
}
BENCHMARK(choosingMaterial)->Unit(benchmark::kMillisecond);

void typingCoreSearch(benchmark::State& state) {
    OpenDesign design;
    const QString texts[] = {QStringLiteral("E"),    QStringLiteral("EE"),  QStringLiteral("EE1"),
                             QStringLiteral("EE12"), QStringLiteral("EE1"), QStringLiteral("EE")};
    int i = 0;
    for (auto _ : state) {
        design.window.type(kelvane::sheet::Field::TXTCORE, texts[i++ % 6]);
    }
}
BENCHMARK(typingCoreSearch)->Unit(benchmark::kMillisecond);

// A design file of the largest table the format allows (10,000 rows with
// the heading row), made from a design the window saved.
QString largestDesignFile(kelvane::session::DesignSession& window, const QTemporaryDir& dir) {
    constexpr int kRows = 9999;
    const QString path = dir.filePath(QStringLiteral("outputs.dat"));
    window.saveDesign(path);
    QFile saved(path);
    saved.open(QIODevice::ReadOnly);
    QStringDecoder decoder("GBK");
    QStringList lines = QString(decoder.decode(saved.readAll())).split(QStringLiteral("\r\n"));
    saved.close();
    lines.removeLast();
    QStringList table;
    for (int row = 1; row <= kRows; ++row) {
        const int volts = 3 + row % 45;
        table << QString::number(row) << QString::number(volts) << QStringLiteral("0.5")
              << QStringLiteral("0.7") << QString::number(volts * 0.5);
    }
    QStringList record = lines.mid(0, 21) + table + lines.mid(lines.size() - 13);
    record[0] = QString::number(kRows + 1);
    QStringEncoder encoder("GBK");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(encoder.encode(record.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    return path;
}

void openingLargestDesignFile(benchmark::State& state) {
    OpenDesign design;
    const QTemporaryDir dir;
    const QString path = largestDesignFile(design.window, dir);
    for (auto _ : state) {
        if (!design.window.openDesign(path)) {
            state.SkipWithError("the design file did not open");
            break;
        }
    }
}
BENCHMARK(openingLargestDesignFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
