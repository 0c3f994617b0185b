#pragma once

#include <optional>
#include <string_view>

namespace velmarin {

// The settings file's number reading, in the manner of scanf's %d and %lf
// with "." as the decimal point whatever the process locale is. Everything
// else reads numbers with core/text/number_text.h.

// %d: skips leading white space, reads an optional sign and at least one
// digit. On success advances `text` past the number and returns it; values
// beyond the int range saturate. On failure returns nothing and leaves
// `text` unchanged.
std::optional<int> ScanInt(std::string_view& text);

// %lf: skips leading white space and reads a decimal or hexadecimal number
// (with optional sign and exponent). Non-finite results (inf, nan, overflow)
// count as failure. Advances `text` as ScanInt does.
std::optional<double> ScanDouble(std::string_view& text);

}  // namespace velmarin
