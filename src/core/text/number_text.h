#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmarin {

// Every number the program writes or reads outside the settings file goes
// through here, with "." as the decimal point whatever the process locale
// (the Qt application adopts the user's, which may use a decimal comma).

// printf's "%.<decimals>f" in the "C" locale.
std::string FixedNumber(double value, int decimals);
// printf's "%+.<decimals>f" in the "C" locale.
std::string SignedFixedNumber(double value, int decimals);

// A decimal number at the very start of a text: [sign] digits [. digits]
// [e [sign] digits], at least one digit before the exponent, longest such
// prefix. No hexadecimal forms, no "inf" or "nan": people type decimals.
// A number too large for a double reads as an infinity of its sign, one too
// small as a zero of its sign.
struct DecimalPrefix {
    double value = 0.0;
    std::size_t length = 0;  // characters read
};
std::optional<DecimalPrefix> ReadDecimalPrefix(std::string_view text);

// A whole number at the very start of a text: [sign] digits. Values beyond
// the range of long long saturate.
struct IntegerPrefix {
    long long value = 0;
    std::size_t length = 0;
};
std::optional<IntegerPrefix> ReadIntegerPrefix(std::string_view text);

// The whole of `token` as a finite decimal number, or nothing.
std::optional<double> ParseWholeDouble(std::string_view token);
// The whole of `token` as an int with optional sign (in range), or nothing.
std::optional<int> ParseWholeInt(std::string_view token);

}  // namespace velmarin
