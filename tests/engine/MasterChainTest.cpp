#include "engine/MasterChain.h"

#include "engine/Patch.h"
#include "tests/support/CaseName.h"
#include "tests/support/FloatBits.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace kilosynth {
namespace {

struct Point {
    int index;
    double value;
};

// One run of the chain over a mix of silence with a few given values.
struct ChainCase {
    const char* name;
    std::function<void(Patch&)> setup;
    std::vector<Point> input;
    std::vector<Point> expected;

    friend void PrintTo(const ChainCase& c, std::ostream* os) { *os << c.name; }
};

std::vector<float> runChain(const ChainCase& c, std::uint8_t length = 4) {
    Patch patch;
    patch.length = length;
    c.setup(patch);
    std::fill(patch.mix.begin(), patch.mix.end(), 0.0f);
    for (const Point& p : c.input) {
        patch.mix[static_cast<std::size_t>(p.index)] = static_cast<float>(p.value);
    }
    MasterChain chain;
    chain.run(patch);
    return patch.mix;
}

class ChainExamples : public ::testing::TestWithParam<ChainCase> {};

TEST_P(ChainExamples, ProducesTheExactSamples) {
    const std::vector<float> mix = runChain(GetParam(), MaxLength);
    for (const Point& p : GetParam().expected) {
        EXPECT_FLOAT_BITS(p.value, mix[static_cast<std::size_t>(p.index)]) << "index " << p.index;
    }
}

void nothing(Patch&) {}

INSTANTIATE_TEST_SUITE_P(
    Stages, ChainExamples,
    ::testing::Values(
        ChainCase{"defaultsPassThroughButZeroTheFirstSample", nothing,
                  {{0, 0.5}, {1, 0.3}, {2, -0.7}, {3, 1.0}, {4, -1.0}, {5, std::ldexp(1.0, -29)}},
                  {{0, 0.0}, {1, 0.3}, {2, -0.7}, {3, 1.0}, {4, -1.0}, {5, std::ldexp(1.0, -29)}}},
        ChainCase{"limitGainOfEleven", [](Patch& p) { p.limit = 255; },
                  {{1, 0.05}, {2, 0.1}, {3, -0.05}, {4, -0.2}},
                  {{1, 0.5500000715255737}, {2, 1.0}, {3, -0.5500000715255737}, {4, -1.0}}},
        // A wrap factor of 21 folds along a triangle of period 4.
        ChainCase{"wrapOfTwentyFolds", [](Patch& p) { p.wrap = 255; },
                  {{1, 0.1}, {2, 0.05}, {3, 0.5}, {4, 0.25}, {5, -0.25}, {6, 1.0}, {7, -1.0}},
                  {{1, -0.10000003129243851},
                   {2, 0.949999988079071},
                   {3, -0.5},
                   {4, 0.75},
                   {5, -0.75},
                   {6, 1.0},
                   {7, -1.0}}},
        ChainCase{"fullCutoffSilences", [](Patch& p) { p.cutoff = 255; },
                  {{1, 0.9}, {2, -0.4}, {3, 1.0}},
                  {{1, 0.0}, {2, 0.0}, {3, 0.0}}},
        ChainCase{"cutoffSmooths", [](Patch& p) { p.cutoff = 64; },
                  {{0, 0.3}, {1, 1.0}, {2, 1.0}, {3, 1.0}, {4, 1.0}},
                  {{0, 0.0},
                   {1, 0.4990205764770508},
                   {2, 0.7490196228027344},
                   {3, 0.8742640018463135},
                   {4, 0.9370088577270508}}},
        ChainCase{"resonanceRingsFromAnImpulse", [](Patch& p) { p.effects = Patch::ResonanceOn; },
                  {{5, 1.0}},
                  {{0, 0.0}, {4, 0.0}, {5, 0.00020299026800785214}, {6, 0.00040225189877673984}}},
        ChainCase{"resonanceAtZeroFrequencyTurnsToMinusOne",
                  [](Patch& p) {
                      p.effects = Patch::ResonanceOn;
                      p.resonanceFreq = 0.0f;
                  },
                  {{3, 0.5}},
                  {{0, 0.0}, {1, -1.0}, {2, -1.0}, {500, -1.0}, {MaxSamples - 1, -1.0}}},
        ChainCase{"resonanceAtZeroResoTurnsToMinusOne",
                  [](Patch& p) {
                      p.effects = Patch::ResonanceOn;
                      p.reso = 0;
                  },
                  {},
                  {{0, 0.0}, {1, -1.0}, {MaxSamples - 1, -1.0}}},
        ChainCase{"delayEchoes", [](Patch& p) { p.effects = Patch::DelayOn; },
                  {{5, 0.5}},
                  {{5, 0.5}, {6, 0.0}, {5006, 0.1568627506494522}, {10007, 0.04921184480190277}}},
        ChainCase{"delayOfOneSampleAtFullFeedbackHolds",
                  [](Patch& p) {
                      p.effects = Patch::DelayOn;
                      p.delayTime = 0;
                      p.delayLevel = 255;
                  },
                  {{7, 1.0}},
                  {{6, 0.0}, {7, 1.0}, {8, 1.0}, {9000, 1.0}, {MaxSamples - 1, 1.0}}},
        ChainCase{"flangerFixedTapHalves",
                  [](Patch& p) {
                      p.effects = Patch::FlangerOn;
                      p.flangerDelay = 4;
                  },
                  {{10, 1.0}},
                  {{9, 0.0}, {10, 0.5}, {11, 0.25}, {12, 0.125}, {13, 0.0625}}},
        ChainCase{"flangerWithoutDepthChangesNothing",
                  [](Patch& p) {
                      p.effects = Patch::FlangerOn;
                      p.flangerRate = 200;
                  },
                  {{1, 0.5}, {2, -0.25}, {MaxSamples - 1, 0.75}},
                  {{1, 0.5}, {2, -0.25}, {MaxSamples - 1, 0.75}}},
        ChainCase{"flangerNeverTouchesTheLastSample",
                  [](Patch& p) {
                      p.effects = Patch::FlangerOn;
                      p.flangerDelay = 255;
                      p.flangerRate = 255;
                  },
                  {{MaxSamples - 2, 0.5}, {MaxSamples - 1, 0.75}},
                  {{MaxSamples - 1, 0.75}}},
        ChainCase{"volumeZeroSilences", [](Patch& p) { p.volume = 0; },
                  {{1, 0.5}, {2, -1.0}},
                  {{1, 0.0}, {2, -0.0}}},
        ChainCase{"volumeDoublesAndClamps", [](Patch& p) { p.volume = 255; },
                  {{1, 0.25}, {2, 0.75}, {3, -0.75}},
                  {{1, 0.25 * double{2.007874011993408f}}, {2, 1.0}, {3, -1.0}}}),
    test::CaseName{});

TEST(MasterChain, RunsNothingButTheFirstSampleAtLengthZero) {
    const ChainCase c{"", [](Patch& p) { p.effects = 7; }, {{0, 0.5}, {1, 0.5}}, {}};
    const std::vector<float> mix = runChain(c, 0);
    EXPECT_EQ(mix[0], 0.0f);
    EXPECT_EQ(mix[1], 0.5f);
}

TEST(MasterChain, StartsFromSilenceAtEveryRun) {
    Patch patch;
    patch.effects = Patch::ResonanceOn | Patch::DelayOn | Patch::FlangerOn;
    patch.flangerDelay = 30;
    patch.flangerRate = 40;
    std::vector<float> input(MaxSamples);
    for (std::size_t i = 0; i < input.size(); ++i) {
        input[i] = static_cast<float>(std::sin(double(i) * 0.01) * 0.8);
    }
    MasterChain chain;
    patch.mix = input;
    chain.run(patch);
    const std::vector<float> first = patch.mix;
    patch.mix = input;
    chain.run(patch);
    EXPECT_EQ(patch.mix, first);
}

TEST(MasterChain, OutputStaysWithinUnitRangeForExtremeSettings) {
    Patch patch;
    patch.effects = 7;
    patch.limit = 255;
    patch.wrap = 255;
    patch.reso = 255;
    patch.resonanceFreq = 32767.0f;
    patch.delayTime = 0;
    patch.delayLevel = 255;
    patch.flangerDelay = 255;
    patch.flangerRate = 255;
    patch.volume = 255;
    for (std::size_t i = 0; i < patch.mix.size(); ++i) {
        patch.mix[i] = (i % 3 == 0) ? 1.0f : -0.6f;
    }
    MasterChain chain;
    chain.run(patch);
    for (float v : patch.mix) {
        ASSERT_TRUE(v >= -1.0f && v <= 1.0f) << v;
    }
}

} // namespace
} // namespace kilosynth
