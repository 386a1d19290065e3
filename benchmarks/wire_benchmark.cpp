// The wire calculator's clock: a script's `tick N` costs the same for any
// N, from a counter that crosses zero with a fraction.
#include "engine/script/scripted_prompter.h"
#include "engine/wire/wire_calculator.h"

#include <QTime>

#include <benchmark/benchmark.h>

namespace {

void tickingTheClock(benchmark::State& state) {
    kelvane::script::ScriptedPrompter prompter;
    kelvane::wire::WireCalculator calculator(prompter);
    calculator.load();
    for (auto _ : state) {
        calculator.type(QStringLiteral("Txt1"), QStringLiteral("-1000.125"));
        calculator.tick(QTime(12, 0), state.range(0));
    }
}
BENCHMARK(tickingTheClock)->Arg(1)->Arg(1000)->Arg(1000000)->Arg(2000000000);

}  // namespace
