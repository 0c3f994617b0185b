#pragma once

#include <vector>

#include "core/chart/chart_pass.h"
#include "core/chart/night_colors.h"
#include "core/sky/night_passes.h"
#include "core/sky/twilight_sampling.h"

namespace velmarin {

// Draws the rise, set (solid) and transit (thin, dashed) curves of Mercury ..
// Neptune in their catalogue colours, thick where they pass over the night
// (astronomical twilight or darkness, as `days` sampled it), and a label
// with each planet's name beside each curve.
void DrawPlanetPasses(ChartPass& pass, const NightPassYear& passes, const std::vector<TwilightDay>& days);

// The twilight chart's legend: sunshine, darkness, the key to the shading
// and what the overlays add, continuing the location line at (x, y) whose row is
// rowHeight high, wrapping to left; in the caption font, or in a smaller
// one where the rows would not fit on the page. Leaves the legend cursor on
// the last entry.
void DrawNightLegend(ChartPass& pass, LegendCursor& legend, int left, int x, int y, int rowHeight);

}  // namespace velmarin
