#include "core/text/number_text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace velmarin {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i;
}

// Beyond this a decimal exponent says nothing more: every double lies within.
constexpr long long kExponentCeiling = 1000000;

// Where a mantissa's first significant digit sits: its power of ten plus one
// (0.5 -> 0, 5 -> 1, 50 -> 2), before the exponent; nothing for all zeros.
std::optional<long long> LeadingPower(std::string_view integer, std::string_view fraction) {
    for (std::size_t i = 0; i < integer.size(); ++i)
        if (integer[i] != '0') return static_cast<long long>(integer.size() - i);
    for (std::size_t i = 0; i < fraction.size(); ++i)
        if (fraction[i] != '0') return -static_cast<long long>(i);
    return std::nullopt;
}

}  // namespace

std::string FixedNumber(double value, int decimals) {
    // Room for the 309 integer digits of the largest double, sign, point and decimals.
    std::string buffer(320 + static_cast<std::size_t>(decimals < 0 ? 0 : decimals), '\0');
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals < 0 ? 0 : decimals);
    buffer.resize(result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - buffer.data()) : 0);
    return buffer;
}

std::string SignedFixedNumber(double value, int decimals) {
    const std::string text = FixedNumber(value, decimals);
    return std::signbit(value) ? text : "+" + text;
}

std::optional<DecimalPrefix> ReadDecimalPrefix(std::string_view text) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t integerStart = i;
    const std::size_t integerEnd = SkipDigits(text, i);
    std::size_t end = integerEnd;
    std::size_t fractionStart = end, fractionEnd = end;
    if (end < text.size() && text[end] == '.') {
        fractionStart = end + 1;
        fractionEnd = SkipDigits(text, fractionStart);
        end = fractionEnd;
    }
    if (integerEnd == integerStart && fractionEnd == fractionStart) return std::nullopt;
    long long exponent = 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t e = end + 1;
        const bool negativeExponent = e < text.size() && text[e] == '-';
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        const std::size_t exponentEnd = SkipDigits(text, e);
        if (exponentEnd > e) {
            for (std::size_t k = e; k < exponentEnd; ++k)
                exponent = std::min(exponent * 10 + (text[k] - '0'), kExponentCeiling);
            if (negativeExponent) exponent = -exponent;
            end = exponentEnd;
        }
    }
    // from_chars takes no '+'; the span is known to be a decimal number.
    const std::size_t from = text[0] == '+' ? 1 : 0;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + from, text.data() + end, value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const std::string_view integer = text.substr(integerStart, integerEnd - integerStart);
        const std::string_view fraction = text.substr(fractionStart, fractionEnd - fractionStart);
        const std::optional<long long> power = LeadingPower(integer, fraction);
        const bool huge = power && *power + exponent > 0;
        value = huge ? HUGE_VAL : 0.0;
        if (negative) value = -value;
    } else if (result.ec != std::errc() || result.ptr != text.data() + end) {
        return std::nullopt;
    }
    return DecimalPrefix{value, end};
}

std::optional<IntegerPrefix> ReadIntegerPrefix(std::string_view text) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t end = SkipDigits(text, i);
    if (end == i) return std::nullopt;
    const std::size_t from = text[0] == '+' ? 1 : 0;
    long long value = 0;
    const auto result = std::from_chars(text.data() + from, text.data() + end, value);
    if (result.ec == std::errc::result_out_of_range) value = negative ? LLONG_MIN : LLONG_MAX;
    return IntegerPrefix{value, end};
}

std::optional<double> ParseWholeDouble(std::string_view token) {
    const std::optional<DecimalPrefix> number = ReadDecimalPrefix(token);
    if (!number || number->length != token.size() || !std::isfinite(number->value))
        return std::nullopt;
    return number->value;
}

std::optional<int> ParseWholeInt(std::string_view token) {
    const std::optional<IntegerPrefix> number = ReadIntegerPrefix(token);
    if (!number || number->length != token.size() || number->value < INT_MIN ||
        number->value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(number->value);
}

}  // namespace velmarin
