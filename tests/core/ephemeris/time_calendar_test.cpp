#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/ephemeris/time_calendar.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

// --- FloorValue / NormalizeAngle / NormalizeHours / FractionalRemainder ---

struct FloorCase {
    double x;
    double expected;
};
class EphemFloorValue : public ::testing::TestWithParam<FloorCase> {};

TEST_P(EphemFloorValue, GivesLargestWholeNumberBelowAndSaturates) {
    EXPECT_EQ(FloorValue(GetParam().x), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EphemFloorValue,
    ::testing::Values(FloorCase{2.5, 2.0}, FloorCase{-0.5, -1.0}, FloorCase{-1.0, -1.0},
                      FloorCase{-1.0000001, -2.0}, FloorCase{0.0, 0.0}, FloorCase{-0.0, 0.0},
                      FloorCase{-2147483647.5, -2147483648.0},
                      FloorCase{2147483646.5, 2147483646.0},
                      // Beyond the 32-bit range: saturated, never undefined.
                      FloorCase{1e300, 2147483647.0}, FloorCase{-1e300, -2147483648.0},
                      FloorCase{std::numeric_limits<double>::infinity(), 2147483647.0},
                      FloorCase{std::numeric_limits<double>::quiet_NaN(), 0.0}),
    [](const ::testing::TestParamInfo<FloorCase>& info) {
        return "Of_" + test::NameOfNumber(info.param.x);
    });

TEST(EphemNormalize, AnglesAndHoursLandInTheirRange) {
    // Hand check: -0.1 rad is 2pi - 0.1 with the program's pi.
    EXPECT_NEAR(NormalizeAngle(-0.1), 2.0 * kPi - 0.1, 1e-15);
    EXPECT_NEAR(NormalizeAngle(7.0 * kPi), kPi, 1e-12);
    EXPECT_NEAR(NormalizeHours(-1.5), 22.5, 1e-15);
    EXPECT_NEAR(NormalizeHours(49.25), 1.25, 1e-13);
    for (double x = -1000.0; x <= 1000.0; x += 0.0137) {
        const double a = NormalizeAngle(x);
        ASSERT_GE(a, 0.0) << x;
        ASSERT_LT(a, 2.0 * kPi) << x;
        const double h = NormalizeHours(x);
        ASSERT_GE(h, 0.0) << x;
        ASSERT_LT(h, 24.0) << x;
    }
}

TEST(EphemFractionalRemainder, KeepsTheSignOfTheDividend) {
    EXPECT_NEAR(FractionalRemainder(7.5, 2.0), 1.5, 1e-15);
    EXPECT_NEAR(FractionalRemainder(-7.5, 2.0), -1.5, 1e-15);
}

TEST(EphemRectangularToSpherical, QuadrantsPolesAndOrigin) {
    EXPECT_NEAR(RectangularToSpherical(1, 0, 0).longitude, 0.0, 1e-15);
    // The atan branches use the library's full-precision pi/4.
    EXPECT_NEAR(RectangularToSpherical(0, 1, 0).longitude, kPi / 2, 1e-10);
    EXPECT_NEAR(RectangularToSpherical(-1, 0, 0).longitude, kPi, 1e-12);
    EXPECT_NEAR(RectangularToSpherical(0, -1, 0).longitude, 1.5 * kPi, 1e-10);
    EXPECT_NEAR(RectangularToSpherical(-1, -1e-9, 0).longitude, kPi + 1e-9, 1e-12);
    const SphericalCoordinates origin = RectangularToSpherical(0, 0, 1.0000001);
    EXPECT_EQ(origin.longitude, 0.0);
    EXPECT_EQ(origin.latitude, kPi / 2);
    EXPECT_NEAR(RectangularToSpherical(1, 0, 0.5).latitude, std::asin(0.5), 1e-15);
}

// --- ConvertCalendar ---

TEST(EphemConvertCalendar, KnownJulianDaysAndWeekdays) {
    // 2000-01-01 12 h is J2000 (2451545.0), a Saturday.
    CalendarInstant noon;
    noon.hour = 12.0;
    noon.day = 1;
    noon.month = 1;
    noon.year = 2000;
    ConvertCalendar(CalendarDirection::kDateToJulianDay, noon);
    EXPECT_EQ(noon.jd, 2451545.0);
    EXPECT_EQ(noon.weekday, 6);
    const CalendarInstant back = CalendarFromJulianDay(2451545.0);
    EXPECT_NEAR(back.hour, 12.0, 1e-9);
    EXPECT_EQ(back.day, 1);
    EXPECT_EQ(back.month, 1);
    EXPECT_EQ(back.year, 2000);
    EXPECT_EQ(back.weekday, 6);

    // The calendar switch: Thursday 4 October 1582 (Julian) is followed by
    // Friday 15 October 1582 (Gregorian).
    EXPECT_EQ(JulianDayFromDate(4, 10, 1582), 2299159.5);
    EXPECT_EQ(JulianDayFromDate(15, 10, 1582), 2299160.5);
    EXPECT_EQ(CalendarFromJulianDay(2299159.5).weekday, 4);
    EXPECT_EQ(CalendarFromJulianDay(2299160.5).weekday, 5);
    const CalendarInstant switchDay = CalendarFromJulianDay(2299160.5);
    EXPECT_EQ(switchDay.day, 15);
    EXPECT_EQ(switchDay.month, 10);
    const CalendarInstant lastJulian = CalendarFromJulianDay(2299159.5);
    EXPECT_EQ(lastJulian.day, 4);
    EXPECT_EQ(lastJulian.month, 10);

    // Independent reference: 1 January 1900 0 h is JD 2415020.5, a Monday.
    EXPECT_EQ(JulianDayFromDate(1, 1, 1900), 2415020.5);
    EXPECT_EQ(CalendarFromJulianDay(2415020.5).weekday, 1);
}

TEST(EphemConvertCalendar, EveryDayRoundTripsAndStepsByOne) {
    // Years 1 .. 3000 through both calendars: date -> JD -> date gives the
    // same date, consecutive days are one JD apart (the ten dropped days of
    // October 1582 aside) and the weekday advances by one.
    const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    double previousJd = JulianDayFromDate(31, 12, 0) ;
    int previousWeekday = CalendarFromJulianDay(previousJd).weekday;
    for (int year = 1; year <= 3000; ++year) {
        const bool julian = year < 1582;
        const bool leap = julian ? year % 4 == 0 : (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0));
        for (int month = 1; month <= 12; ++month) {
            const int days = monthDays[month - 1] + (month == 2 && leap ? 1 : 0);
            for (int day = 1; day <= days; ++day) {
                if (year == 1582 && month == 10 && day > 4 && day < 15) continue;
                const double jd = JulianDayFromDate(day, month, year, 0.0);
                const CalendarInstant back = CalendarFromJulianDay(jd);
                ASSERT_EQ(back.day, day) << year << "-" << month;
                ASSERT_EQ(back.month, month) << year << "-" << month << "-" << day;
                ASSERT_EQ(back.year, year) << month << "-" << day;
                ASSERT_EQ(back.hour, 0.0);
                if (year > 1) {
                    ASSERT_EQ(jd - previousJd, 1.0) << year << "-" << month << "-" << day;
                    ASSERT_EQ(back.weekday, (previousWeekday + 1) % 7) << year << "-" << month << "-" << day;
                }
                previousJd = jd;
                previousWeekday = back.weekday;
            }
        }
    }
}

