#pragma once

#include <bitset>
#include <vector>

#include "core/chart/chart_pass.h"
#include "core/sky/night_passes.h"
#include "core/sky/twilight_sampling.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

// What the twilight chart adds with "mit Planeten" and "mit Mondlicht". The
// colours are new to the chart: the readout tells everything apart by the
// exact colour under the pointer.
inline constexpr Color kMoonlitAstronomicalColor = Rgb(150, 150, 242);
inline constexpr Color kMoonlitDarknessColor = Rgb(118, 118, 168);
inline constexpr Color kMoonFreeDarknessColor = Rgb(230, 0, 230);
inline constexpr const char* kMoonFreeDarknessName = GermanText(TextId::MoonFreeDarkness);
inline constexpr const char* kMoonlightName = GermanText(TextId::Moonlight);

// Cell "bands" beyond the four twilight bands: astronomical twilight and
// darkness with the Moon above the horizon.
inline constexpr int kMoonlitAstronomicalBand = 5;
inline constexpr int kMoonlitDarknessBand = 6;
// Colour of a cell band 1..6; kInvalidColor for anything else.
Color NightCellColor(int band);

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
