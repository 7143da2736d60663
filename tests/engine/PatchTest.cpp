#include "engine/Patch.h"

#include "tests/support/FloatBits.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kilosynth {
namespace {

TEST(PatchDefaults, FieldsAfterConstruction) {
    const Patch patch;
    EXPECT_EQ(patch.length, 38);
    EXPECT_EQ(patch.rate, 44100.0f);
    EXPECT_EQ(patch.volume, 127);
    EXPECT_EQ(patch.limit, 0);
    EXPECT_EQ(patch.wrap, 0);
    EXPECT_EQ(patch.effects, 0);
    EXPECT_EQ(patch.cutoff, 0);
    EXPECT_EQ(patch.resonanceFreq, 255.0f);
    EXPECT_EQ(patch.reso, 4);
    EXPECT_EQ(patch.delayTime, 200);
    EXPECT_EQ(patch.delayLevel, 80);
    EXPECT_EQ(patch.flangerRate, 0);
    EXPECT_EQ(patch.flangerDelay, 0);
    for (ModSource s : {patch.volumeSource, patch.limitSource, patch.wrapSource, patch.cutoffSource,
                        patch.resonanceFreqSource, patch.resoSource}) {
        EXPECT_EQ(s, SourceNone);
    }
    for (const auto& osc : patch.oscillators) {
        EXPECT_EQ(osc->enabled, 0);
        EXPECT_EQ(osc->flags, 1);
        EXPECT_EQ(osc->frequency, 5.0f);
        EXPECT_EQ(osc->amplitude, 252);
        EXPECT_EQ(osc->frequencySource, SourceNone);
        EXPECT_EQ(osc->amplitudeSource, SourceNone);
        EXPECT_EQ(osc->buffer.size(), std::size_t{MaxSamples});
    }
    for (const auto& env : patch.envelopes) {
        EXPECT_EQ(env->enabled, 0);
        const std::array<std::uint8_t, 9> fields{env->delay,   env->attack,  env->hold,
                                                 env->decay,   env->sustain, env->level,
                                                 env->release, env->amp,     env->basePoint};
        EXPECT_EQ(fields, (std::array<std::uint8_t, 9>{0, 0, 0, 255, 0, 0, 0, 255, 1}));
    }
    const Sequencer& seq = *patch.sequencer;
    EXPECT_EQ(seq.enabled, 0);
    EXPECT_EQ(seq.stepCount, 16);
    EXPECT_EQ(seq.attack, 5);
    EXPECT_EQ(seq.decay, 60);
    EXPECT_TRUE(std::all_of(seq.steps.begin(), seq.steps.end(),
                            [](SequencerStep s) { return s.note == 0 && s.flags == 0; }));
    EXPECT_EQ(patch.mix.size(), std::size_t{MaxSamples});
    EXPECT_EQ(patch.sample.size(), std::size_t{MaxSamples});
}

TEST(PatchDefaults, SourceTableAddressesEnvelopesOscillatorsAndSequencer) {
    const Patch patch;
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(patch.sources[static_cast<std::size_t>(k)],
                  patch.envelopes[static_cast<std::size_t>(k)].get());
        EXPECT_EQ(patch.sources[static_cast<std::size_t>(8 + k)],
                  patch.oscillators[static_cast<std::size_t>(k)].get());
        EXPECT_EQ(&patch.oscillators[static_cast<std::size_t>(k)]->patch, &patch);
    }
    EXPECT_EQ(patch.sources[16], patch.sequencer.get());
}

TEST(PatchDefaults, RestoreDefaultsUndoesEditsAndClearsBuffers) {
    Patch patch;
    patch.length = 3;
    patch.rate = 22050.0f;
    patch.effects = 7;
    patch.cutoffSource = 4;
    patch.oscillators[2]->enabled = 1;
    patch.oscillators[2]->frequency = 100.0f;
    patch.envelopes[7]->decay = 3;
    patch.sequencer->steps[40] = {60, 2};
    patch.render();
    patch.restoreDefaults();

    const Patch fresh;
    EXPECT_EQ(patch.length, fresh.length);
    EXPECT_EQ(patch.rate, fresh.rate);
    EXPECT_EQ(patch.effects, 0);
    EXPECT_EQ(patch.cutoffSource, SourceNone);
    EXPECT_EQ(patch.oscillators[2]->enabled, 0);
    EXPECT_EQ(patch.oscillators[2]->frequency, 5.0f);
    EXPECT_EQ(patch.envelopes[7]->decay, 255);
    EXPECT_EQ(patch.sequencer->steps[40].note, 0);
    EXPECT_EQ(patch.oscillators[2]->buffer, fresh.oscillators[2]->buffer);
    EXPECT_EQ(patch.sample, fresh.sample);
}

TEST(Modulate, NoneAndUnknownSourcesReturnTheBase) {
    Patch patch;
    std::fill(patch.envelopes[0]->buffer.begin(), patch.envelopes[0]->buffer.end(), 0.5f);
    for (int source : {-1, -2, -128, 17, 100, 127}) {
        for (int index : {0, 1000, MaxSamples - 1}) {
            EXPECT_EQ(patch.modulate(0.7f, static_cast<ModSource>(source), index), double{0.7f})
                << "source " << source;
        }
    }
}

