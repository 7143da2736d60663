#include "engine/Patch.h"
#include "tests/support/FloatBits.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace kilosynth {
namespace {

// Envelope 1 of a fresh Patch, switched on, with the given length.
class EnvelopeRender : public ::testing::Test {
protected:
    Envelope& envelope(std::uint8_t length) {
        patch.length = length;
        Envelope& env = *patch.envelopes[0];
        env.enabled = 1;
        return env;
    }

    Patch patch;
};

struct Expected {
    int index;
    double value;
};

void expectSamples(const Envelope& env, const std::vector<Expected>& expected) {
    for (const auto& e : expected) {
        SCOPED_TRACE(::testing::Message() << "sample " << e.index);
        EXPECT_FLOAT_BITS(e.value, env.buffer[static_cast<std::size_t>(e.index)]);
    }
}

void expectRange(const Envelope& env, int from, int to, double value) {
    EXPECT_TRUE(test::sameFloatRange(env.buffer.data(), from, to, value));
}

TEST_F(EnvelopeRender, AccumulatorIsDoubleAndStepIsFloat) {
    Envelope& env = envelope(1);
    env.attack = 1;
    env.decay = 0;
    env.release = 0;
    env.amp = 255;
    env.basePoint = 0;
    env.render();
    // A float accumulator would leave 0.0 at the release sample (6) instead.
    expectSamples(env, {{0, 0.0},
                        {1, 0.20000000298023224},
                        {2, 0.4000000059604645},
                        {3, 0.6000000238418579},
                        {4, 0.800000011920929},
                        {5, 1.0},
                        {6, 1.4901161193847656e-08}});
    expectRange(env, 7, 1023, 0.0);
}

TEST_F(EnvelopeRender, DefaultsAtLengthOne) {
    Envelope& env = envelope(1);
    env.render();
    expectSamples(env, {{0, 0.003921568859368563},
                        {1, 1.0},
                        {1022, 2.561137080192566e-08},
                        {1023, 0.003921568859368563}});
    // The decay falls steadily from the peak towards 0.
    for (int i = 2; i <= 1021; ++i) {
        ASSERT_LT(env.buffer[static_cast<std::size_t>(i)],
                  env.buffer[static_cast<std::size_t>(i - 1)])
            << "sample " << i;
    }
}

TEST_F(EnvelopeRender, DefaultsAtFullLength) {
    Envelope& env = envelope(MaxLength);
    env.render();
    EXPECT_FLOAT_BITS(1.0, env.buffer[1]);
    EXPECT_GT(env.buffer[38761], env.buffer[38762]); // last decay sample, then the release
    EXPECT_LT(env.buffer[38762], 1e-6f);
    EXPECT_FLOAT_BITS(0.003921568859368563, env.buffer[38763]);
    EXPECT_FLOAT_BITS(0.003921568859368563, env.buffer[MaxSamples - 1]);
}

TEST_F(EnvelopeRender, DelayHoldAndSustainSegments) {
    Envelope& env = envelope(2);
    env.delay = 10;
    env.hold = 10;
    env.sustain = 10;
    env.amp = 100;
    env.level = 128;
    env.decay = 0;
    env.basePoint = 0;
    env.render();
    expectRange(env, 0, 80, 0.0);
    expectRange(env, 81, 161, 0.3921568989753723);
    expectRange(env, 162, 242, 0.501960813999176);
    expectRange(env, 243, 2047, 0.0);
}

TEST_F(EnvelopeRender, PeakIsLimitedToOneAboveTheBase) {
    Envelope& env = envelope(1);
    env.basePoint = 200;
    env.amp = 100;
    env.decay = 0;
    env.render();
    expectSamples(env, {{0, 0.7843137979507446}, {1, 1.0}, {2, 0.0}});
    expectRange(env, 3, 1023, 0.7843137979507446);
}

TEST_F(EnvelopeRender, FullDelayFillsTheWholeBufferWithTheBase) {
    Envelope& env = envelope(3);
    env.delay = 255;
    env.basePoint = 51;
    env.render();
    expectRange(env, 0, 3 * 1024 - 1, 51 * double{ByteScale});
}

TEST_F(EnvelopeRender, SustainBelowTheBaseDipsAndReturns) {
    Envelope& env = envelope(1);
    env.basePoint = 128;
    env.level = 10;
    env.amp = 50;
    env.decay = 4;
    env.sustain = 20;
    env.release = 4;
    env.render();
    // Attack at 0, decay 1..17, sustain 18..97, release 98..114, then the base.
    const float base = env.buffer[0];
    EXPECT_NEAR(env.buffer[50], 10 * double{ByteScale}, 1e-6);
    EXPECT_LT(env.buffer[50], base);
    for (int i = 99; i <= 114; ++i) {
        EXPECT_GT(env.buffer[static_cast<std::size_t>(i)],
                  env.buffer[static_cast<std::size_t>(i - 1)]);
    }
    EXPECT_TRUE(test::sameFloatRange(env.buffer.data(), 115, 1023, 128 * double{ByteScale}));
}

TEST(EnvelopeOff, DisabledOrEmptyRenderWritesNothing) {
    for (std::uint8_t length : {std::uint8_t{0}, std::uint8_t{1}}) {
        Patch patch;
        patch.length = length;
        Envelope& env = *patch.envelopes[2];
        env.enabled = length == 0 ? 1 : 0; // length 0 on, or off at length 1
        std::fill(env.buffer.begin(), env.buffer.end(), 0.25f);
        env.render();
        EXPECT_EQ(std::count(env.buffer.begin(), env.buffer.end(), 0.25f), MaxSamples)
            << "length " << int{length};
    }
}

} // namespace
} // namespace kilosynth
