#include "engine/Patch.h"
#include "tests/support/PatchFixtures.h"

#include <gtest/gtest.h>
#include <vector>

namespace kilosynth {
namespace {

using WaveType = Oscillator::WaveType;

// osc1 is a heard Square at 0 Hz and full amplitude: its output is exactly the
// curve of its amplitude source, so it shows which curve it saw.
class RenderOrder : public ::testing::Test {
protected:
    RenderOrder() {
        patch.length = 1;
        probe.enabled = 1;
        probe.flags = static_cast<std::uint8_t>(WaveType::Square);
        probe.frequency = 0.0f;
        probe.amplitude = 255;
    }

    // What the probe shows when it saw `source` in its state now.
    std::vector<float> curveOf(const Generator& source) const {
        std::vector<float> curve(1024);
        for (int i = 0; i < 1024; ++i) {
            curve[static_cast<std::size_t>(i)] = static_cast<float>(source.sampleAt(i));
        }
        return curve;
    }
    std::vector<float> probeOutput() const {
        return {probe.buffer.begin(), probe.buffer.begin() + 1024};
    }

    Patch patch;
    Oscillator& probe = *patch.oscillators[0];
    Oscillator& osc2 = *patch.oscillators[1];
};

TEST_F(RenderOrder, LaterOscillatorIsSeenFromThePreviousRender) {
    probe.amplitudeSource = 9; // osc2
    osc2.enabled = 1;
    osc2.flags = static_cast<std::uint8_t>(WaveType::Saw);
    osc2.frequency = 100.0f;
    patch.render();
    const std::vector<float> previous = curveOf(osc2);
    osc2.frequency = 250.0f;
    patch.render();
    EXPECT_EQ(probeOutput(), previous);
    EXPECT_NE(probeOutput(), curveOf(osc2));
}

TEST_F(RenderOrder, ModulatorOscillatorIsSeenCurrent) {
    probe.amplitudeSource = 9;
    osc2.enabled = 1;
    osc2.flags = static_cast<std::uint8_t>(WaveType::Saw) | Oscillator::Modulator;
    osc2.frequency = 100.0f;
    patch.render();
    osc2.frequency = 250.0f;
    patch.render();
    EXPECT_EQ(probeOutput(), curveOf(osc2)); // (saw + 1) / 2 of this render
}

TEST_F(RenderOrder, EnvelopesAreSeenCurrentAndKeepTheirCurveWhenSwitchedOff) {
    Envelope& env1 = *patch.envelopes[0];
    probe.amplitudeSource = 0;
    env1.enabled = 1;
    env1.attack = 20;
    patch.render();
    EXPECT_EQ(probeOutput(), curveOf(env1));

    env1.attack = 90;
    patch.render();
    EXPECT_EQ(probeOutput(), curveOf(env1));

    const std::vector<float> lastOn = curveOf(env1);
    env1.enabled = 0;
    env1.attack = 3;
    patch.render();
    EXPECT_EQ(curveOf(env1), lastOn);
    EXPECT_EQ(probeOutput(), lastOn);
}

TEST_F(RenderOrder, ModulatorPassSeesTheSequencerOfThePreviousRender) {
    // osc2 is a sequenced modulator; its pre-sequencer pass reads the curves
    // the sequencer left last time, and osc1 reads that pass.
    probe.amplitudeSource = 9;
    osc2.enabled = 1;
    osc2.flags =
        static_cast<std::uint8_t>(WaveType::Square) | Oscillator::Modulator | Oscillator::Sequenced;
    osc2.frequency = 0.0f;
    osc2.amplitude = 255;
    Sequencer& seq = *patch.sequencer;
    seq.enabled = 1;
    for (auto& step : seq.steps) {
        step.note = 60;
    }

    patch.render(); // the sequencer's curves were still empty for osc2's first pass
    const std::vector<float> first = probeOutput();
    EXPECT_EQ(first, std::vector<float>(1024, 0.5f));
    patch.render();
    const std::vector<float> second = probeOutput();
    EXPECT_NE(second, first);
    EXPECT_EQ(second, curveOf(osc2));
    patch.render();
    EXPECT_EQ(probeOutput(), second); // settled: nothing reads ahead any more
}

TEST(Determinism, SamePatchFromTheSameStateGivesTheSameSamples) {
    Patch a;
    Patch b;
    test::makeHeavyPatch(a);
    test::makeHeavyPatch(b);
    for (int pass = 0; pass < 2; ++pass) {
        a.render();
        b.render();
        EXPECT_EQ(a.sample, b.sample) << "pass " << pass;
        EXPECT_EQ(a.mix, b.mix) << "pass " << pass;
    }
}

TEST(Determinism, RenderingAgainWithoutReadAheadChangesNothing) {
    Patch patch;
    test::makeStartupPatch(patch);
    patch.oscillators[1]->enabled = 1;
    patch.oscillators[1]->amplitudeSource = 8; // osc1, rendered before osc2
    patch.oscillators[1]->flags = static_cast<std::uint8_t>(Oscillator::WaveType::Noise);
    patch.render();
    const std::vector<std::int16_t> first = patch.sample;
    patch.render();
    EXPECT_EQ(patch.sample, first);
}

} // namespace
} // namespace kilosynth
