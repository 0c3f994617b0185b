// The twilight chart's layer: the band cells and curves with what "mit
// Planeten" and "mit Mondlicht" add.
#include "core/chart/layers.h"
#include "core/chart/night_overlay.h"
#include "core/chart/twilight_chart.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

void DrawTwilightChart(ChartPass& pass, const YearSky& sky, const NightTargets& targets) {
    Surface& dc = pass.dc;
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    // Nutation of the chart's first day serves the sidereal times of the
    // whole pass (and of readouts that follow it).
    ComputeNutation(pass.ephemeris, pass.layout.startJd);

    const Pen pen = dc.SelectPen(Pen{});
    const Brush brush = dc.SelectBrush(Brush{});
    DrawTwilightDays(dc, pass.layout, pass.catalogue, *sky.bands, TwilightCells::MergedRuns,
                     pass.settings.showMoonlight != 0 ? sky.moonlight : nullptr);
    const NightPassYear* planets = pass.settings.showPlanets != 0 ? sky.passes : nullptr;
    if (planets != nullptr || targets.passes != nullptr) DrawPlanetPasses(pass, planets, targets, *sky.bands);
    dc.SelectPen(pen);
    dc.SelectBrush(brush);
}

void DrawTwilightChart(ChartPass& pass, const YearSky& sky) { DrawTwilightChart(pass, sky, NightTargets{}); }

}  // namespace velmarin
