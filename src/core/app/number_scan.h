#pragma once

#include <optional>
#include <string_view>

namespace velmarin {

// Number reading in the manner of scanf's %d and %lf with "." as the decimal
// point, whatever the process locale is (the Qt application adopts the
// user's locale, which may use a decimal comma).

// %d: skips leading white space, reads an optional sign and at least one
// digit. On success advances `text` past the number and returns it; values
// beyond the int range saturate. On failure returns nothing and leaves
// `text` unchanged.
std::optional<int> ScanInt(std::string_view& text);

// %lf: skips leading white space and reads a decimal or hexadecimal number
// (with optional sign and exponent). Non-finite results (inf, nan, overflow)
// count as failure. Advances `text` as ScanInt does.
std::optional<double> ScanDouble(std::string_view& text);

// The whole of `token` as a finite number (no surrounding blanks), or nothing.
std::optional<double> ParseWholeDouble(std::string_view token);
// The whole of `token` as an int with optional sign (no surrounding blanks,
// in range), or nothing.
std::optional<int> ParseWholeInt(std::string_view token);

}  // namespace velmarin
