#pragma once

#include <cstdint>

namespace kilosynth {

// The noise generator shared by every Oscillator: a linear congruential
// generator whose draws are bits 16..30 of the state. Every enabled Oscillator
// render resets it, so each Noise oscillator draws the same sequence in every
// render whatever the render order. The state is per thread so that separate
// Patches may render on separate threads; within one thread it is shared.
class Noise {
public:
    static void reset() { state = 0; }

    // Advances the state and returns a value from 0 to 32767.
    static std::uint32_t draw() {
        state = state * 214013u + 2531011u;
        return (state >> 16) & 0x7FFFu;
    }

    static std::uint32_t current() { return state; }

private:
    static thread_local std::uint32_t state;
};

} // namespace kilosynth
