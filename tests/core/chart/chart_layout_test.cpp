// Page layout and the (date, angle) <-> page mapping.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/chart/chart_layout.h"
#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/time_calendar.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

struct LayoutCase {
    const char* name;
    int width, height;
    bool printing;
    int left, top, right, bottom;
    int tickShortX, tickShortY, tickLongX, tickLongY;
    int gridMarkHalf, penUnit;
    bool portrait;
};

class ChartLayoutNumbersTest : public ::testing::TestWithParam<LayoutCase> {};

// Expected values worked out by hand from the reference page 640 x 480 with
// plot (28, 50)-(612, 424), truncating toward zero.
TEST_P(ChartLayoutNumbersTest, EveryFieldFollowsFromThePageSize) {
    const LayoutCase c = GetParam();
    const ChartLayout l = LayoutChart(c.width, c.height, c.printing, 16);
    EXPECT_EQ(l.pageWidth, c.width);
    EXPECT_EQ(l.pageHeight, c.height);
    EXPECT_EQ(l.plotLeft, c.left);
    EXPECT_EQ(l.plotTop, c.top);
    EXPECT_EQ(l.plotRight, c.right);
    EXPECT_EQ(l.plotBottom, c.bottom);
    EXPECT_EQ(l.tickShortX, c.tickShortX);
    EXPECT_EQ(l.tickShortY, c.tickShortY);
    EXPECT_EQ(l.tickLongX, c.tickLongX);
    EXPECT_EQ(l.tickLongY, c.tickLongY);
    EXPECT_EQ(l.gridMarkHalf, c.gridMarkHalf);
    EXPECT_EQ(l.penUnit, c.penUnit);
    EXPECT_EQ(l.portrait, c.portrait);
    EXPECT_EQ(l.printing, c.printing);
    EXPECT_DOUBLE_EQ(l.fontScale, c.height / 16.0 / 30.0);
    EXPECT_DOUBLE_EQ(l.fontFactor, c.printing ? 0.8 : 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ChartLayoutNumbersTest,
    ::testing::Values(
        LayoutCase{"reference", 640, 480, false, 28, 50, 612, 424, 6, 6, 15, 15, 3, 10, false},
        LayoutCase{"double", 1280, 960, false, 56, 100, 1224, 848, 12, 12, 30, 30, 6, 20, false},
        // gridMarkHalf 6 shrinks to trunc(4.8) on paper.
        LayoutCase{"doublePrint", 1280, 960, true, 56, 100, 1224, 848, 12, 12, 30, 30, 4, 20, false},
        // scaleX 1.875, scaleY 4.
        LayoutCase{"portrait", 1200, 1920, false, 52, 200, 1147, 1696, 11, 24, 28, 60, 5, 40, true},
        // scaleX 12.5, scaleY 16.67: 833.3, 7066.7, 187.5 truncate down.
        LayoutCase{"huge", 8000, 8000, false, 350, 833, 7650, 7066, 75, 100, 187, 250, 37, 166, false},
        LayoutCase{"tiny", 1, 1, false, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},
        LayoutCase{"tinyTall", 1, 2, true, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, true}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(ChartLayoutFonts, CharacterHeightSetsTheFontScaleAndZeroIsSafe) {
    EXPECT_DOUBLE_EQ(LayoutChart(640, 480, false, 16).fontScale, 1.0);
    EXPECT_DOUBLE_EQ(LayoutChart(1280, 960, false, 16).fontScale, 2.0);
    EXPECT_DOUBLE_EQ(LayoutChart(2000, 960, false, 16).fontScale, 2.0);  // width does not count
    EXPECT_TRUE(std::isfinite(LayoutChart(640, 480, false, 0).fontScale));
}

struct YearCase {
    int year;
    double startJd;  // 1 January 0 h, from the standard JD tables
    int leapDay;
};

class ChartYearTest : public ::testing::TestWithParam<YearCase> {};

TEST_P(ChartYearTest, StartAndLeapDayComeFromTheCalendar) {
    const YearCase c = GetParam();
    ChartLayout l = LayoutChart(640, 480, false, 16);
    SetChartYear(l, c.year);
    EXPECT_DOUBLE_EQ(l.startJd, c.startJd);
    EXPECT_EQ(l.leapDay, c.leapDay);
}

INSTANTIATE_TEST_SUITE_P(Years, ChartYearTest,
                         ::testing::Values(YearCase{2023, 2459945.5, 0}, YearCase{2024, 2460310.5, 1},
                                           YearCase{2000, 2451544.5, 1}, YearCase{1900, 2415020.5, 0},
                                           YearCase{2100, 2488069.5, 0}),
                         [](const ::testing::TestParamInfo<YearCase>& info) {
                             return "Year" + test::NameOfNumber(info.param.year);
                         });

ChartLayout PageForYear(int width, int height, int year) {
    ChartLayout l = LayoutChart(width, height, false, 16);
    SetChartYear(l, year);
    return l;
}

TEST(ChartMapping, LandscapeCornersAndTheLastDayOfTheYear) {
    for (const int year : {2023, 2024}) {
        const ChartLayout l = PageForYear(640, 480, year);
        EXPECT_EQ(MapToPage(l, l.startJd, 0.0), (Point{28, 50}));
        // Angle 2pi lands on the bottom edge: 374 reference units down.
        EXPECT_EQ(MapToPage(l, l.startJd, 2 * kPi).y, 424);
        EXPECT_EQ(MapToPage(l, l.startJd, kPi).y, 50 + 187);
        // 31 December lies 0.4 day short of the far edge in both kinds of year:
        // 584 * 364 / 364.4 + 28 = 611.36 and 584 * 365 / 365.4 + 28 = 611.36.
        const double lastDay = l.startJd + 364 + l.leapDay;
        EXPECT_EQ(MapToPage(l, lastDay, 0.0).x, 611) << year;
        EXPECT_EQ(MapToPage(l, lastDay + 0.41, 0.0).x, 612) << year;
    }
}

TEST(ChartMapping, PortraitTurnsTheChart) {
    const ChartLayout l = PageForYear(1200, 1920, 2023);
    ASSERT_TRUE(l.portrait);
    // Days run down the page; angle 0 is the right edge, 2pi the left edge.
    EXPECT_EQ(MapToPage(l, l.startJd, 0.0), (Point{52 + 1095, 200}));
    EXPECT_EQ(MapToPage(l, l.startJd, 2 * kPi).x, 52);
    EXPECT_EQ(MapToPage(l, l.startJd + 182.0, kPi), (Point{52 + 547, 200 + 747}));
}

TEST(ChartMapping, AnglesOutsideOneTurnAreNeitherWrappedNorClipped) {
    const ChartLayout l = PageForYear(640, 480, 2023);
    EXPECT_LT(MapToPage(l, l.startJd, -0.5).y, 50);
    EXPECT_GT(MapToPage(l, l.startJd, 2 * kPi + 0.5).y, 424);
}

struct RoundTripCase {
    int width, height, year;
};

class ChartRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

// MapToDate after MapToPage gives the date back within one device unit's
// worth of days, for every day of the year and several angles.
TEST_P(ChartRoundTripTest, MapToDateInvertsMapToPage) {
    const RoundTripCase c = GetParam();
    const ChartLayout l = PageForYear(c.width, c.height, c.year);
    ASSERT_FALSE(PlotCollapsed(l));
    const int extent = l.portrait ? l.plotBottom - l.plotTop : l.plotRight - l.plotLeft;
    const double dayPerUnit = (364.4 + l.leapDay) / extent;
    for (int day = 0; day <= 364 + l.leapDay; ++day) {
        for (const double angle : {0.0, 1.0, 3.0, 6.0}) {
            const double jd = l.startJd + day + 0.25;
            const Point p = MapToPage(l, jd, angle);
            const double back = MapToDate(l, p);
            EXPECT_LE(back, jd + 1e-9);
            EXPECT_GT(back, jd - dayPerUnit - 1e-9) << day;
            const double angleBack = MapToAngle(l, p);
            const double anglePerUnit =
                2 * kPi / (l.portrait ? 584 * l.scaleX : 374 * l.scaleY);
            EXPECT_NEAR(angleBack, angle, anglePerUnit + 1e-9) << day;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ChartRoundTripTest,
                         ::testing::Values(RoundTripCase{640, 480, 2023}, RoundTripCase{1280, 960, 2024},
                                           RoundTripCase{1200, 1920, 2024}, RoundTripCase{333, 1000, 1999},
                                           RoundTripCase{8000, 8000, 2025}),
                         [](const ::testing::TestParamInfo<RoundTripCase>& info) {
                             return test::NameOfPage(info.param.width, info.param.height) + "_" +
                                    test::NameOfNumber(info.param.year);
                         });

TEST(ChartMapping, CollapsedPlotsAndWildInputsStayDefined) {
    ChartLayout tiny = PageForYear(1, 1, 2024);
    EXPECT_TRUE(PlotCollapsed(tiny));
    EXPECT_DOUBLE_EQ(MapToDate(tiny, Point{0, 0}), tiny.startJd);
    EXPECT_TRUE(std::isfinite(MapToAngle(tiny, Point{0, 0})));
    EXPECT_FALSE(PlotCollapsed(PageForYear(100, 100, 2024)));

    const ChartLayout l = PageForYear(8000, 8000, 2024);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Non-finite and far-off values come out as bounded coordinates.
    for (const double jd : {nan, inf, -inf, 1e300, -1e300}) {
        const Point p = MapToPage(l, jd, 1.0);
        EXPECT_LE(std::abs(p.x), 1 << 28);
        EXPECT_LE(std::abs(p.y), 1 << 28);
    }
    for (const double angle : {nan, inf, 1e300}) {
        const Point p = MapToPage(l, l.startJd, angle);
        EXPECT_LE(std::abs(p.y), 1 << 28);
    }
}

}  // namespace
}  // namespace velmarin
