#include "core/targets/sexagesimal.h"

#include <cmath>

#include "core/text/number_text.h"

namespace velmarin {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Unsigned decimal: digits with at most one point, at least one digit.
std::optional<double> PlainNumber(std::string_view text) {
    int digits = 0, points = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || points > 1) return std::nullopt;
    const std::optional<double> value = ParseWholeDouble(text);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> ParseSexagesimal(std::string_view text) {
    text = Trimmed(text);
    double sign = 1.0;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        if (text.front() == '-') sign = -1.0;
        text.remove_prefix(1);
    }
    double value = 0.0;
    double unit = 1.0;
    for (int field = 0;; ++field) {
        const std::size_t colon = text.find(':');
        const std::optional<double> part = PlainNumber(text.substr(0, colon));
        if (!part || field > 2) return std::nullopt;
        if (field > 0 && *part >= 60.0) return std::nullopt;
        // Only the last field may have a fraction.
        if (colon != std::string_view::npos && *part != std::floor(*part)) return std::nullopt;
        value += *part * unit;
        if (colon == std::string_view::npos) break;
        text.remove_prefix(colon + 1);
        unit /= 60.0;
    }
    return sign * value;
}

}  // namespace velmarin
