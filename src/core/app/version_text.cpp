#include "core/app/version_text.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "velmarin_version.h"

namespace velmarin {

namespace {

// The version record's strings were copied into a 100-byte buffer; keep the
// same limit, and C-string semantics for an embedded NUL.
constexpr std::size_t kMaxRecordText = 99;

std::string_view RecordText(std::string_view text) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    return text.substr(0, std::min(text.size(), kMaxRecordText));
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// atoi without its undefined overflow: out-of-range values saturate.
int LeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

std::string FormatVersionText(std::string_view fileVersion) {
    std::string_view rest = RecordText(fileVersion);
    int numbers[4] = {LeadingInteger(rest), 0, 0, 0};
    for (int n = 1; n < 4; ++n) {
        const std::size_t dot = rest.find('.');
        if (dot == std::string_view::npos) break;  // the missing numbers stay 0
        rest.remove_prefix(dot + 1);
        numbers[n] = LeadingInteger(rest);
    }
    const auto [major, minor, build, revision] = numbers;
    char text[64];
    if (revision != 0) {
        std::snprintf(text, sizeof text, "%d.%d.%d.%d", major, minor, build, revision);
    } else if (build != 0) {
        std::snprintf(text, sizeof text, "%d.%d.%d", major, minor, build);
    } else {
        std::snprintf(text, sizeof text, "%d.%d", major, minor);
    }
    return text;
}

std::string FormatBuildText(std::string_view buildDate) {
    const std::string_view text = RecordText(buildDate);
    const auto digits = [&](std::size_t from, std::size_t count) {
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') return false;
        }
        return true;
    };
    const bool isoDate = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                         digits(0, 4) && digits(5, 2) && digits(8, 2);
    if (!isoDate) return std::string(text);
    std::string result;
    result.reserve(10);
    result.append(text.substr(8, 2)).append(".").append(text.substr(5, 2)).append(".")
          .append(text.substr(0, 4));
    return result;
}

VersionTexts ReadVersionInfo() {
    return {FormatVersionText(VELMARIN_VERSION_TEXT), FormatBuildText(VELMARIN_BUILD_DATE)};
}

std::string FooterText() { return std::string("Velmarin Version ") + ReadVersionInfo().versionText; }

}  // namespace velmarin
