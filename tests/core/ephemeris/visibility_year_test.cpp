// The year's events read the bodies' positions from interpolated tables.
// Held here against the same search run day by day on the ephemeris itself:
// every event within a second, and the same events on every day.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/rise_set.h"
#include "core/ephemeris/visibility_year.h"

namespace velmarin {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;
constexpr double kSecondDays = 1.0 / 86400.0;

struct Case {
    int year;
    double latitudeDeg;
    double longitudeDeg;
    double offsetHours;
};

const Case kCases[] = {
    {2026, 52.0, 9.8, 1.0},   {2026, 0.0, -78.5, -5.0}, {2026, -34.0, 18.4, 2.0},
    {2026, 70.0, 23.0, 1.0},  {1950, 78.2, 15.6, 1.0},  {2100, -45.0, 170.5, 12.0},
    {1900, 23.44, 0.0, 0.0},
};

std::string Where(const Case& c, const VisibilityDay& day, const std::string& what) {
    return std::to_string(c.year) + " lat " + std::to_string(c.latitudeDeg) + " day " + std::to_string(day.month) +
           "/" + std::to_string(day.day) + " " + what;
}

void ExpectSameInstant(const std::optional<double>& fast, const std::optional<double>& exact,
                       const std::string& where) {
    ASSERT_EQ(fast.has_value(), exact.has_value()) << where;
    if (fast) {
        EXPECT_NEAR(*fast, *exact, kSecondDays) << where;
    }
}

void ExpectSameEvents(const BodyDayEvents& fast, const BodyDayEvents& exact, const std::string& where) {
    ExpectSameInstant(fast.rise, exact.rise, where + " rise");
    ExpectSameInstant(fast.transit, exact.transit, where + " transit");
    ExpectSameInstant(fast.set, exact.set, where + " set");
    EXPECT_NEAR(fast.transitAltitude, exact.transitAltitude, 1.0 / 3600.0 * kDeg) << where;
    EXPECT_EQ(fast.riseCount, exact.riseCount) << where;
    EXPECT_EQ(fast.setCount, exact.setCount) << where;
    EXPECT_EQ(fast.alwaysUp, exact.alwaysUp) << where;
    EXPECT_EQ(fast.neverUp, exact.neverUp) << where;
    ASSERT_EQ(fast.up.size(), exact.up.size()) << where;
    for (std::size_t i = 0; i < fast.up.size(); ++i) {
        EXPECT_NEAR(fast.up[i].from, exact.up[i].from, kSecondDays) << where;
        EXPECT_NEAR(fast.up[i].to, exact.up[i].to, kSecondDays) << where;
    }
}

class VisibilityYearAgainstDayByDaySearch : public ::testing::TestWithParam<Case> {};

TEST_P(VisibilityYearAgainstDayByDaySearch, EveryEventWithinASecond) {
    const Case& c = GetParam();
    YearInputs inputs;
    inputs.year = c.year;
    inputs.latitude = c.latitudeDeg * kDeg;
    inputs.longitude = c.longitudeDeg * kDeg;
    inputs.offsets = FixedZoneOffsets(c.year, c.offsetHours, false);
    const std::vector<VisibilityDay> days = ComputeVisibilityYear(inputs);
    ASSERT_GE(days.size(), 365u);
    const Observer observer{inputs.latitude, inputs.longitude};
    for (const VisibilityDay& day : days) {
        const SunDayEvents sun = FindSunEvents(day.start, day.end, observer);
        ExpectSameEvents(day.bodies[IndexOf(BodyId::kSun)], sun.sun, Where(c, day, "Sun"));
        const TwilightInstants& t = day.twilight;
        ExpectSameInstant(t.civilDawn, sun.twilight.civilDawn, Where(c, day, "civil dawn"));
        ExpectSameInstant(t.civilDusk, sun.twilight.civilDusk, Where(c, day, "civil dusk"));
        ExpectSameInstant(t.nauticalDawn, sun.twilight.nauticalDawn, Where(c, day, "nautical dawn"));
        ExpectSameInstant(t.nauticalDusk, sun.twilight.nauticalDusk, Where(c, day, "nautical dusk"));
        ExpectSameInstant(t.astronomicalDawn, sun.twilight.astronomicalDawn, Where(c, day, "astronomical dawn"));
        ExpectSameInstant(t.astronomicalDusk, sun.twilight.astronomicalDusk, Where(c, day, "astronomical dusk"));
        EXPECT_NEAR(day.darknessHours, IntervalHours(sun.darkness), 2.0 / 3600.0) << Where(c, day, "darkness");
        for (const BodyId body : kAllBodies) {
            if (body == BodyId::kSun) continue;  // compared with FindSunEvents above
            ExpectSameEvents(day.bodies[IndexOf(body)], FindBodyEvents(body, day.start, day.end, observer),
                             Where(c, day, "body " + std::to_string(IndexOf(body))));
        }
        if (HasFailure()) return;  // one day's report is enough to go on
    }
}

INSTANTIATE_TEST_SUITE_P(Places, VisibilityYearAgainstDayByDaySearch, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             const Case& c = info.param;
                             return "Y" + std::to_string(c.year) + (c.latitudeDeg < 0 ? "S" : "N") +
                                    std::to_string(static_cast<int>(std::lround(std::fabs(c.latitudeDeg) * 10.0)));
                         });

}  // namespace
}  // namespace velmarin
