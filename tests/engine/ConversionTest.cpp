#include "engine/Conversion.h"

#include "tests/support/CaseName.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace kilosynth {
namespace {

struct ConversionCase {
    const char* name;
    float mix;
    std::int16_t sample;

    friend void PrintTo(const ConversionCase& c, std::ostream* os) { *os << c.name; }
};

class SampleFromMix : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(SampleFromMix, TruncatesTowardZeroWithinSymmetricRange) {
    EXPECT_EQ(sampleFromMix(GetParam().mix), GetParam().sample);
}

constexpr float Nan = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Edges, SampleFromMix,
    ::testing::Values(
        ConversionCase{"one", 1.0f, 32767}, ConversionCase{"minusOne", -1.0f, -32767},
        ConversionCase{"half", 0.5f, 16383}, ConversionCase{"minusHalf", -0.5f, -16383},
        // Strictly inside +-1/32767.5 everything becomes 0.
        ConversionCase{"justBelowOneStep", 0.99f / 32767.5f, 0},
        ConversionCase{"justAboveMinusOneStep", -0.99f / 32767.5f, 0},
        ConversionCase{"oneStep", 1.0f / 32767.0f, 1}, ConversionCase{"nan", Nan, -32767},
        ConversionCase{"above", 3.0f, 32767}, ConversionCase{"below", -3.0f, -32767},
        ConversionCase{"infinity", Inf, 32767}, ConversionCase{"minusInfinity", -Inf, -32767}),
    test::CaseName{});

TEST(ClampUnit, NanBecomesMinusOneAndRangeIsKept) {
    EXPECT_EQ(clampUnit(std::nan("")), -1.0);
    EXPECT_EQ(clampUnit(1.0000001), 1.0);
    EXPECT_EQ(clampUnit(-1.0000001), -1.0);
    EXPECT_EQ(clampUnit(-1.0), -1.0);
    EXPECT_EQ(clampUnit(0.25), 0.25);
}

} // namespace
} // namespace kilosynth
