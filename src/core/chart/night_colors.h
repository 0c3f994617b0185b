#pragma once

#include "core/chart/surface.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

// The colours of the twilight chart's cells and of what its overlays add;
// the cells, the overlays, the legend and the readout all read them here.

// Colour of twilight band 1 (civil) .. 4 (darkness); kInvalidColor for band 0
// (daylight, left white) and anything else.
Color TwilightBandColor(int band);

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

}  // namespace velmarin
