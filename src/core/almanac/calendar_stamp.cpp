#include "core/almanac/calendar_stamp.h"

#include <chrono>
#include <cstdlib>
#include <string_view>

#include "core/almanac/utc_instant.h"

namespace velmarin {
namespace {

// 9999-12-31T23:59:59Z, the last instant a DATE-TIME can hold.
constexpr std::int64_t kLastStampSeconds = 253402300799;

}  // namespace

std::optional<std::string> CalendarStamp(const char* sourceDateEpoch, std::int64_t nowUnixSeconds) {
    std::int64_t seconds = nowUnixSeconds;
    if (sourceDateEpoch != nullptr && *sourceDateEpoch != '\0') {
        const std::string_view text = sourceDateEpoch;
        if (text.size() > 12) return std::nullopt;
        seconds = 0;
        for (const char c : text) {
            if (c < '0' || c > '9') return std::nullopt;
            seconds = seconds * 10 + (c - '0');
        }
        if (seconds > kLastStampSeconds) return std::nullopt;
    }
    return IcsDateTime(GregorianInstantFromUnixSeconds(seconds));
}

std::optional<std::string> CalendarStampNow() {
    const auto now = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::system_clock::now().time_since_epoch());
    return CalendarStamp(std::getenv("SOURCE_DATE_EPOCH"), static_cast<std::int64_t>(now.count()));
}

}  // namespace velmarin
