#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/horizon.h"
#include "core/ephemeris/time_calendar.h"
#include "core/sky/twilight_sampling.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

YearInputs At(int year, double latitudeDeg, double longitudeDeg, double tz, bool summer) {
    YearInputs in;
    in.year = year;
    in.latitude = latitudeDeg * kDeg;
    in.longitude = longitudeDeg * kDeg;
    in.offsets = FixedZoneOffsets(year, tz, summer);
    return in;
}

const TwilightDay& DayOf(const std::vector<TwilightDay>& days, int day, int month, int year) {
    const double jd = JulianDayFromDate(day, month, year);
    for (const TwilightDay& d : days) {
        if (d.jd == jd) return d;
    }
    ADD_FAILURE() << "day not sampled";
    return days.front();
}

TEST(ChartTwilightSampling, SamplesAreRunningSumsOfATenth) {
    const auto& hours = TwilightSampleHours();
    EXPECT_EQ(hours[0], 0.0);
    EXPECT_EQ(hours[3], 0.1 + 0.1 + 0.1);  // not 0.3
    EXPECT_NE(hours[3], 0.3);
    EXPECT_NEAR(hours[239], 23.9, 1e-12);
}

TEST(ChartTwilightSampling, EverySecondDayOfTheYear) {
    for (int year : {2025, 2024}) {  // common and leap year
        const std::vector<TwilightDay> days = SampleTwilightYear(At(year, 52, 9.8, 1, true));
        ASSERT_EQ(days.size(), 183u);
        EXPECT_EQ(days.front().jd, JulianDayFromDate(1, 1, year));
        const CalendarInstant last = CalendarFromJulianDay(days.back().jd);
        EXPECT_EQ(last.month, 12);
        EXPECT_EQ(last.day, year == 2024 ? 30 : 31);
        for (size_t i = 1; i < days.size(); ++i) ASSERT_EQ(days[i].jd - days[i - 1].jd, 2.0);
    }
}

struct DayLengthCase {
    double latitude;
    int day, month;
    double hours;  // PyEphem 4.1.4, Sun's centre, refracted (1010 hPa, 10 C)
};
class ChartTwilightDayLength : public ::testing::TestWithParam<DayLengthCase> {};

TEST_P(ChartTwilightDayLength, SunshineMatchesTheRefractedDay) {
    // With refraction added, sunshine matches the real day to the sampling
    // step (0.1 h at each end). Subtracting it instead loses 6 to 30 minutes.
    const DayLengthCase& c = GetParam();
    const std::vector<TwilightDay> days = SampleTwilightYear(At(2026, c.latitude, 9.8, 1, false));
    EXPECT_NEAR(DayOf(days, c.day, c.month, 2026).sunshineHours, c.hours, 0.2);
}

INSTANTIATE_TEST_SUITE_P(PyEphem, ChartTwilightDayLength,
                         ::testing::Values(DayLengthCase{0, 20, 6, 12.084}, DayLengthCase{0, 21, 12, 12.086},
                                           DayLengthCase{52, 20, 6, 16.657}, DayLengthCase{52, 21, 12, 7.669},
                                           DayLengthCase{65, 20, 6, 21.704}, DayLengthCase{65, 21, 12, 3.373}),
                         [](const ::testing::TestParamInfo<DayLengthCase>& info) {
                             return "Latitude" + test::NameOfNumber(info.param.latitude) + "_Day" +
                                    test::NameOfNumber(info.param.day) + "_Month" +
                                    test::NameOfNumber(info.param.month);
                         });

TEST(ChartTwilightSampling, BandsAt52NorthInJuneAndDecember) {
    const std::vector<TwilightDay> days = SampleTwilightYear(At(2026, 52, 9.8, 1, true));
    const TwilightDay& june = DayOf(days, 20, 6, 2026);
    const TwilightDay& december = DayOf(days, 21, 12, 2026);
    int juneCounts[5] = {}, decemberCounts[5] = {};
    for (int i = 0; i < kTwilightSamplesPerDay; ++i) {
        ++juneCounts[june.bands[i]];
        ++decemberCounts[december.bands[i]];
    }
    // In June the Sun stays above -18 degrees all night (no darkness); in
    // December the night is about 12 hours dark.
    EXPECT_EQ(juneCounts[4], 0);
    EXPECT_GT(juneCounts[3], 0);
    EXPECT_EQ(june.darknessHours, 0.0);
    EXPECT_NEAR(december.darknessHours, 12.0, 0.5);
    EXPECT_NEAR(december.darknessHours, 0.1 * decemberCounts[4], 1e-9);
    EXPECT_NEAR(june.sunshineHours, 0.1 * juneCounts[0], 1e-9);
    // Local noon (CEST in June, CET in December) at 9.8 E is about 13:20 and
    // 12:20: the Sun is up there, and it is dark at local midnight in December.
    EXPECT_EQ(june.bands[133], 0);
    EXPECT_EQ(december.bands[123], 0);
    EXPECT_EQ(december.bands[0], 4);
    // Bands deepen monotonically from noon into the night.
    for (const TwilightDay* d : {&june, &december}) {
        for (int i = 124; i + 1 < kTwilightSamplesPerDay; ++i) ASSERT_LE(d->bands[i], d->bands[i + 1]) << i;
    }
}

