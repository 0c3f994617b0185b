#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmarin {

// The offset of civil time from UT on every civil day of a year: one table
// for the chart's own zones (a fixed offset with the program's summer-time
// rule) and for the zones of the system's zone database.

// A date of the program's calendar (Julian before 15 October 1582).
struct CivilDate {
    int year = 2000;
    int month = 1;
    int day = 1;
};

// The offset in force on one civil day, east of Greenwich positive.
struct DayOffset {
    // In days: what a local instant loses on its way to UT. For the fixed
    // zones it is formed exactly as the twilight chart always formed it,
    // timeZoneHours / 24.0, plus 1.0 / 24.0 on summer days, since the
    // chart's samples depend on these very bits.
    double days = 0.0;
    // The same offset in hours: timeZoneHours (+ 1), or a zone's seconds / 3600.
    double hours = 0.0;
    bool operator==(const DayOffset&) const = default;
};

// The offsets of every civil day of one year, from 1 January on.
struct YearOffsets {
    int year = 0;
    double firstJd = 0.0;          // 1 January of year, 0 h
    std::vector<DayOffset> days;   // [k]: the day starting at firstJd + k

    // The offset of the day starting at jd (0 h of a day of the year); any
    // other jd gives offset 0.
    DayOffset OfDay(double jd) const;
    bool operator==(const YearOffsets&) const = default;
};

// The zone database as the platform supplies it; the core reads no zone files.
class ZoneDatabase {
public:
    virtual ~ZoneDatabase() = default;
    // Whether zone ("AREA/CITY", e.g. "Australia/Sydney") is known.
    virtual bool HasZone(std::string_view zone) const = 0;
    // The offset from UT (seconds, east positive) in force at local noon of
    // each of `count` consecutive days from `first`; empty for an unknown zone.
    virtual std::vector<int> NoonOffsetSeconds(std::string_view zone, CivilDate first,
                                               int count) const = 0;
    // The zone's abbreviations in force during `year`, standard time first,
    // joined by "/": "AEST/AEDT", "IST". Empty for an unknown zone.
    virtual std::string Abbreviations(std::string_view zone, int year) const = 0;
};

// Whether text has the form of a zone database name ("Australia/Sydney",
// "Etc/GMT+5", "UTC"): 1..100 characters of letters, digits, '_', '+', '-'
// and '/', starting with a letter. Says nothing of whether the zone exists.
bool IsZoneNameShaped(std::string_view text);

// Given: a year, a fixed offset timeZoneHours and whether the summer-time
// rule (IsSummerTime) adds an hour.
// Returned: the offset of every day of the year.
YearOffsets FixedZoneOffsets(int year, double timeZoneHours, bool summerTime);

// Given: a year and a zone of `zones`.
// Returned: every day's offset at its local noon; nothing for an unknown zone.
std::optional<YearOffsets> ZoneOffsets(int year, std::string_view zone, const ZoneDatabase& zones);

}  // namespace velmarin
