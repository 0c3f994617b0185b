// Calendar fields of UT instants: the Gregorian fields against the standard
// library's own calendar (std::chrono), the program-calendar text against IsoDate.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/almanac/command_output.h"
#include "core/almanac/utc_instant.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {
namespace {

using namespace std::chrono;

constexpr double kUnixEpochJd = 2440587.5;

// Every day of the years a calendar file can hold, at a time of day that
// moves through the day, against std::chrono's proleptic Gregorian calendar.
TEST(GregorianInstant, EveryDayOfTheYears1To9999MatchesStdChrono) {
    const sys_days first = sys_days{year{1} / January / 1};
    const sys_days last = sys_days{year{9999} / December / 31};
    int failures = 0;
    for (sys_days day = first; day <= last && failures < 5; day += days{1}) {
        const year_month_day ymd{day};
        const long long dayIndex = day.time_since_epoch().count();
        const int secondOfDay = static_cast<int>((dayIndex * 7919 % 86400 + 86400) % 86400);
        const long long unix = dayIndex * 86400 + secondOfDay;
        const UtcInstant fromSeconds = GregorianInstantFromUnixSeconds(unix);
        const UtcInstant fromJd =
            GregorianInstant(kUnixEpochJd + static_cast<double>(dayIndex) + secondOfDay / 86400.0);
        for (const UtcInstant& got : {fromSeconds, fromJd}) {
            const bool same = got.year == static_cast<int>(ymd.year()) &&
                              got.month == static_cast<int>(static_cast<unsigned>(ymd.month())) &&
                              got.day == static_cast<int>(static_cast<unsigned>(ymd.day())) &&
                              got.hour * 3600 + got.minute * 60 + got.second == secondOfDay;
            if (!same) {
                ++failures;
                ADD_FAILURE() << "day " << dayIndex << " second " << secondOfDay << ": got "
                              << got.year << "-" << got.month << "-" << got.day << " " << got.hour
                              << ":" << got.minute << ":" << got.second;
            }
        }
    }
}

struct IsoCase {
    const char* name;
    double jd;
    const char* expected;
};

class IsoInstantTest : public ::testing::TestWithParam<IsoCase> {};

TEST_P(IsoInstantTest, PrintsTheProgramsDateAndTheTruncatedSecond) {
    const IsoCase& c = GetParam();
    EXPECT_EQ(IsoInstant(c.jd), c.expected);
    // The date part is always the JSON's date, also a hair before midnight.
    EXPECT_EQ(IsoInstant(c.jd).substr(0, IsoDate(c.jd).size()), IsoDate(c.jd));
}

INSTANTIATE_TEST_SUITE_P(
    Table, IsoInstantTest,
    ::testing::Values(
        IsoCase{"J2000", 2451545.0, "2000-01-01T12:00:00Z"},
        // A time typed in whole seconds stays whole despite the JD's rounding.
        IsoCase{"WholeSeconds", JulianDayFromDate(29, 2, 2400, 1.0 / 3600.0), "2400-02-29T00:00:01Z"},
        IsoCase{"LastSecond", JulianDayFromDate(14, 7, 1600, 23.0 + 59.0 / 60 + 59.0 / 3600),
                "1600-07-14T23:59:59Z"},
        // Half a second before midnight truncates into the old day.
        IsoCase{"BeforeMidnight", JulianDayFromDate(31, 12, 2026, 0.0) + 1.0 - 0.5 / 86400,
                "2026-12-31T23:59:59Z"},
        // Before the reform the program's (Julian) calendar, as the JSON's date.
        IsoCase{"JulianEra", JulianDayFromDate(4, 10, 1582, 6.5), "1582-10-04T06:30:00Z"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IcsDateTime, HoldsFourDigitYearsOnly) {
    EXPECT_EQ(IcsDateTime(GregorianInstant(2451545.0)), "20000101T120000Z");
    EXPECT_EQ(IcsDateTime({1, 1, 1, 0, 0, 0}), "00010101T000000Z");
    EXPECT_EQ(IcsDateTime({9999, 12, 31, 23, 59, 59}), "99991231T235959Z");
    EXPECT_EQ(IcsDateTime({0, 12, 31, 23, 59, 59}), std::nullopt);
    EXPECT_EQ(IcsDateTime({10000, 1, 1, 0, 0, 0}), std::nullopt);
}

}  // namespace
}  // namespace velmarin