TEST(ChartTwilightSampling, PolarDayAndPolarNight) {
    const std::vector<TwilightDay> north = SampleTwilightYear(At(2026, 78, 15, 1, false));
    const TwilightDay& midsummer = DayOf(north, 20, 6, 2026);
    EXPECT_NEAR(midsummer.sunshineHours, 24.0, 1e-9);
    for (std::uint8_t band : midsummer.bands) ASSERT_EQ(band, 0);
    const TwilightDay& midwinter = DayOf(north, 21, 12, 2026);
    EXPECT_EQ(midwinter.sunshineHours, 0.0);
    for (std::uint8_t band : midwinter.bands) ASSERT_NE(band, 0);

    const std::vector<TwilightDay> pole = SampleTwilightYear(At(2026, 89.9, 0, 0, false));
    const TwilightDay& poleWinter = DayOf(pole, 21, 12, 2026);
    EXPECT_NEAR(poleWinter.darknessHours, 24.0, 1e-9);
    // The south pole has the opposite seasons.
    const std::vector<TwilightDay> south = SampleTwilightYear(At(2026, -89.9, 0, 0, false));
    EXPECT_NEAR(DayOf(south, 21, 12, 2026).sunshineHours, 24.0, 1e-9);
    EXPECT_EQ(DayOf(south, 20, 6, 2026).sunshineHours, 0.0);
}

TEST(ChartTwilightSampling, SummerTimeShiftsItsDaysByOneHour) {
    const std::vector<TwilightDay> off = SampleTwilightYear(At(2026, 52, 9.8, 1, false));
    const std::vector<TwilightDay> on = SampleTwilightYear(At(2026, 52, 9.8, 1, true));
    ASSERT_EQ(on.size(), off.size());
    int shifted = 0;
    for (size_t d = 0; d < on.size(); ++d) {
        const CalendarInstant date = CalendarFromJulianDay(on[d].jd);
        if (IsSummerTime(date.month, date.day, date.weekday)) {
            ++shifted;
            // Local hour h in summer time is h - 1 in standard time.
            for (int i = 10; i < kTwilightSamplesPerDay; ++i) ASSERT_EQ(on[d].bands[i], off[d].bands[i - 10]) << d;
        } else {
            ASSERT_EQ(on[d].bands, off[d].bands) << d;
            ASSERT_EQ(on[d].sunshineHours, off[d].sunshineHours);
        }
    }
    // 29 March .. 24 October 2026: 105 of the sampled days.
    EXPECT_GT(shifted, 100);
    EXPECT_LT(shifted, 110);
}

struct StraightCase {
    int year;
    double latitude, longitude, zoneHours;
    bool summer;
};

class ChartTwilightStraightforward : public ::testing::TestWithParam<StraightCase> {};

