#pragma once

#include "core/chart/chart_pass.h"

namespace velmarin {

// The twilight chart's key to its shading: daylight, the three twilights and
// darkness, each a name and a patch of its colour.

inline constexpr int kTwilightBandCount = 5;  // band 0 (daylight) .. 4 (darkness)

// "Tag", "bürgerliche Dämmerung", "nautische Dämmerung", "astronomische
// Dämmerung", "Nacht": the readout's names of band 0 .. 4.
const char* TwilightBandName(int band);
// The same, short enough for the legend ("bürgerl. Dämmerung").
const char* TwilightBandLegendName(int band);
// The key's name as one entry of all five bands side by side.
const char* BandStripName();
// The colour a band's cells show: white for daylight, which is left unpainted.
Color TwilightBandShownColor(int band);

// A patch's width: half a text row, at least one short tick (so it stays a
// patch on portrait pages, whose ticks are short).
int BandPatchWidth(const ChartLayout& layout, int rowHeight);

// One patch of the key: inside the text row [top, top + rowHeight) at x,
// BandPatchWidth wide, filled with the band's colour and outlined in grey, so
// that the white of daylight shows on the white page. Restores pen and brush.
void DrawBandPatch(ChartPass& pass, int band, int x, int top, int rowHeight);

}  // namespace velmarin
