#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velmarin {

// The DTSTAMP of the calendar files, "YYYYMMDDTHHMMSSZ": the instant of
// SOURCE_DATE_EPOCH (whole seconds since 1970) when that is set and not
// empty, so that a file can be made again byte for byte; else now.
// nullopt when the variable holds anything but such a number.
std::optional<std::string> CalendarStamp(const char* sourceDateEpoch, std::int64_t nowUnixSeconds);

// CalendarStamp of this process's environment and clock.
std::optional<std::string> CalendarStampNow();

}  // namespace velmarin
