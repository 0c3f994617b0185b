#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmarin {

// Reads a whole number at the start of text in the manner of atoi: leading
// white space, one sign, then digits up to the first non-digit; no digits
// gives 0. The result is held within kMinYear .. kMaxYear (so no text can
// overflow it).
int ReadLeadingInteger(std::string_view text);

// Reads a decimal number at the start of text in the manner of atof: leading
// white space, then the longest prefix of the form [sign] digits [. digits]
// [e [sign] digits] with at least one digit before the exponent; no such
// prefix gives 0. "." is the decimal point whatever the process locale.
// Too large a number gives an infinity of its sign.
double ReadLeadingDecimal(std::string_view text);

// The year prompt's answer: Empty for an empty text (nothing changes);
// Year with the text read by ReadLeadingInteger when it starts, after white
// space, with a number ("2030", "-44 BC", "20.5" reads 20); NotAYear when no
// number starts it ("abc", blanks only, "+-7"), which the prompt refuses
// instead of taking it for year 0.
struct YearPromptAnswer {
    enum class Kind { Empty, Year, NotAYear };
    Kind kind = Kind::Empty;
    int year = 0;  // for Kind::Year
};
YearPromptAnswer ParseYearPrompt(std::string_view text);

struct LocationDegrees {
    double latitude = 0.0;   // degrees, -90 .. 90
    double longitude = 0.0;  // degrees, -180 .. 180
};

// The location prompt's answer "Breite Länge": decimal commas count as
// points; the latitude is the number at the start, the longitude the number
// that follows the first blank (a tab is no blank); each is clamped to its
// range. Nothing for an empty text, for a text without a blank and for one
// that starts with a blank.
std::optional<LocationDegrees> ParseLocationPrompt(std::string_view text);

// The prompt's initial text: latitude and longitude (radians) in degrees,
// "%.2lf %.2lf" with "." as the decimal point.
std::string FormatLocationPrompt(double latitude, double longitude);

}  // namespace velmarin
