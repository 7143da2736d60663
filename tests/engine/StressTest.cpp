#include "engine/Patch.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace kilosynth {
namespace {

// Random bytes in every field, every ModSource byte value, random float bit
// patterns (NaN and infinity included) and every length: a render must stay
// inside its buffers, stay defined (the sanitizer build checks that) and
// produce samples within -32767..32767.
class RandomPatch {
public:
    explicit RandomPatch(std::uint32_t seed) : rng(seed) {}

    void fill(Patch& p) {
        p.length = static_cast<std::uint8_t>(pick(0, 40) <= 38 ? pick(0, 38) : pick(39, 255));
        const float rates[] = {5512.5f, 11025.0f, 22050.0f, 44100.0f};
        p.rate = rates[pick(0, 3)];
        for (auto& osc : p.oscillators) {
            osc->enabled = byte();
            osc->flags = byte();
            osc->frequency = pick(0, 3) == 0 ? anyFloat() : static_cast<float>(pick(0, 22050));
            osc->frequencySource = source();
            osc->amplitude = byte();
            osc->amplitudeSource = source();
        }
        for (auto& env : p.envelopes) {
            env->enabled = byte();
            for (std::uint8_t* f :
                 {&env->delay, &env->attack, &env->hold, &env->decay, &env->sustain, &env->level,
                  &env->release, &env->amp, &env->basePoint}) {
                *f = byte();
            }
        }
        Sequencer& seq = *p.sequencer;
        seq.enabled = byte();
        seq.attack = byte();
        seq.decay = byte();
        seq.stepCount = pick(0, 3) == 0 ? pick(1, 64) : 16;
        for (auto& step : seq.steps) {
            step = {byte(), byte()};
        }
        for (std::uint8_t* f : {&p.volume, &p.limit, &p.wrap, &p.effects, &p.cutoff, &p.reso,
                                &p.delayTime, &p.delayLevel, &p.flangerRate, &p.flangerDelay}) {
            *f = byte();
        }
        for (ModSource* s : {&p.volumeSource, &p.limitSource, &p.wrapSource, &p.cutoffSource,
                             &p.resonanceFreqSource, &p.resoSource}) {
            *s = source();
        }
        p.resonanceFreq = pick(0, 3) == 0 ? anyFloat() : static_cast<float>(pick(0, 32767));
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    std::uint8_t byte() { return static_cast<std::uint8_t>(pick(0, 255)); }
    ModSource source() { return static_cast<ModSource>(static_cast<std::int8_t>(byte())); }
    float anyFloat() { return std::bit_cast<float>(static_cast<std::uint32_t>(rng())); }

    std::mt19937 rng;
};

TEST(Stress, RandomPatchesRenderWithinRange) {
    RandomPatch random(20261211);
    Patch patch;
    for (int round = 0; round < 60; ++round) {
        random.fill(patch);
        for (int pass = 0; pass < 2; ++pass) {
            patch.render();
            const int n = patch.sampleCount();
            for (int i = 0; i < n; ++i) {
                const auto at = static_cast<std::size_t>(i);
                ASSERT_GE(patch.sample[at], -32767) << "round " << round << " index " << i;
                ASSERT_TRUE(patch.mix[at] >= -1.0f && patch.mix[at] <= 1.0f)
                    << "round " << round << " index " << i << " value " << patch.mix[at];
            }
        }
    }
}

} // namespace
} // namespace kilosynth
