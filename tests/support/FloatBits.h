#pragma once

#include <bit>
#include <cstdint>
#include <gtest/gtest.h>

namespace kilosynth::test {

inline std::uint32_t bitsOf(float v) { return std::bit_cast<std::uint32_t>(v); }

// Compares a float bit for bit with the float nearest a decimal literal, and
// shows both values when they differ.
inline ::testing::AssertionResult sameFloat(double expected, float actual) {
    const auto want = static_cast<float>(expected);
    if (bitsOf(want) == bitsOf(actual)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "expected " << std::hexfloat << want << " (" << std::defaultfloat
           << static_cast<double>(want) << "), got " << std::hexfloat << actual << " ("
           << std::defaultfloat << static_cast<double>(actual) << ")";
}

} // namespace kilosynth::test

#define EXPECT_FLOAT_BITS(expected, actual)                                                        \
    EXPECT_TRUE(::kilosynth::test::sameFloat((expected), (actual)))
