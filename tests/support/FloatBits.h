#pragma once

#include <bit>
#include <cstdint>
#include <gtest/gtest.h>
#include <ios>

namespace kilosynth::test {

inline std::uint32_t bitsOf(float v) {
    return std::bit_cast<std::uint32_t>(v);
}

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

// Checks that data[from..to] all hold the float nearest `expected`; reports the
// first sample that differs instead of one failure per sample.
inline ::testing::AssertionResult sameFloatRange(const float* data, int from, int to,
                                                 double expected) {
    for (int i = from; i <= to; ++i) {
        auto one = sameFloat(expected, data[i]);
        if (!one) {
            return ::testing::AssertionFailure() << "at index " << i << ": " << one.message();
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace kilosynth::test

#define EXPECT_FLOAT_BITS(expected, actual)                                                        \
    EXPECT_TRUE(::kilosynth::test::sameFloat((expected), (actual)))
