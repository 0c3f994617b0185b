#include "core/almanac/utc_instant.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/almanac/command_output.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// A Julian Day near the present carries about 40 µs of rounding; a
// millisecond's allowance keeps an instant given in whole seconds whole.
constexpr double kWholeSecondAllowance = 1e-3;
// Julian Day Number of 1970-01-01.
constexpr std::int64_t kUnixEpochDayNumber = 2440588;

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Julian Day Number (days starting at midnight) and seconds into that day.
UtcInstant FromDayNumberAndSeconds(std::int64_t dayNumber, std::int64_t secondOfDay) {
    // Days since 0000-03-01 of the proleptic Gregorian calendar, in 400-year eras.
    const std::int64_t z = dayNumber - 1721120;
    const std::int64_t era = FloorDivide(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // 0 = March
    UtcInstant out;
    out.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    out.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    out.year = yearOfEra + era * 400 + (out.month <= 2 ? 1 : 0);
    out.hour = static_cast<int>(secondOfDay / 3600);
    out.minute = static_cast<int>(secondOfDay / 60 % 60);
    out.second = static_cast<int>(secondOfDay % 60);
    return out;
}

std::string TwoDigits(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

}  // namespace

UtcInstant GregorianInstant(double jd) {
    if (!std::isfinite(jd)) return {};
    // Seconds since the midnight that starts Julian Day Number 0.
    const double seconds = std::floor((jd + 0.5) * static_cast<double>(kSecondsPerDay) +
                                      kWholeSecondAllowance);
    const auto total = static_cast<std::int64_t>(seconds);
    const std::int64_t dayNumber = FloorDivide(total, kSecondsPerDay);
    return FromDayNumberAndSeconds(dayNumber, total - dayNumber * kSecondsPerDay);
}

UtcInstant GregorianInstantFromUnixSeconds(std::int64_t seconds) {
    const std::int64_t days = FloorDivide(seconds, kSecondsPerDay);
    return FromDayNumberAndSeconds(kUnixEpochDayNumber + days, seconds - days * kSecondsPerDay);
}

std::string IsoInstant(double jd) {
    double hour = CalendarFromJulianDay(jd).hour;
    // The calendar gives negative hours before JD 0.5, as ClockTime notes.
    if (!(hour >= 0.0)) hour += 24.0;
    if (!(hour >= 0.0 && hour < 24.0)) hour = 0.0;
    const int second = std::min(static_cast<int>(std::floor(hour * 3600.0 + kWholeSecondAllowance)),
                                static_cast<int>(kSecondsPerDay) - 1);
    return IsoDate(jd) + "T" + TwoDigits(second / 3600) + ":" + TwoDigits(second / 60 % 60) + ":" +
           TwoDigits(second % 60) + "Z";
}

std::optional<std::string> IcsDateTime(const UtcInstant& instant) {
    if (instant.year < 1 || instant.year > 9999) return std::nullopt;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02dT%02d%02d%02dZ", static_cast<int>(instant.year),
                  instant.month, instant.day, instant.hour, instant.minute, instant.second);
    return std::string(buffer);
}

}  // namespace velmarin
