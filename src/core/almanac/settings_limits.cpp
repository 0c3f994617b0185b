#include "core/almanac/settings_limits.h"

#include <charconv>

#include "core/text/message_text.h"

namespace velmarin {
namespace {

std::string ShortNumber(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("?");
}

std::string LimitText(double limit) {
    return "(" + ShortNumber(-limit) + ".." + ShortNumber(limit) + ")";
}

}  // namespace

std::optional<std::string> SettingsFileValueOutOfRange(std::string_view command,
                                                       const ChartSettings& used,
                                                       const std::filesystem::path& file) {
    struct Check {
        const char* what;
        double value;       // as the settings hold it
        double limit;       // the same unit
        double shownValue;  // as the file and the option write it
        double shownLimit;
        const char* option;
    };
    // Radians are compared with the limit converted the way the file's degrees
    // were, so a file holding exactly 90 or 180 passes.
    const Check checks[] = {
        {"latitude", used.latitude, kLatitudeLimitDegrees * degToRad, used.latitude / degToRad,
         kLatitudeLimitDegrees, "--lat"},
        {"longitude", used.longitude, kLongitudeLimitDegrees * degToRad, used.longitude / degToRad,
         kLongitudeLimitDegrees, "--lon"},
        {"time zone", used.timeZoneHours, kTimeZoneLimitHours, used.timeZoneHours,
         kTimeZoneLimitHours, "--tz"},
    };
    for (const Check& check : checks) {
        if (check.value >= -check.limit && check.value <= check.limit) continue;
        return std::string(command) + ": " + check.what + " " + ShortNumber(check.shownValue) +
               " in the settings file " + QuoteForMessage(file.string()) + " is out of range " +
               LimitText(check.shownLimit) + "; give " + check.option + " to override it";
    }
    return std::nullopt;
}

}  // namespace velmarin
