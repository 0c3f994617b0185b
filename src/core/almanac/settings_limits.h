#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/chart/chart_settings.h"

namespace velmarin {

// The observer limits of the command line (--lat, --lon, --tz).
inline constexpr double kLatitudeLimitDegrees = 90.0;
inline constexpr double kLongitudeLimitDegrees = 180.0;
inline constexpr double kTimeZoneLimitHours = 24.0;

// The settings file may hold any number (the window uses them as they are),
// but a subcommand holds every value it uses to the command line's limits.
// Given the settings a subcommand is about to use (options already applied,
// so an out-of-range value can only have come from the file) and the file's
// path, returns the one-line error naming the file, the value and the option
// that overrides it, or nothing when all are within limits.
std::optional<std::string> SettingsFileValueOutOfRange(std::string_view command,
                                                       const ChartSettings& used,
                                                       const std::filesystem::path& file);

}  // namespace velmarin