TEST(Modulate, MultipliesByTheSourceCurveInDouble) {
    Patch patch;
    Envelope& env4 = *patch.envelopes[3];
    Oscillator& osc1 = *patch.oscillators[0];
    env4.buffer[123] = 0.3f;
    osc1.buffer[123] = -0.6f;
    EXPECT_EQ(patch.modulate(0.7f, 3, 123), double{0.7f} * double{0.3f});
    EXPECT_EQ(patch.modulate(0.7f, 8, 123), double{0.7f} * double{-0.6f});
    osc1.flags |= Oscillator::Modulator;
    EXPECT_EQ(patch.modulate(0.7f, 8, 123), double{0.7f} * ((double{-0.6f} + 1.0) * 0.5));
}

TEST(PatchRender, AllGeneratorsOffGivesSilence) {
    Patch patch;
    std::fill(patch.sample.begin(), patch.sample.end(), std::int16_t{99});
    patch.render();
    EXPECT_EQ(std::count(patch.sample.begin(), patch.sample.end(), std::int16_t{0}), MaxSamples);
}

TEST(PatchRender, StartUpPatchRendersTheDefaultSine) {
    Patch patch;
    patch.oscillators[0]->enabled = 1;
    patch.envelopes[0]->enabled = 1;
    patch.render();
    // osc1 is a 5 Hz sine at amplitude 252; nothing modulates it.
    const Oscillator& osc = *patch.oscillators[0];
    EXPECT_EQ(patch.mix[0], 0.0f);
    for (int i : {1, 2205, 4000, 30000}) {
        const auto at = static_cast<std::size_t>(i);
        EXPECT_EQ(patch.mix[at], osc.buffer[at]) << i;
        EXPECT_EQ(patch.sample[at], static_cast<std::int16_t>(double{osc.buffer[at]} * 32767.5));
    }
    EXPECT_GT(patch.sample[2205], 32000); // a quarter period of 5 Hz at 44100
}

TEST(PatchRender, LengthZeroTouchesOnlyTheFirstMixValue) {
    Patch patch;
    patch.length = 0;
    for (auto& osc : patch.oscillators) {
        osc->enabled = 1;
    }
    patch.envelopes[0]->enabled = 1;
    patch.sequencer->enabled = 1;
    patch.effects = 7;
    std::fill(patch.mix.begin(), patch.mix.end(), 0.5f);
    std::fill(patch.sample.begin(), patch.sample.end(), std::int16_t{7});
    std::fill(patch.oscillators[0]->buffer.begin(), patch.oscillators[0]->buffer.end(), 0.25f);
    patch.render();
    EXPECT_EQ(patch.mix[0], 0.0f);
    EXPECT_EQ(std::count(patch.mix.begin() + 1, patch.mix.end(), 0.5f), MaxSamples - 1);
    EXPECT_EQ(std::count(patch.sample.begin(), patch.sample.end(), std::int16_t{7}), MaxSamples);
    EXPECT_EQ(
        std::count(patch.oscillators[0]->buffer.begin(), patch.oscillators[0]->buffer.end(), 0.25f),
        MaxSamples);
}

TEST(PatchRender, LengthAboveTheBuffersIsRenderedAsTheLongestSample) {
    Patch longest;
    Patch tooLong;
    for (Patch* p : {&longest, &tooLong}) {
        p->oscillators[0]->enabled = 1;
        p->oscillators[0]->flags = static_cast<std::uint8_t>(Oscillator::WaveType::Noise);
        p->envelopes[0]->enabled = 1;
        p->oscillators[0]->amplitudeSource = 0;
        p->sequencer->enabled = 1;
        p->effects = 7;
    }
    tooLong.length = 127;
    longest.render();
    tooLong.render();
    EXPECT_EQ(tooLong.sampleCount(), MaxSamples);
    EXPECT_EQ(tooLong.sample, longest.sample);
}

TEST(PatchRender, HeardOscillatorsAreSummedThenClampedBeforeTheChain) {
    Patch patch;
    patch.length = 1;
    for (int k : {0, 1}) {
        Oscillator& osc = *patch.oscillators[static_cast<std::size_t>(k)];
        osc.enabled = 1;
        osc.flags = static_cast<std::uint8_t>(Oscillator::WaveType::Square);
        osc.amplitude = 192; // 0.75294...: the two sum to more than 1
    }
    // A modulator and an oscillator that is off are never heard, whatever they hold.
    Oscillator& modulator = *patch.oscillators[2];
    modulator.enabled = 1;
    modulator.flags =
        static_cast<std::uint8_t>(Oscillator::WaveType::Square) | Oscillator::Modulator;
    Oscillator& off = *patch.oscillators[3];
    std::fill(off.buffer.begin(), off.buffer.end(), -0.9f);
    patch.render();
    EXPECT_EQ(patch.mix[1], 1.0f);
    EXPECT_EQ(patch.sample[1], 32767);

    patch.oscillators[1]->enabled = 0;
    patch.render();
    EXPECT_FLOAT_BITS(192 * double{ByteScale}, patch.mix[1]);
}

} // namespace
} // namespace kilosynth
