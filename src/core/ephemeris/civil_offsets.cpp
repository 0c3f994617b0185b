#include "core/ephemeris/civil_offsets.h"

#include <cmath>

#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

// Days of the year as the program's calendar has them (1582 is short).
std::vector<CalendarInstant> DaysOfYear(int year, double firstJd) {
    std::vector<CalendarInstant> days;
    days.reserve(366);
    for (double jd = firstJd;; jd += 1.0) {
        const CalendarInstant date = CalendarFromJulianDay(jd);
        if (date.year != year) break;
        days.push_back(date);
    }
    return days;
}

}  // namespace

bool IsZoneNameShaped(std::string_view text) {
    constexpr std::size_t kLongestName = 100;
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (text.empty() || text.size() > kLongestName || !letter(text[0])) return false;
    for (const char c : text) {
        const bool digit = c >= '0' && c <= '9';
        if (!letter(c) && !digit && c != '_' && c != '+' && c != '-' && c != '/') return false;
    }
    return text.find("//") == std::string_view::npos && text.back() != '/';
}

DayOffset YearOffsets::OfDay(double jd) const {
    const double index = jd - firstJd;
    if (!(index >= 0.0 && index < static_cast<double>(days.size()))) return {};
    return days[static_cast<std::size_t>(index)];
}

YearOffsets FixedZoneOffsets(int year, double timeZoneHours, bool summerTime) {
    YearOffsets offsets;
    offsets.year = year;
    offsets.firstJd = JulianDayFromDate(1, 1, year, 0.0);
    const std::vector<CalendarInstant> dates = DaysOfYear(year, offsets.firstJd);
    offsets.days.reserve(dates.size());
    for (const CalendarInstant& date : dates) {
        DayOffset day{timeZoneHours / 24.0, timeZoneHours};
        if (summerTime && IsSummerTime(date.month, date.day, date.weekday)) {
            day.days = day.days + 1.0 / 24.0;
            day.hours = timeZoneHours + 1.0;
        }
        offsets.days.push_back(day);
    }
    return offsets;
}

std::optional<YearOffsets> ZoneOffsets(int year, std::string_view zone, const ZoneDatabase& zones) {
    YearOffsets offsets;
    offsets.year = year;
    offsets.firstJd = JulianDayFromDate(1, 1, year, 0.0);
    const std::vector<CalendarInstant> dates = DaysOfYear(year, offsets.firstJd);
    const int count = static_cast<int>(dates.size());
    const std::vector<int> seconds = zones.NoonOffsetSeconds(zone, CivilDate{year, 1, 1}, count);
    if (static_cast<int>(seconds.size()) != count) return std::nullopt;
    offsets.days.reserve(dates.size());
    for (const int s : seconds) offsets.days.push_back(DayOffset{s / 86400.0, s / 3600.0});
    return offsets;
}

}  // namespace velmarin
