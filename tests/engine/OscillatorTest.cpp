#include "engine/Noise.h"
#include "engine/Patch.h"
#include "tests/support/CaseName.h"
#include "tests/support/FloatBits.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace kilosynth {
namespace {

using WaveType = Oscillator::WaveType;

std::uint8_t typeFlags(WaveType type, std::uint8_t extra = 0) {
    return static_cast<std::uint8_t>(static_cast<std::uint8_t>(type) | extra);
}

// Oscillator 1 of a fresh Patch at length 1, switched on.
class OscillatorRender : public ::testing::Test {
protected:
    OscillatorRender() {
        patch.length = 1;
        osc.enabled = 1;
    }

    Patch patch;
    Oscillator& osc = *patch.oscillators[0];
};

TEST(NoiseGenerator, FirstDrawsAfterAReset) {
    Noise::reset();
    for (std::uint32_t expected : {38u, 7719u, 21238u, 2437u, 8855u, 11797u, 8365u, 32285u}) {
        EXPECT_EQ(Noise::draw(), expected);
    }
}

TEST_F(OscillatorRender, NoiseSamplesAreTheSameInEveryRenderAndOscillator) {
    Oscillator& other = *patch.oscillators[5];
    for (Oscillator* o : {&osc, &other}) {
        o->enabled = 1;
        o->flags = typeFlags(WaveType::Noise);
    }
    for (int pass = 0; pass < 2; ++pass) {
        patch.render();
        for (Oscillator* o : {&osc, &other}) {
            EXPECT_FLOAT_BITS(-0.9859432578086853, o->buffer[0]);
            EXPECT_FLOAT_BITS(-0.52263343334198, o->buffer[1]);
            EXPECT_FLOAT_BITS(0.2928183078765869, o->buffer[2]);
            EXPECT_FLOAT_BITS(-0.8412380814552307, o->buffer[3]);
        }
    }
}

struct StartCase {
    const char* name;
    WaveType type;
    double first; // at amplitude 252 (0.988235354423523), phase 0

    friend void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }
};

class WaveStart : public OscillatorRender, public ::testing::WithParamInterface<StartCase> {};

TEST_P(WaveStart, FirstSampleAtPhaseZero) {
    osc.flags = typeFlags(GetParam().type);
    osc.frequency = 440.0f;
    osc.render();
    EXPECT_FLOAT_BITS(GetParam().first, osc.buffer[0]);
}

INSTANTIATE_TEST_SUITE_P(Types, WaveStart,
                         ::testing::Values(StartCase{"sine", WaveType::Sine, 0.0},
                                           StartCase{"square", WaveType::Square, 0.988235354423523},
                                           StartCase{"saw", WaveType::Saw, -0.988235354423523},
                                           StartCase{"triangle", WaveType::Triangle, 0.0}),
                         test::CaseName{});

TEST_F(OscillatorRender, SineFollowsThePhaseCounter) {
    osc.frequency = 441.0f;
    osc.amplitude = 255; // scales to exactly 1.0
    osc.render();
    // phase counts samples; each sample is sin(phase * 2pi / (rate / freq)).
    const double period = 44100.0 / 441.0;
    for (int i : {1, 2, 37, 99, 100, 101, 1023}) {
        const double phase = std::fmod(double(i), period);
        EXPECT_FLOAT_BITS(static_cast<float>(std::sin((phase * TwoPi) / period)),
                          osc.buffer[static_cast<std::size_t>(i)])
            << "sample " << i;
    }
}

TEST_F(OscillatorRender, InvertNegatesAndModulatorShiftsIntoZeroToOne) {
    osc.flags = typeFlags(WaveType::Saw);
    osc.frequency = 300.0f;
    osc.render();
    const std::vector<float> plain(osc.buffer.begin(), osc.buffer.begin() + 1024);

    osc.flags = typeFlags(WaveType::Saw, Oscillator::Invert | Oscillator::Modulator);
    osc.render();
    for (int i : {0, 1, 50, 1023}) {
        const auto at = static_cast<std::size_t>(i);
        EXPECT_EQ(test::bitsOf(osc.buffer[at]), test::bitsOf(-plain[at]));
        EXPECT_EQ(osc.sampleAt(i), (1.0 - double{plain[at]}) * 0.5);
    }
}

