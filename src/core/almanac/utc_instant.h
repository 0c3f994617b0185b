#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velmarin {

// A UT instant as calendar fields, whole seconds.
struct UtcInstant {
    long long year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Given:    jd, a Julian Day (UT).
// Returned: the instant in the proleptic Gregorian calendar that calendar
//           files use, truncated to the second (the program's printed times
//           truncate too).
// Notes:    before October 1582 this differs from the program's own dates,
//           which are Julian there.
UtcInstant GregorianInstant(double jd);

// The same for seconds since 1970-01-01 00:00:00 UTC.
UtcInstant GregorianInstantFromUnixSeconds(std::int64_t seconds);

// Given:    jd, a Julian Day (UT).
// Returned: "YYYY-MM-DDTHH:MM:SSZ" in the program's calendar (the same date
//           as IsoDate(jd)), the time truncated to the second.
std::string IsoInstant(double jd);

// "YYYYMMDDTHHMMSSZ", the UTC form of an iCalendar DATE-TIME; nullopt for a
// year outside 1..9999, which the format cannot hold.
std::optional<std::string> IcsDateTime(const UtcInstant& instant);

}  // namespace velmarin