// The sampler settles most bands from interpolated Sun positions and must
// still give, bit for bit, the plain sequence of calls: nutation at 1
// January, Sun there, then per sample Sun, local sidereal time, hour angle
// and the horizontal conversion. The places include the Sun at the zenith
// (sin(altitude) rounding past 1), the poles, where it grazes a limit for
// weeks, and the ends of the year range.
TEST_P(ChartTwilightStraightforward, SameBandsAsComputingEverySampleExactly) {
    const StraightCase c = GetParam();
    const YearInputs in = At(c.year, c.latitude, c.longitude, c.zoneHours, c.summer);
    const std::vector<TwilightDay> days = SampleTwilightYear(in);
    EphemerisContext context;
    const double startJd = JulianDayFromDate(1, 1, in.year);
    ComputeNutation(context, startJd);
    ComputeBodyPosition(context, BodyId::kSun, startJd);
    size_t index = 0;
    for (double jd = startJd; CalendarFromJulianDay(jd).year == in.year; jd += 2.0, ++index) {
        ASSERT_LT(index, days.size());
        const CalendarInstant date = CalendarFromJulianDay(jd);
        double tz = c.zoneHours / 24.0;
        if (c.summer && IsSummerTime(date.month, date.day, date.weekday)) tz = tz + 1.0 / 24.0;
        double sunshine = 0.0, darkness = 0.0;
        int i = 0;
        for (double h = 0.0; h <= 24.0; h += 0.1, ++i) {
            const double t = jd + h / 24.0 - tz;
            const BodyPosition sun = ComputeBodyPosition(context, BodyId::kSun, t);
            LocalSiderealTime(context, t, in.longitude);
            HorizontalCoordinates horizontal;
            HorizontalFromEquatorial(1, NormalizeAngle(context.localSiderealTime - sun.ra), sun.dec, in.latitude,
                                     horizontal);
            const int band = TwilightBand(horizontal.altitude);
            ASSERT_EQ(days[index].bands[i], band) << jd << " " << h;
            if (band == 0) sunshine += 0.1;
            if (band == 4) darkness += 0.1;
        }
        ASSERT_EQ(i, kTwilightSamplesPerDay);
        ASSERT_EQ(days[index].sunshineHours, sunshine);
        ASSERT_EQ(days[index].darknessHours, darkness);
    }
    EXPECT_EQ(index, days.size());
}

INSTANTIATE_TEST_SUITE_P(
    Places, ChartTwilightStraightforward,
    ::testing::Values(StraightCase{2023, 47.3, -122.4, -8, true}, StraightCase{2026, 52.0, 9.8, 1, true},
                      StraightCase{2026, 23.44, 0.0, 0, false}, StraightCase{2026, -23.44, 151.2, 10, false},
                      StraightCase{2026, 0.0, -78.5, -5, false}, StraightCase{2026, 66.56, 25.7, 2, true},
                      StraightCase{2026, 89.9, 0.0, 0, false}, StraightCase{2026, -90.0, 180.0, 12, false},
                      StraightCase{-4712, 52.0, 9.8, 1, true}, StraightCase{1582, 40.0, 12.5, 1, false},
                      StraightCase{-999999, 35.0, 139.7, 9, false}, StraightCase{999999, -33.9, 18.4, 2, false}),
    [](const ::testing::TestParamInfo<StraightCase>& info) {
        return test::NameOfNumber(info.param.year) + "_Lat" + test::NameOfNumber(info.param.latitude) + "_Lon" +
               test::NameOfNumber(info.param.longitude);
    });

// Between the exact nodes the interpolated Sun stays far inside the
// tolerance that decides when a band is computed exactly after all.
TEST(ChartTwilightSampling, InterpolatedSunStaysWithinATenthOfTheTolerance) {
    for (const int year : {-999999, -4712, 2026, 999999}) {
        const TwilightSunYear sun = ComputeTwilightSunYear(At(year, 0, 0, 1, true), 2);
        EphemerisContext context = sun.nutation;
        double worst = 0.0;
        for (std::size_t d = 0; d < sun.dayJd.size(); d += 7) {
            for (int i = 0; i < kTwilightSamplesPerDay; ++i) {
                const BodyPosition exact = ComputeBodyPosition(context, BodyId::kSun, TwilightSampleInstant(sun, d, i));
                const TwilightSunYear::Sample& s = sun.samples[d * kTwilightSamplesPerDay + i];
                const double ra = std::fabs(std::remainder(s.sunRa - exact.ra, 2.0 * kPi));
                worst = std::max({worst, ra, std::fabs(s.sinDeclination - std::sin(exact.dec)),
                                  std::fabs(s.cosDeclination - std::cos(exact.dec))});
            }
        }
        EXPECT_LT(worst, kTwilightSunTolerance / 10.0) << year;
    }
}

TEST(ChartTwilightSampling, ExtremeInputsFinish) {
    for (int year : {-999999, 999999}) (void)SampleTwilightYear(At(year, 52, 9.8, 1, true));
    const std::vector<TwilightDay> nan = SampleTwilightYear(At(2026, std::nan(""), 0, 1, true));
    for (const TwilightDay& d : nan) EXPECT_EQ(d.darknessHours, d.darknessHours);
}

}  // namespace
}  // namespace velmarin
