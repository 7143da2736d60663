#include "engine/Patch.h"
#include "tests/support/PatchFixtures.h"

#include <benchmark/benchmark.h>

namespace kilosynth {
namespace {

void renderPatch(benchmark::State& state, void (*make)(Patch&)) {
    Patch patch;
    make(patch);
    patch.render();
    for (auto _ : state) {
        patch.render();
        benchmark::DoNotOptimize(patch.sample.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * patch.sampleCount());
    state.counters["ns/sample"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * patch.sampleCount(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_RenderStartupPatch(benchmark::State& state) {
    renderPatch(state, test::makeStartupPatch);
}
void BM_RenderHeavyPatch(benchmark::State& state) {
    renderPatch(state, test::makeHeavyPatch);
}

BENCHMARK(BM_RenderStartupPatch)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RenderHeavyPatch)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace kilosynth