TEST_F(OscillatorRender, ZeroFrequencyNeverWraps) {
    struct Case {
        WaveType type;
        double value;
    };
    for (const Case c : {Case{WaveType::Sine, 0.0}, Case{WaveType::Square, 0.988235354423523},
                         Case{WaveType::Saw, -0.988235354423523}}) {
        osc.flags = typeFlags(c.type);
        osc.frequency = 0.0f;
        osc.render();
        EXPECT_TRUE(test::sameFloatRange(osc.buffer.data(), 0, 1023, c.value))
            << "type " << int(c.type);
    }
}

TEST_F(OscillatorRender, NegativeFrequencyRunsBackwardsAndSawDropsBelowMinusAmp) {
    osc.frequency = -441.0f;
    osc.amplitude = 255;
    osc.render();
    EXPECT_LT(osc.buffer[25], 0.0f); // a quarter period in, the sine is at its trough

    osc.flags = typeFlags(WaveType::Saw);
    osc.render();
    const auto [lo, hi] = std::minmax_element(osc.buffer.begin(), osc.buffer.begin() + 1024);
    EXPECT_GE(*lo, -3.0f);
    EXPECT_LE(*hi, -1.0f);
    EXPECT_LT(*lo, -2.5f); // the counter is never wrapped, so the remainder runs negative
}

TEST_F(OscillatorRender, TypesOutsideTheListAreSilentWithTheSignFactor) {
    for (std::uint8_t type : {std::uint8_t{0}, std::uint8_t{6}, std::uint8_t{31}}) {
        osc.flags = static_cast<std::uint8_t>(type | Oscillator::Invert);
        std::fill(osc.buffer.begin(), osc.buffer.end(), 0.5f);
        osc.render();
        EXPECT_TRUE(test::sameFloatRange(osc.buffer.data(), 0, 1023, -0.0)) << "type " << int{type};
        EXPECT_EQ(osc.buffer[1024], 0.5f); // beyond the length nothing is written
    }
}

TEST_F(OscillatorRender, DisabledWritesNothingAndLeavesTheNoiseAlone) {
    osc.enabled = 0;
    osc.flags = typeFlags(WaveType::Noise);
    std::fill(osc.buffer.begin(), osc.buffer.end(), 0.5f);
    Noise::reset();
    Noise::draw();
    const std::uint32_t state = Noise::current();
    osc.render();
    EXPECT_EQ(Noise::current(), state);
    EXPECT_EQ(std::count(osc.buffer.begin(), osc.buffer.end(), 0.5f), MaxSamples);
}

TEST_F(OscillatorRender, LengthZeroWritesNothingButResetsTheNoise) {
    patch.length = 0;
    std::fill(osc.buffer.begin(), osc.buffer.end(), 0.5f);
    Noise::draw();
    osc.render();
    EXPECT_EQ(Noise::current(), 0u);
    EXPECT_EQ(std::count(osc.buffer.begin(), osc.buffer.end(), 0.5f), MaxSamples);
}

TEST_F(OscillatorRender, SequencedPlaysTheCurvesOfTheSequencer) {
    Sequencer& seq = *patch.sequencer;
    seq.enabled = 1;
    seq.steps[0].note = 69;
    seq.steps[1].note = 0; // a rest
    seq.render();
    osc.flags = typeFlags(WaveType::Square, Oscillator::Sequenced);
    osc.frequency = 10.0f; // tenths: 10 plays the note itself
    osc.amplitude = 255;
    osc.render();
    // Step 0, sample 4: amplitude 0.99210524559021 from the note envelope.
    EXPECT_FLOAT_BITS(0.99210524559021, osc.buffer[4]);
    // The rest (samples 64..127) has amplitude 0.
    EXPECT_TRUE(test::sameFloatRange(osc.buffer.data(), 64, 127, 0.0));
}

} // namespace
} // namespace kilosynth
