#pragma once

#include <cmath>

namespace velmarin {

// Device coordinates stay within this bound, so that the sum or difference of
// two of them, or a shift by a whole page, never overflows an int.
inline constexpr int kCoordinateLimit = 1 << 28;

// Truncation toward zero, as the chart's integer arithmetic does, kept within
// +-kCoordinateLimit (NaN gives 0): far-off or non-finite values cannot turn
// into undefined conversions.
inline int TruncToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= kCoordinateLimit) return kCoordinateLimit;
    if (value <= -kCoordinateLimit) return -kCoordinateLimit;
    return static_cast<int>(value);
}

}  // namespace velmarin
