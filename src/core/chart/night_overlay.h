#pragma once

#include <vector>

#include "core/sky/target_passes.h"
#include "core/chart/chart_pass.h"
#include "core/chart/night_colors.h"
#include "core/sky/night_passes.h"
#include "core/sky/twilight_sampling.h"

namespace velmarin {

// The observer's targets whose curves "mit Zielen" adds: their passes (one
// set of curves per target, in the order of `targets`), or none.
struct NightTargets {
    const TargetPassYear* passes = nullptr;
    const std::vector<Target>* targets = nullptr;
};

// Draws the rise, set (solid) and transit (thin, dashed) curves of Mercury ..
// Neptune in their catalogue colours (none when `passes` is null) and of the
// targets in their lines' colours, thick where they pass over the night
// (astronomical twilight or darkness, as `days` sampled it), and a label
// with each name beside each curve.
void DrawPlanetPasses(ChartPass& pass, const NightPassYear* passes, const NightTargets& targets,
                      const std::vector<TwilightDay>& days);

// The twilight chart's legend: sunshine, darkness, the key to the shading
// and what the overlays add, continuing the location line at (x, y) whose row is
// rowHeight high, wrapping to left; in the caption font, or in a smaller
// one where the rows would not fit on the page. Leaves the legend cursor on
// the last entry.
void DrawNightLegend(ChartPass& pass, LegendCursor& legend, int left, int x, int y, int rowHeight);

}  // namespace velmarin
