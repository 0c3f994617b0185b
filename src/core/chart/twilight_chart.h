#pragma once

#include <vector>

#include "core/chart/body_catalogue.h"
#include "core/chart/chart_layout.h"
#include "core/chart/night_colors.h"
#include "core/chart/surface.h"
#include "core/sky/twilight_sampling.h"

namespace velmarin {

struct MoonlitNight;

// How the band cells reach the surface. OneByOne paints every sample's cell
// in sample order; MergedRuns paints each run of equal, touching cells of a
// day as one rectangle, which gives exactly the same pixels far faster.
enum class TwilightCells { OneByOne, MergedRuns };

// Paints the band cells of `days` (from SampleTwilightYear) and the sunshine
// and darkness curves with bodyPens 12 and 13, day by day in order, so later
// samples paint over earlier ones. The caller selects nothing; the pen and
// brush selected on return are the last ones used. With `moonlit` (one entry
// per day of `days`) the night cells under the Moon take the moonlit colours
// and the moon-free darkness joins the curves.
void DrawTwilightDays(Surface& dc, const ChartLayout& layout, const BodyCatalogue& catalogue,
                      const std::vector<TwilightDay>& days, TwilightCells cells,
                      const MoonlitNight* moonlit = nullptr);

}  // namespace velmarin
