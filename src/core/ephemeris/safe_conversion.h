#pragma once

#include <cfloat>
#include <cmath>

namespace velmarin {

// Truncates toward zero into an int, saturating at the int range; NaN gives 0.
// Use wherever a double that may be huge or NaN becomes an int.
inline int SaturatingInt(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return 2147483647;
    if (x <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(x);
}

// Rounds a double once to single precision and back. Values beyond the float
// range become +-infinity (a plain conversion would be undefined there).
inline double RoundToFloat(double x) {
    if (x > static_cast<double>(FLT_MAX)) return HUGE_VAL;
    if (x < -static_cast<double>(FLT_MAX)) return -HUGE_VAL;
    return static_cast<double>(static_cast<float>(x));
}

}  // namespace velmarin