class EphemCalendarBeforeYearOne : public ::testing::TestWithParam<int> {};

TEST_P(EphemCalendarBeforeYearOne, EveryDayRoundTripsAndStepsByOne) {
    // The Julian calendar run back to the accepted limit: four years are
    // 1461 days, each day one JD after the last, every date coming back,
    // hours and weekdays counting forward across JD 0. The Julian Day's own
    // definition anchors it: JD 0.0 is noon of 1 January 4713 BC (-4712).
    const int firstYear = GetParam();
    const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    EXPECT_EQ(JulianDayFromDate(1, 1, firstYear + 4) - JulianDayFromDate(1, 1, firstYear), 1461.0);
    double previousJd = JulianDayFromDate(31, 12, firstYear - 1, 6.0);
    int previousWeekday = CalendarFromJulianDay(previousJd).weekday;
    for (int year = firstYear; year < firstYear + 8; ++year) {
        const bool leap = ((year % 4) + 4) % 4 == 0;
        for (int month = 1; month <= 12; ++month) {
            const int days = monthDays[month - 1] + (month == 2 && leap ? 1 : 0);
            for (int day = 1; day <= days; ++day) {
                const double jd = JulianDayFromDate(day, month, year, 6.0);
                const CalendarInstant back = CalendarFromJulianDay(jd);
                ASSERT_EQ(back.year, year) << month << "-" << day;
                ASSERT_EQ(back.month, month) << year << "-" << day;
                ASSERT_EQ(back.day, day) << year << "-" << month;
                ASSERT_NEAR(back.hour, 6.0, 1e-6) << year << "-" << month << "-" << day;
                ASSERT_EQ(jd - previousJd, 1.0) << year << "-" << month << "-" << day;
                ASSERT_EQ(back.weekday, (previousWeekday + 1) % 7) << year << "-" << month << "-" << day;
                previousJd = jd;
                previousWeekday = back.weekday;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Eras, EphemCalendarBeforeYearOne, ::testing::Values(-999999, -500003, -4716, -4713, -1001, -4),
    [](const ::testing::TestParamInfo<int>& info) { return "Year" + test::NameOfNumber(info.param); });

TEST(EphemConvertCalendar, JulianDayZeroIsNoonOfJanuaryFirst4713BC) {
    EXPECT_EQ(JulianDayFromDate(1, 1, -4712, 12.0), 0.0);
    const CalendarInstant zero = CalendarFromJulianDay(0.0);
    EXPECT_EQ(zero.year, -4712);
    EXPECT_EQ(zero.month, 1);
    EXPECT_EQ(zero.day, 1);
    EXPECT_NEAR(zero.hour, 12.0, 1e-9);
    // JD 0 fell on a Monday (weekdays repeat every 7 days from J2000, a Saturday).
    EXPECT_EQ(zero.weekday, 1);
}

TEST(EphemConvertCalendar, HoursSurviveTheRoundTrip) {
    for (double hour = 0.0; hour < 24.0; hour += 0.37) {
        const CalendarInstant back = CalendarFromJulianDay(JulianDayFromDate(17, 8, 2031, hour));
        EXPECT_NEAR(back.hour, hour, 1e-8);
        EXPECT_EQ(back.day, 17);
    }
}

TEST(EphemConvertCalendar, ExtremeYearsAndJulianDaysStayDefined) {
    // The accepted years, and inputs far beyond: no overflow, no trap.
    for (int year : {-999999, -100000, -4713, 0, 999999, std::numeric_limits<int>::max(),
                     std::numeric_limits<int>::min()}) {
        const double jd = JulianDayFromDate(1, 1, year);
        EXPECT_TRUE(std::isfinite(jd)) << year;
        (void)CalendarFromJulianDay(jd);
    }
    EXPECT_EQ(CalendarFromJulianDay(JulianDayFromDate(1, 3, 999999)).year, 999999);
    for (double jd : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                      std::numeric_limits<double>::infinity()}) {
        const CalendarInstant c = CalendarFromJulianDay(jd);
        (void)c;
    }
}

// --- IsLeapYear ---

TEST(EphemLeapYear, JulianBeforeTheSwitchGregorianAfter) {
    for (int year : {4, 1500, 1580, 1600, 2000, 2024}) EXPECT_TRUE(IsLeapYear(year)) << year;
    for (int year : {1, 1582, 1700, 1900, 2023, 2100}) EXPECT_FALSE(IsLeapYear(year)) << year;
}

// The back conversion is an independent computation: a 29 February must come
// back as itself exactly in the years the rule calls leap.
TEST(EphemLeapYear, AgreesWithTheBackConversion) {
    for (int year = 1; year <= 3000; ++year) {
        const CalendarInstant date = CalendarFromJulianDay(JulianDayFromDate(29, 2, year, 12.0));
        EXPECT_EQ(IsLeapYear(year), date.month == 2 && date.day == 29) << year;
    }
}

// --- IsSummerTime ---

struct SummerCase {
    int month, day, weekday;
    bool expected;
};
class EphemSummerTime : public ::testing::TestWithParam<SummerCase> {};

TEST_P(EphemSummerTime, FollowsTheLastSundayRule) {
    const SummerCase& c = GetParam();
    EXPECT_EQ(IsSummerTime(c.month, c.day, c.weekday), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EphemSummerTime,
    ::testing::Values(SummerCase{3, 31, 0, true},    // last Sunday of March
                      SummerCase{3, 25, 6, false},   // Saturday before it
                      SummerCase{3, 30, 6, false},   // 30 - 6 = 24: not yet
                      SummerCase{3, 25, 0, true},    // earliest last Sunday
                      SummerCase{3, 24, 0, false},
                      SummerCase{4, 1, 3, true}, SummerCase{9, 30, 2, true},
                      SummerCase{10, 31, 0, false},  // last Sunday of October
                      SummerCase{10, 24, 6, true}, SummerCase{10, 30, 6, true},
                      SummerCase{10, 31, 1, false}, SummerCase{11, 5, 0, false},
                      SummerCase{1, 15, 0, false}, SummerCase{12, 31, 4, false}),
    [](const ::testing::TestParamInfo<SummerCase>& info) {
        return "Month" + test::NameOfNumber(info.param.month) + "_Day" + test::NameOfNumber(info.param.day) +
               "_Weekday" + test::NameOfNumber(info.param.weekday);
    });

// --- Sidereal time and nutation ---

TEST(EphemSiderealTime, ZeroHoursValueHandCheckedAndRealistic) {
    // Hand check: at the formula's epoch the hours are 6.656306, rounded to
    // single precision.
    EXPECT_EQ(SiderealTimeAtZeroHours(2445700.5),
              NormalizeAngle(static_cast<double>(static_cast<float>(6.656306)) / 12.0 * kPi));
    // Greenwich mean sidereal time at 2000-01-01 0 h UT is 6 h 39 m 52.3 s
    // (6.66452 h, astronomical almanac); the float rounding costs < 0.001 h.
    EXPECT_NEAR(SiderealTimeAtZeroHours(2451544.5) * 12.0 / kPi, 6.66452, 0.002);
    for (double jd = 2378496.5; jd < 2524593.5; jd += 97.0) {
        const double s = SiderealTimeAtZeroHours(jd);
        ASSERT_GE(s, 0.0);
        ASSERT_LT(s, 2.0 * kPi);
    }
    // Far beyond the float range whole days are taken off before the
    // rounding, so even a meaningless day gives an angle, never undefined
    // behaviour; infinity and NaN stay not finite.
    for (const double far : {1e300, -1e300}) {
        EXPECT_GE(SiderealTimeAtZeroHours(far), 0.0);
        EXPECT_LT(SiderealTimeAtZeroHours(far), 2.0 * kPi);
    }
    EXPECT_FALSE(std::isfinite(SiderealTimeAtZeroHours(std::numeric_limits<double>::infinity())));
    EXPECT_FALSE(std::isfinite(SiderealTimeAtZeroHours(std::numeric_limits<double>::quiet_NaN())));
}

TEST(EphemNutation, J2000ValuesMatchTheAlmanac) {
    EphemerisContext context;
    ComputeNutation(context, 2451545.0);
    // Nutation in longitude at J2000 is about -13.9", the true obliquity
    // 23.4377 deg (mean 23.4393 deg plus -5.8" nutation in obliquity).
    EXPECT_NEAR(context.nutationLongitude / 4.848136811e-6, -13.9, 0.5);
    EXPECT_NEAR(context.trueObliquity * 180.0 / kPi, 23.4377, 0.0005);
}

TEST(EphemLocalSiderealTime, MeanTimeAtJ2000AndLongitudeShift) {
    EphemerisContext context;
    ComputeNutation(context, 2451545.0);
    // Greenwich sidereal time at 2000-01-01 12 h UT: 18 h 41 m 50.5 s mean
    // (18.69736 h); the equation of the equinoxes adds about -0.85 s.
    LocalSiderealTime(context, 2451545.0, 0.0);
    EXPECT_NEAR(context.localSiderealTime * 12.0 / kPi, 18.69736, 0.0005);
    const double greenwich = context.localSiderealTime;
    // 90 degrees east is six hours later in local sidereal time.
    LocalSiderealTime(context, 2451545.0, kPi / 2.0);
    EXPECT_NEAR(NormalizeAngle(context.localSiderealTime - greenwich), kPi / 2.0, 1e-9);
    // One sidereal day is 23 h 56 m 4.1 s of UT.
    LocalSiderealTime(context, 2451545.0 + 0.99726957, 0.0);
    EXPECT_NEAR(context.localSiderealTime, greenwich, 1e-5);
}

// --- FormatHoursMinutes ---

struct FormatCase {
    double hours;
    const char* expected;
};
class EphemFormatHoursMinutes : public ::testing::TestWithParam<FormatCase> {};

TEST_P(EphemFormatHoursMinutes, TruncatesMinutes) {
    EXPECT_EQ(FormatHoursMinutes(GetParam().hours / 12.0 * kPi), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, EphemFormatHoursMinutes,
                         ::testing::Values(FormatCase{6.0, " 6:00"}, FormatCase{0.0, " 0:00"},
                                           FormatCase{0.999, " 0:59"}, FormatCase{23.99, "23:59"},
                                           FormatCase{12.5, "12:30"}),
                         [](const ::testing::TestParamInfo<FormatCase>& info) {
                             return test::NameOfNumber(info.param.hours) + "_hours";
                         });

// --- SiderealTimeAtZeroHours over whole years, near and far ---

class EphemSiderealYear : public ::testing::TestWithParam<int> {};

// Day by day the line advances by the formula's 0.0657098242 h, in every
// accepted year: no stair steps where the hours outgrow single precision.
TEST_P(EphemSiderealYear, AdvancesEvenlyEveryDay) {
    constexpr double kPiLong = 3.14159265358979323846;
    constexpr double kDailyAdvance = 0.0657098242 / 12.0 * kPiLong;  // rad
    // The float's resolution at 8192 h (2^-11 h) and the chart's pi.
    const double tolerance = std::ldexp(1.0, -11) / 12.0 * kPiLong + 1e-9;
    const double firstDay = 2461041.5 + 365.25 * (GetParam() - 2026);  // about 1 January
    double previous = SiderealTimeAtZeroHours(firstDay);
    for (int day = 1; day <= 366; ++day) {
        const double angle = SiderealTimeAtZeroHours(firstDay + day);
        ASSERT_GE(angle, 0.0);
        ASSERT_LT(angle, 2.0 * kPiLong);
        const double advance = std::remainder(angle - previous, 2.0 * kPiLong);
        ASSERT_NEAR(advance, kDailyAdvance, tolerance) << "day " << day;
        previous = angle;
    }
    // The value itself, against the formula in long double reduced to a day.
    const long double hours = 6.656306L + 0.0657098242L * (static_cast<long double>(firstDay) - 2445700.5L);
    const double expected = static_cast<double>(std::fmod(std::fmod(hours, 24.0L) + 24.0L, 24.0L) / 12.0L * kPiLong);
    EXPECT_NEAR(std::remainder(SiderealTimeAtZeroHours(firstDay) - expected, 2.0 * kPiLong), 0.0, tolerance);
}

INSTANTIATE_TEST_SUITE_P(Years, EphemSiderealYear,
                         ::testing::Values(-999999, -100000, 0, 1850, 2026, 2400, 40000, 999999),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param < 0 ? "minus_" + std::to_string(-info.param)
                                                   : "year_" + std::to_string(info.param);
                         });

}  // namespace
}  // namespace velmarin
