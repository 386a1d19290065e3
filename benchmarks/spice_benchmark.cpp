// The SPICE export of a three-output flyback: the transformer alone, and
// with its bench, which also runs the design check for the duty.
#include "engine/spice/spice_netlist.h"
#include "three_output_flyback.h"

#include <benchmark/benchmark.h>

namespace {

void exportingANetlist(benchmark::State& state) {
    const kelvane::check::CheckInput input = kelvane::benchmarks::threeOutputFlyback();
    kelvane::spice::NetlistOptions options;
    options.bench = state.range(0) != 0;
    for (auto _ : state) {
        kelvane::Result<kelvane::spice::Netlist> netlist =
            kelvane::spice::writeNetlist(input, options);
        benchmark::DoNotOptimize(netlist);
    }
}
BENCHMARK(exportingANetlist)->ArgName("bench")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
