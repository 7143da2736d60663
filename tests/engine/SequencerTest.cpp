#include "engine/Patch.h"
#include "tests/support/FloatBits.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kilosynth {
namespace {

// The Sequencer of a fresh Patch at length 1 (64 samples per step), on.
class SequencerRender : public ::testing::Test {
protected:
    SequencerRender() {
        patch.length = 1;
        seq.enabled = 1;
    }

    float freq(int step, int k) const { return seq.frequencyCurve[at(step, k)]; }
    float amp(int step, int k) const { return seq.amplitudeCurve[at(step, k)]; }
    static std::size_t at(int step, int k) { return static_cast<std::size_t>(step * 64 + k); }

    Patch patch;
    Sequencer& seq = *patch.sequencer;
};

TEST(NoteFrequency, KnownNotesAndTheNearestFloatForEveryNote) {
    EXPECT_FLOAT_BITS(261.6255798339844, Sequencer::noteFrequency(60));
    EXPECT_FLOAT_BITS(440.0, Sequencer::noteFrequency(69));
    EXPECT_FLOAT_BITS(523.2511596679688, Sequencer::noteFrequency(72));
    for (int n = 1; n <= 255; ++n) {
        const auto nearest = static_cast<float>(440.0L * std::exp2l((n - 69) / 12.0L));
        EXPECT_EQ(test::bitsOf(Sequencer::noteFrequency(static_cast<std::uint8_t>(n))),
                  test::bitsOf(nearest))
            << "note " << n;
    }
}

TEST_F(SequencerRender, EveryStepTheSameNote) {
    for (auto& step : seq.steps) {
        step.note = 69;
    }
    seq.render();
    EXPECT_TRUE(test::sameFloatRange(seq.frequencyCurve.data(), 0, 1023, 440.0));
    for (int step : {0, 7, 15}) {
        EXPECT_FLOAT_BITS(0.0, amp(step, 0));
        EXPECT_FLOAT_BITS(0.3125, amp(step, 1));
        EXPECT_FLOAT_BITS(0.625, amp(step, 2));
        EXPECT_FLOAT_BITS(0.9375, amp(step, 3));
        EXPECT_FLOAT_BITS(0.99210524559021, amp(step, 4));
        EXPECT_FLOAT_BITS(0.40986841917037964, amp(step, 63));
    }
}

TEST_F(SequencerRender, SlideGlidesIntoTheNextNoteWithoutAttackOrDecay) {
    seq.steps[0] = {60, SequencerStep::Slide};
    seq.steps[1] = {72, 0};
    seq.render();
    EXPECT_TRUE(test::sameFloatRange(seq.frequencyCurve.data(), 0, 63, 261.6255798339844));
    EXPECT_FLOAT_BITS(0.0, amp(0, 0));
    EXPECT_FLOAT_BITS(0.3125, amp(0, 1));
    EXPECT_FLOAT_BITS(0.625, amp(0, 2));
    EXPECT_FLOAT_BITS(0.9375, amp(0, 3));
    EXPECT_TRUE(test::sameFloatRange(seq.amplitudeCurve.data(), 4, 63, 1.0));

    EXPECT_FLOAT_BITS(261.6255798339844, freq(1, 0));
    EXPECT_FLOAT_BITS(265.7134704589844, freq(1, 1));
    EXPECT_FLOAT_BITS(269.8013610839844, freq(1, 2));
    EXPECT_FLOAT_BITS(519.1632690429688, freq(1, 63));
    EXPECT_FLOAT_BITS(1.0, amp(1, 0));
    EXPECT_FLOAT_BITS(0.9906250238418579, amp(1, 1));
    EXPECT_FLOAT_BITS(0.981249988079071, amp(1, 2));
    EXPECT_FLOAT_BITS(0.40937501192092896, amp(1, 63));

    EXPECT_TRUE(test::sameFloatRange(seq.frequencyCurve.data(), 128, 191, 0.0));
    EXPECT_TRUE(test::sameFloatRange(seq.amplitudeCurve.data(), 128, 191, 0.0));
}

TEST_F(SequencerRender, SlideFromARestGlidesFromAnOctaveBelowAndKeepsTheAttack) {
    seq.steps[2] = {0, SequencerStep::Slide};
    seq.steps[3] = {69, 0};
    seq.render();
    EXPECT_FLOAT_BITS(220.0, freq(3, 0));
    EXPECT_FLOAT_BITS(223.4375, freq(3, 1));
    EXPECT_FLOAT_BITS(226.875, freq(3, 2));
    EXPECT_FLOAT_BITS(436.5625, freq(3, 63));
    EXPECT_FLOAT_BITS(0.0, amp(3, 0));
    EXPECT_FLOAT_BITS(0.3125, amp(3, 1));
    EXPECT_FLOAT_BITS(0.625, amp(3, 2));
}

TEST_F(SequencerRender, LastStepSlidesIntoTheFirstButTheFirstNeverGlides) {
    seq.steps[15] = {60, SequencerStep::Slide};
    seq.steps[0] = {72, 0};
    seq.render();
    EXPECT_TRUE(test::sameFloatRange(seq.amplitudeCurve.data(), 15 * 64 + 4, 15 * 64 + 63, 1.0));
    EXPECT_TRUE(test::sameFloatRange(seq.frequencyCurve.data(), 0, 63, 523.2511596679688));
    EXPECT_FLOAT_BITS(0.0, amp(0, 0));
    EXPECT_FLOAT_BITS(0.3125, amp(0, 1));
}

TEST_F(SequencerRender, NoteEnvelopeExtremes) {
    seq.steps[0].note = 69;
    seq.attack = 0;
    seq.decay = 0;
    seq.render();
    EXPECT_TRUE(test::sameFloatRange(seq.amplitudeCurve.data(), 0, 63, 1.0));

    seq.attack = 100; // the whole step is the rise t
    seq.render();
    for (int k : {0, 1, 2, 63}) {
        EXPECT_FLOAT_BITS(k / 64.0, amp(0, k)) << "k " << k;
    }

    seq.attack = 5;
    seq.decay = 200; // only from a hand-made file: the decay heads below zero
    seq.render();
    EXPECT_FLOAT_BITS(0.019736841320991516, amp(0, 33));
    EXPECT_FLOAT_BITS(-0.01315789483487606, amp(0, 34));
    EXPECT_FLOAT_BITS(-0.9671052694320679, amp(0, 63));
}

TEST(SequencerOff, DisabledOrEmptyWritesNothing) {
    for (std::uint8_t length : {std::uint8_t{0}, std::uint8_t{4}}) {
        Patch patch;
        patch.length = length;
        Sequencer& seq = *patch.sequencer;
        seq.enabled = length == 0 ? 1 : 0;
        seq.steps[0].note = 69;
        std::fill(seq.frequencyCurve.begin(), seq.frequencyCurve.end(), 3.0f);
        std::fill(seq.amplitudeCurve.begin(), seq.amplitudeCurve.end(), 3.0f);
        seq.render();
        EXPECT_EQ(std::count(seq.frequencyCurve.begin(), seq.frequencyCurve.end(), 3.0f),
                  MaxSamples);
        EXPECT_EQ(std::count(seq.amplitudeCurve.begin(), seq.amplitudeCurve.end(), 3.0f),
                  MaxSamples);
    }
}

TEST(SequencerSource, OffersItsFrequencyCurveToModulation) {
    Patch patch;
    patch.length = 1;
    patch.sequencer->enabled = 1;
    patch.sequencer->steps[0].note = 69;
    patch.sequencer->render();
    EXPECT_EQ(patch.modulate(0.5f, 16, 10), 220.0);
}

} // namespace
} // namespace kilosynth
