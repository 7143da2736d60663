#pragma once

#include <climits>
#include <cmath>

namespace kilosynth {

// A value truncated toward zero to an int, defined for every input: NaN gives
// 0 and values beyond the int range saturate. Fields loaded from a file may
// hold any float, so nothing shown on screen may convert them blindly.
inline int truncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

} // namespace kilosynth
