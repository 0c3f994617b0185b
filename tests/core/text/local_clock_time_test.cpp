// The local clock of a civil day: rounded to the minute from the day's
// midnight, wrapping past 24 h (the long day of a clock change).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/text/local_clock_time.h"

namespace velmarin {
namespace {

struct ClockCase {
    std::string name;
    double minutesAfterStart;
    const char* expected;
};

class LocalClock : public ::testing::TestWithParam<ClockCase> {};

TEST_P(LocalClock, ReadsTheMinuteOfTheDay) {
    const ClockCase& c = GetParam();
    // A local midnight of 2025 that is not a whole Julian Day (UT+1).
    const double start = 2460676.5 - 1.0 / 24.0;
    EXPECT_EQ(LocalClockTime(start, start + c.minutesAfterStart / 1440.0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Minutes, LocalClock,
    ::testing::Values(ClockCase{"Midnight", 0.0, "00:00"}, ClockCase{"JustBeforeHalfAMinute", 0.49, "00:00"},
                      ClockCase{"HalfAMinuteRoundsUp", 0.51, "00:01"}, ClockCase{"Noon", 720.0, "12:00"},
                      ClockCase{"LastMinute", 1439.0, "23:59"}, ClockCase{"RoundsToNextMidnight", 1439.6, "00:00"},
                      ClockCase{"TwentyFifthHour", 1440.0 + 17.0, "00:17"},
                      ClockCase{"BeforeTheStart", -5.0, "23:55"}),
    [](const ::testing::TestParamInfo<ClockCase>& info) { return info.param.name; });

TEST(LocalClockOrNone, DashForAMissingEvent) {
    EXPECT_EQ(LocalClockTimeOrNone(2460676.5, std::nullopt), "\u2014");
    EXPECT_EQ(LocalClockTimeOrNone(2460676.5, 2460676.75), "06:00");
}

}  // namespace
}  // namespace velmarin
