#pragma once

#include <cstdint>

namespace kilosynth {

// The engine's one clamp rule: above 1 becomes 1; anything not >= -1 (NaN
// included) becomes -1. Written with these exact comparisons so NaN ends at -1.
inline double clampUnit(double v) {
    if (v > 1.0) {
        return 1.0;
    }
    if (!(v >= -1.0)) {
        return -1.0;
    }
    return v;
}

// A MixBuffer value as a 16-bit sample: clamped, scaled by 32767.5 and
// truncated toward zero, so 1.0 gives 32767, -1.0 gives -32767 and -32768
// never occurs. Always in range, so the conversion is always defined.
inline std::int16_t sampleFromMix(float value) {
    return static_cast<std::int16_t>(clampUnit(value) * 32767.5);
}

} // namespace kilosynth
