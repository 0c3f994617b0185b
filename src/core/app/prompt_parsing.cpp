#include "core/app/prompt_parsing.h"

#include <algorithm>

#include "core/app/command_rules.h"
#include "core/chart/chart_settings.h"
#include "core/ephemeris/time_calendar.h"
#include "core/text/number_text.h"

namespace velmarin {

namespace {

// The white space of the C library's isspace in the "C" locale.
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::size_t SkipSpace(std::string_view text, std::size_t i) {
    while (i < text.size() && IsCSpace(text[i])) ++i;
    return i;
}

}  // namespace

int ReadLeadingInteger(std::string_view text) {
    const std::optional<IntegerPrefix> number = ReadIntegerPrefix(text.substr(SkipSpace(text, 0)));
    if (!number) return 0;
    return static_cast<int>(std::clamp<long long>(number->value, kMinYear, kMaxYear));
}

double ReadLeadingDecimal(std::string_view text) {
    const std::optional<DecimalPrefix> number = ReadDecimalPrefix(text.substr(SkipSpace(text, 0)));
    return number ? number->value : 0.0;
}

YearPromptAnswer ParseYearPrompt(std::string_view text) {
    using Kind = YearPromptAnswer::Kind;
    if (text.empty()) return {Kind::Empty, 0};
    if (!ReadIntegerPrefix(text.substr(SkipSpace(text, 0)))) return {Kind::NotAYear, 0};
    return {Kind::Year, ReadLeadingInteger(text)};
}

std::optional<LocationDegrees> ParseLocationPrompt(std::string_view input) {
    std::string text(input);
    std::replace(text.begin(), text.end(), ',', '.');
    if (text.empty()) return std::nullopt;
    const double latitude = std::clamp(ReadLeadingDecimal(text), -90.0, 90.0);
    const std::size_t blank = text.find(' ');
    if (blank == std::string::npos || blank == 0) return std::nullopt;
    const double longitude =
        std::clamp(ReadLeadingDecimal(std::string_view(text).substr(blank)), -180.0, 180.0);
    return LocationDegrees{latitude, longitude};
}

std::string FormatLocationPrompt(double latitude, double longitude) {
    return FixedNumber(latitude / degToRad, 2) + " " + FixedNumber(longitude / degToRad, 2);
}

}  // namespace velmarin
