#include "audio/Preview.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>

namespace kilosynth {
namespace {

// playSample for the longest sample on SDL's dummy driver, whose audio thread
// takes the device lock as a real one does: the copy of 38 Blocks under that
// lock is all an edit waits for before it is heard.
void BM_PlaySampleLongest(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!initPreview()) {
        state.SkipWithError(previewError().c_str());
        return;
    }
    Patch patch;
    patch.length = MaxLength;
    for (auto _ : state) {
        playSample(patch);
    }
    shutdownPreview();
    state.SetBytesProcessed(state.iterations() * MaxSamples *
                            static_cast<std::int64_t>(sizeof(std::int16_t)));
}

BENCHMARK(BM_PlaySampleLongest)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace kilosynth
