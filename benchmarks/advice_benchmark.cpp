// The core adviser on the large catalogue: a flyback of about 65 W with two
// outputs at 65 kHz, against 10 and against 500 materials. Each run also
// times the plain path, the design window's cascade applying one pair after
// another, on a sample of pairs, and reports it per pair, projected to the
// whole catalogue, and as a ratio to the adviser.
#include "engine/advice/core_adviser.h"
#include "engine/base/key_codes.h"
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"
#include "large_catalogue.h"

#include <chrono>

#include <benchmark/benchmark.h>

namespace {

using kelvane::advice::Advice;
using kelvane::advice::AdviceOptions;
using kelvane::advice::CatalogueSnapshot;
using kelvane::sheet::Field;

struct Design65W {
    Design65W() : window(prompter, kelvane::benchmarks::catalogue().path(), QString()) {
        window.open();
        window.click(kelvane::sheet::Check::Option1);
        window.type(Field::TxtUmin, QStringLiteral("85"));
        window.type(Field::TxtF, QStringLiteral("65"));
        window.type(Field::txtd, QStringLiteral("0.45"));
        window.keyDown(kelvane::sheet::Field::txtd, kelvane::kEnterKey);
        addOutput(QStringLiteral("12"), QStringLiteral("4"));
        addOutput(QStringLiteral("5"), QStringLiteral("3.4"));
        window.type(Field::TXTTEMPD, QStringLiteral("60"));
    }
    void addOutput(const QString& volts, const QString& amps) {
        window.type(Field::txtuoutput, volts);
        window.type(Field::TxtIoutput, amps);
        window.type(Field::TXTDIO, QStringLiteral("0.5"));
        window.click(kelvane::sheet::Command::Command1);
    }
    kelvane::script::ScriptedPrompter prompter;
    kelvane::session::DesignSession window;
};

// The whole catalogue's cores with its first `materials` materials that
// have loss data.
CatalogueSnapshot withMaterials(const CatalogueSnapshot& whole, int materials) {
    CatalogueSnapshot snapshot;
    snapshot.cores = whole.cores;
    for (const auto& material : whole.materials) {
        if (snapshot.materials.size() == materials) {
            break;
        }
        snapshot.materials.append(material);
    }
    return snapshot;
}

void advising(benchmark::State& state) {
    Design65W design;
    const auto snapshot = std::make_shared<const CatalogueSnapshot>(
        withMaterials(*design.window.catalogueSnapshot(), int(state.range(0))));
    const kelvane::advice::AdviceDesign adviceDesign = design.window.adviceDesign();
    AdviceOptions all;
    all.feasibleOnly = false;
    const Advice rows = kelvane::advice::advise(adviceDesign, snapshot, all);
    if (rows.isEmpty()) {
        state.SkipWithError("no candidate pairs");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(kelvane::advice::advise(adviceDesign, snapshot, AdviceOptions()));
    }
    qsizetype feasible = 0;
    const double perRun = [&] {
        const auto start = std::chrono::steady_clock::now();
        feasible = kelvane::advice::advise(adviceDesign, snapshot, AdviceOptions()).size();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }();
    // The plain path: the window's cascade for a sample of the pairs.
    constexpr int kSample = 20;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kSample; ++i) {
        design.window.applyAdvice(rows[(i * 7919) % rows.size()], *snapshot);
    }
    const double plainPerPair =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kSample;
    const double pairs = double(snapshot->cores.size()) * double(snapshot->materials.size());
    state.counters["pairs"] = pairs;
    state.counters["candidates"] = double(rows.size());
    state.counters["feasible"] = double(feasible);
    state.counters["plain_ms_per_pair"] = plainPerPair * 1e3;
    state.counters["plain_s_projected"] = plainPerPair * pairs;
    state.counters["ratio"] = plainPerPair * pairs / perRun;
}
BENCHMARK(advising)->Arg(10)->Arg(500)->Unit(benchmark::kMillisecond);

// The same run with `options`, against `materials` materials.
void advisingWith(benchmark::State& state, const AdviceOptions& options) {
    Design65W design;
    const auto snapshot = std::make_shared<const CatalogueSnapshot>(
        withMaterials(*design.window.catalogueSnapshot(), int(state.range(0))));
    const kelvane::advice::AdviceDesign adviceDesign = design.window.adviceDesign();
    qsizetype rows = 0;
    for (auto _ : state) {
        rows = kelvane::advice::advise(adviceDesign, snapshot, options).size();
    }
    state.counters["rows"] = double(rows);
}

// The first 20 rows only, put in order without sorting the others.
void advisingTop20(benchmark::State& state) {
    AdviceOptions options;
    options.limit = 20;
    advisingWith(state, options);
}
BENCHMARK(advisingTop20)->Arg(500)->Unit(benchmark::kMillisecond);

// Two workers over halves of the cores, as the adviser window runs.
void advisingTwoThreads(benchmark::State& state) {
    AdviceOptions options;
    options.threads = 2;
    advisingWith(state, options);
}
BENCHMARK(advisingTwoThreads)->Arg(500)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
