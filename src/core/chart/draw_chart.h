#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/chart/body_catalogue.h"
#include "core/chart/chart_layout.h"
#include "core/chart/chart_pass.h"
#include "core/chart/chart_settings.h"
#include "core/chart/surface.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/ephemeris/ephemeris_context.h"
#include "core/sky/target_passes.h"
#include "core/sky/year_sky.h"
#include "core/targets/target.h"

namespace velmarin {

// The chart state a view keeps between drawing passes.
struct ChartViewState {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    bool colorReadBack = true;  // until the first screen caption pass
    ChartLayout layout;         // of the last pass
    ChartFonts fonts;
    EphemerisContext ephemeris;
    LegendCursor legend;
    YearSkyCache sky;           // the year's model, kept for the inputs of the last pass
    // A print pass's paper resolution when the caller knows it (0: unknown).
    int printDotsPerInch = 0;
    // The printed page's footer line; the caller composes it (the chart
    // does not know the program's version).
    std::string footerText;
    // The zone database the platform offers (none: only the fixed zones).
    std::shared_ptr<const ZoneDatabase> zones;
    // The observer's own targets (none: the bodies alone).
    std::shared_ptr<const std::vector<Target>> targets;
    TargetPassCache targetPasses;  // their curves over the twilight chart, for the year and place
};

// One complete pass onto `dc` (which is the whole page): layout, then every
// layer in order. Pens are made again for a print pass and after it.
// charHeight: height of "A" in the default font of a fresh screen surface
// (the Qt layer measures it), which sets the font scale on screen and paper.
void DrawChart(Surface& dc, int charHeight, int year, double todayJd,
               const ChartSettings& settings, ChartViewState& state);

}  // namespace velmarin
