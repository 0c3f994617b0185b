// The observer's targets on the angle charts, on raster output: a star's
// line lies at its right ascension all year, and against the anti-Sun it
// crosses the middle of the chart on the date PyEphem gives for its
// opposition in right ascension.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/app/target_readout.h"
#include "core/chart/draw_chart.h"
#include "core/chart/target_tracks.h"
#include "core/ephemeris/time_calendar.h"
#include "qt/chart/layer_image.h"

namespace velmarin {
namespace {

using testing::PaintOnImage;
using testing::PixelAt;

constexpr double kHour = 3.14159265358979323846 / 12.0;
constexpr double kDegree = 3.14159265358979323846 / 180.0;

// M13, J2000: 16h 41m 41.2s, +36 27' 35"; in 2026 no planet's track runs
// along its right ascension for long.
FixedTarget Hercules() {
    FixedTarget t;
    t.name = "M13";
    t.ra = (16.0 + 41.0 / 60.0 + 41.2 / 3600.0) * kHour;
    t.dec = (36.0 + 27.0 / 60.0 + 35.0 / 3600.0) * kDegree;
    return t;
}

QImage Chart(int width, int height, DisplayMode mode, ChartViewState& state) {
    ChartSettings settings;
    settings.displayMode = mode;
    state.targets = std::make_shared<const std::vector<Target>>(std::vector<Target>{Hercules()});
    return PaintOnImage(width, height, [&](Surface& dc) {
        DrawChart(dc, ScreenCharHeight(), 2026, 0.0, settings, state);
    });
}

// Whether the pixel at the date and angle, or one beside it along the
// angle axis, carries `colour`.
bool LineAt(const QImage& image, const ChartLayout& l, double jd, double angle, Color colour, int reach) {
    const Point p = MapToPage(l, jd, angle);
    for (int d = -reach; d <= reach; ++d) {
        const int x = l.portrait ? p.x + d : p.x;
        const int y = l.portrait ? p.y : p.y + d;
        if (PixelAt(image, x, y) == colour) return true;
    }
    return false;
}

class TargetLines : public ::testing::TestWithParam<std::pair<int, int>> {};

// On the 10th and 20th of every month the star's colour lies at its right
// ascension (the Moon's or a planet's track may cover it on a day or two).
TEST_P(TargetLines, AStarsLineLiesAtItsRightAscension) {
    const auto [width, height] = GetParam();
    ChartViewState state;
    const QImage image = Chart(width, height, DisplayMode::Normal, state);
    int checked = 0, found = 0;
    for (int month = 1; month <= 12; ++month) {
        for (int day : {10, 20}) {
            ++checked;
            found += LineAt(image, state.layout, JulianDayFromDate(day, month, 2026), Hercules().ra, TargetColor(0), 1);
        }
    }
    EXPECT_GE(found, checked - 2) << width << "x" << height;
}

// PyEphem: the Sun's astrometric right ascension is M13's plus 12 h at
// 2026-06-03 00:00 UT (JD 2461194.5). Against the anti-Sun the line passes
// the middle of the angle axis there, within a day and a half. (The
// sidereal line runs along the middle, so the crossing is found from the
// line's points on either side: a straight fit over three weeks.)
TEST_P(TargetLines, AgainstTheAntiSunTheLineCrossesTheMiddleAtOpposition) {
    const auto [width, height] = GetParam();
    ChartViewState state;
    const QImage image = Chart(width, height, DisplayMode::Midnight, state);
    const ChartLayout& l = state.layout;
    constexpr double kOpposition = 2461194.5;
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (double jd = kOpposition - 10.0; jd <= kOpposition + 10.0; jd += 1.0) {
        const Point middle = MapToPage(l, jd, 12.0 * kHour);
        // The target's pixel nearest the middle along the angle axis.
        for (int d = 0; d < 60; ++d) {
            int found = 0;
            for (const int offset : {d, -d}) {
                const int x = l.portrait ? middle.x + offset : middle.x;
                const int y = l.portrait ? middle.y : middle.y + offset;
                if (PixelAt(image, x, y) == TargetColor(0)) found = offset == 0 ? 1 : offset;
            }
            if (found == 0 && d > 0) continue;
            if (d == 0 && PixelAt(image, middle.x, middle.y) != TargetColor(0)) continue;
            const double t = jd - kOpposition;
            n += 1;
            sx += t;
            sy += found;
            sxx += t * t;
            sxy += t * found;
            break;
        }
    }
    ASSERT_GE(n, 10) << width << "x" << height;
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    const double intercept = (sy - slope * sx) / n;
    ASSERT_NE(slope, 0.0);
    EXPECT_NEAR(-intercept / slope, 0.0, 1.5) << width << "x" << height;
}

// The readout names the star where the pointer is on its line, with its
// place, and nothing a few pixels off it.
TEST_P(TargetLines, TheReadoutNamesTheStarUnderThePointer) {
    const auto [width, height] = GetParam();
    ChartViewState state;
    const QImage image = Chart(width, height, DisplayMode::Normal, state);
    const std::vector<Target> targets{Hercules()};
    const Point on = MapToPage(state.layout, JulianDayFromDate(15, 3, 2026), Hercules().ra);
    ASSERT_EQ(PixelAt(image, on.x, on.y), TargetColor(0));
    const std::optional<ReadoutDecision> named = TargetReadout(targets, TargetColor(0), on, state.layout, DisplayMode::Normal);
    ASSERT_TRUE(named.has_value());
    EXPECT_EQ(named->action, ReadoutDecision::Action::Show);
    EXPECT_NE(named->text.find("M13|16:41, +36.5°"), std::string::npos) << named->text;
    const Point off{state.layout.portrait ? on.x + 8 : on.x, state.layout.portrait ? on.y : on.y + 8};
    EXPECT_FALSE(TargetReadout(targets, TargetColor(0), off, state.layout, DisplayMode::Normal).has_value());
    EXPECT_FALSE(TargetReadout(targets, TargetColor(1), on, state.layout, DisplayMode::Normal).has_value());
}

INSTANTIATE_TEST_SUITE_P(Pages, TargetLines,
                         ::testing::Values(std::pair{1280, 960}, std::pair{960, 1280}),
                         [](const ::testing::TestParamInfo<std::pair<int, int>>& info) {
                             return std::to_string(info.param.first) + "x" + std::to_string(info.param.second);
                         });

}  // namespace
}  // namespace velmarin
