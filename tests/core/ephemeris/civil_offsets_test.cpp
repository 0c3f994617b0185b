#include <gtest/gtest.h>

#include "core/ephemeris/civil_offsets.h"
#include "core/ephemeris/time_calendar.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

struct SummerCase {
    int year;
    int startMonth, startDay;  // first day on summer time at local noon
    int endMonth, endDay;      // first day back on standard time at local noon
};

class CivilOffsetsFixedZone : public ::testing::TestWithParam<SummerCase> {};

// The program's summer-time rule against the zone database: Europe/Berlin
// (tzdata 2025b, python3 zoneinfo, offset at each day's local noon) changes
// on exactly these days; every other day is on UT+1.
TEST_P(CivilOffsetsFixedZone, SummerDaysAreThoseOfCentralEurope) {
    const SummerCase& c = GetParam();
    const YearOffsets offsets = FixedZoneOffsets(c.year, 1.0, true);
    const double start = JulianDayFromDate(c.startDay, c.startMonth, c.year);
    const double end = JulianDayFromDate(c.endDay, c.endMonth, c.year);
    const double next = JulianDayFromDate(1, 1, c.year + 1);
    ASSERT_EQ(offsets.days.size(), static_cast<std::size_t>(next - offsets.firstJd));
    for (double jd = offsets.firstJd; jd < next; jd += 1.0) {
        const bool summer = jd >= start && jd < end;
        const DayOffset day = offsets.OfDay(jd);
        ASSERT_EQ(day.hours, summer ? 2.0 : 1.0) << jd;
        // Hours and days say the same, to rounding.
        ASSERT_NEAR(day.days * 24.0, day.hours, 1e-12);
    }
    // Without the rule every day keeps the zone's own offset.
    for (const DayOffset& day : FixedZoneOffsets(c.year, 1.0, false).days) ASSERT_EQ(day.hours, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Years, CivilOffsetsFixedZone,
                         ::testing::Values(SummerCase{1996, 3, 31, 10, 27}, SummerCase{2000, 3, 26, 10, 29},
                                           SummerCase{2024, 3, 31, 10, 27}, SummerCase{2025, 3, 30, 10, 26},
                                           SummerCase{2026, 3, 29, 10, 25}, SummerCase{2037, 3, 29, 10, 25}),
                         [](const ::testing::TestParamInfo<SummerCase>& info) {
                             return "Year" + test::NameOfNumber(info.param.year);
                         });

TEST(CivilOffsets, EveryDayOfEveryKindOfYear) {
    // Common, leap, the short 1582 of the calendar reform and the range's end.
    for (const int year : {2025, 2024, 1900, 2000, 1582, 999999}) {
        const YearOffsets offsets = FixedZoneOffsets(year, -5.5, true);
        const double next = JulianDayFromDate(1, 1, year + 1);
        EXPECT_EQ(offsets.firstJd, JulianDayFromDate(1, 1, year)) << year;
        EXPECT_EQ(offsets.days.size(), static_cast<std::size_t>(next - offsets.firstJd)) << year;
        // Outside the year: no offset, and no reach past the table.
        EXPECT_EQ(offsets.OfDay(next), DayOffset{}) << year;
        EXPECT_EQ(offsets.OfDay(offsets.firstJd - 1.0), DayOffset{}) << year;
    }
    EXPECT_EQ(FixedZoneOffsets(1582, 0, false).days.size(), 355u);
    // Far back the calendar's round trip drifts; the table still ends.
    EXPECT_LE(FixedZoneOffsets(-999999, 0, true).days.size(), 366u);
}

}  // namespace
}  // namespace velmarin
