// The planets' curves over the twilight chart where the clock changes: a
// clean step along the time axis on the change day, as the bands show it,
// never a sloped stretch that joins the two clocks across days.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/chart/draw_chart.h"
#include "core/sky/night_passes.h"
#include "layer_fixture.h"

namespace velmarin {
namespace {

using testing::RecordingSurface;
using testing::SurfaceCall;

struct ClockCase {
    const char* name;
    int width, height;
    std::string zone;  // empty: UT+1 with the built-in summer time
};

class NightOverlayClockChange : public ::testing::TestWithParam<ClockCase> {};

TEST_P(NightOverlayClockChange, CurvesStepAtTheChangeInsteadOfSloping) {
    const ClockCase& c = GetParam();
    ChartSettings settings;
    settings.displayMode = DisplayMode::Twilight;
    settings.showPlanets = 1;
    settings.zone = c.zone;
    ChartViewState state;
    RecordingSurface dc(c.width, c.height);
    DrawChart(dc, 15, 2026, 0.0, settings, state);
    const ChartLayout& l = state.layout;
    // Page units per hour along the time axis, and the date axis's direction.
    const double perHour = (l.portrait ? l.plotRight - l.plotLeft : l.plotBottom - l.plotTop) / 24.0;
    int steps = 0, lines = 0;
    for (int body = kFirstOverlayPlanet; body < kFirstOverlayPlanet + kOverlayPlanetCount; ++body) {
        if (body == IndexOf(BodyId::kMars)) continue;  // shares its colour with the sunshine curve
        const Color colour = state.catalogue.entries[body].color;
        for (const SurfaceCall& line : testing::LinesIn(dc, colour)) {
            const int alongDays = l.portrait ? line.y2 - line.y1 : line.x2 - line.x1;
            const int alongTime = l.portrait ? line.x2 - line.x1 : line.y2 - line.y1;
            ++lines;
            if (alongDays == 0) {
                if (std::abs(alongTime) > perHour / 2) ++steps;
                continue;
            }
            // Two days of a planet's rise, set or transit move by far less
            // than the clock's hour (Mercury: about 20 min at most).
            EXPECT_LT(std::abs(alongTime), 0.6 * perHour)
                << "body " << body << " line " << line.x1 << "," << line.y1 << " - " << line.x2 << "," << line.y2;
        }
    }
    EXPECT_GT(lines, 1000);
    // Two changes a year for each of the six planets' three curves, less
    // those below the horizon or beyond the edges at the change.
    EXPECT_GE(steps, 12);
}

INSTANTIATE_TEST_SUITE_P(
    TwilightChart, NightOverlayClockChange,
    ::testing::Values(ClockCase{"landscape_built_in_summer_time", 1280, 960, ""},
                      ClockCase{"portrait_built_in_summer_time", 800, 1100, ""}),
    [](const ::testing::TestParamInfo<ClockCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmarin
