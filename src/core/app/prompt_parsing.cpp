#include "core/app/prompt_parsing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

#include "core/app/command_rules.h"
#include "core/chart/chart_settings.h"

namespace velmarin {

namespace {

// The white space of the C library's isspace in the "C" locale.
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpace(std::string_view text, std::size_t i) {
    while (i < text.size() && IsCSpace(text[i])) ++i;
    return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i;
}

// strtod with "." as the decimal point, independent of the process locale
// (the GUI library sets the user's locale at start).
double ConvertInCLocale(const std::string& number) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(number.c_str(), nullptr, cLocale);
}

std::string FormatFixed2(double value) {
    // Large enough for any finite double with two decimals.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 2);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

int ReadLeadingInteger(std::string_view text) {
    std::size_t i = SkipSpace(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate with a ceiling just above the range, so long digit runs cannot overflow.
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), 10LL * kMaxChartYear);
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, kMinChartYear, kMaxChartYear));
}

double ReadLeadingDecimal(std::string_view text) {
    const std::size_t start = SkipSpace(text, 0);
    std::size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t integerEnd = SkipDigits(text, i);
    std::size_t end = integerEnd;
    bool anyDigit = integerEnd > i;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit) return 0.0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t e = end + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        const std::size_t exponentEnd = SkipDigits(text, e);
        if (exponentEnd > e) end = exponentEnd;
    }
    return ConvertInCLocale(std::string(text.substr(start, end - start)));
}

std::optional<int> ParseYearPrompt(std::string_view text) {
    if (text.empty()) return std::nullopt;
    return ReadLeadingInteger(text);
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
    return FormatFixed2(latitude / degToRad) + " " + FormatFixed2(longitude / degToRad);
}

}  // namespace velmarin
