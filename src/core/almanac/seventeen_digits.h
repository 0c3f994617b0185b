#pragma once

#include <string>

namespace velmarin {

// Appends value as printf's "%.17g" writes it in the C locale, and returns
// true, for the values a year's output is made of: zero and magnitudes from
// 1e-4 to below 1e17 (Julian Days, hours, degrees). Appends nothing and
// returns false for every other value. The digits come from the exact
// binary value in 128-bit integers, rounded half to even as printf rounds;
// the general formatter spends most of a long JSON output's time on them.
bool AppendSeventeenDigits(std::string& out, double value);

}  // namespace velmarin
