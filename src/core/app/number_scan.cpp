#include "core/app/number_scan.h"

#include <locale.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace velmarin {
namespace {

bool IsScanSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view SkipSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsScanSpace(text[i])) ++i;
    return text.substr(i);
}

// The "C" locale, made once: strtod_l then reads "." whatever setlocale says.
locale_t ClassicLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

}  // namespace

std::optional<int> ScanInt(std::string_view& text) {
    std::string_view rest = SkipSpace(text);
    bool negative = false;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        negative = rest[0] == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty() || !IsDigit(rest[0])) return std::nullopt;
    // Accumulate as a negative magnitude so that INT_MIN fits; saturate beyond.
    long long value = 0;
    std::size_t i = 0;
    for (; i < rest.size() && IsDigit(rest[i]); ++i) {
        if (value > -(static_cast<long long>(INT_MAX) + 2)) value = value * 10 - (rest[i] - '0');
    }
    text = rest.substr(i);
    if (negative) return value < INT_MIN ? INT_MIN : static_cast<int>(value);
    return -value > INT_MAX ? INT_MAX : static_cast<int>(-value);
}

std::optional<double> ScanDouble(std::string_view& text) {
    const std::string_view rest = SkipSpace(text);
    if (rest.empty()) return std::nullopt;
    const std::string copy(rest);  // strtod_l needs a terminated string
    const locale_t locale = ClassicLocale();
    if (locale == static_cast<locale_t>(0)) return std::nullopt;
    char* end = nullptr;
    const double value = strtod_l(copy.c_str(), &end, locale);
    const std::size_t used = static_cast<std::size_t>(end - copy.c_str());
    if (used == 0 || !std::isfinite(value)) return std::nullopt;
    text = rest.substr(used);
    return value;
}

}  // namespace velmarin
