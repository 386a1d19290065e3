// The whole design check on a three-output flyback with its core,
// material and wires: what the check's page pays for every change.
#include "engine/check/design_check.h"
#include "three_output_flyback.h"

#include <benchmark/benchmark.h>

namespace {

void checkingADesign(benchmark::State& state) {
    const kelvane::check::CheckInput input = kelvane::benchmarks::threeOutputFlyback();
    for (auto _ : state) {
        kelvane::check::CheckResult result = kelvane::check::runCheck(input);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(checkingADesign)->Unit(benchmark::kMicrosecond);

}  // namespace
