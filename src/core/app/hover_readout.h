#pragma once

#include <string>

#include "core/chart/body_catalogue.h"
#include "core/chart/chart_layout.h"
#include "core/chart/chart_settings.h"
#include "core/chart/surface.h"
#include "core/ephemeris/ephemeris_context.h"

namespace velmarin {

// What the tooltip should do after one pointer move over the view.
struct ReadoutDecision {
    enum class Action { Hide, Keep, Show };
    Action action = Action::Keep;
    std::string text;  // UTF-8, lines separated by "|"; set only for Show
};

// A marker colour the readout recognises, the phase kind that dates it and its label.
struct ReadoutMarker {
    Color color;
    int kind;           // MoonPhaseKind searched for
    int style;          // PhaseMarkerStyle drawn in this colour
    const char* label;  // UTF-8
};
inline constexpr ReadoutMarker kReadoutMarkers[] = {
    {Rgb(1, 1, 1), 0, 0, "Neumond"},
    {Rgb(200, 200, 200), 1, 1, "1. Viertel"},
    {Rgb(250, 250, 250), 2, 2, "Vollmond"},
    {Rgb(190, 190, 190), 3, 3, "3. Viertel"},
    {Rgb(240, 0, 0), 0, 10, "mögl. Sonnenfinsternis"},
    {Rgb(250, 0, 0), 2, 12, "mögl. Mondfinsternis"},
};

// True where the readout looks at all: inside the plot rectangle shrunk by
// one pixel on every side (right and bottom exclusive).
bool InsideReadoutArea(const ChartLayout& layout, Point point);

// Given: the colour shown at `point` (page pixels of the last layout;
// kInvalidColor when it cannot be read), the layout, the catalogue with the
// colours the legend read back, and the settings.
// Returned: Hide outside the readout area; Keep on white, unreadable or
// unrecognised colours and in the twilight chart; otherwise Show with the
// body's date, right ascension, declination, diameter and magnitude, or the
// date of the phase whose marker has that colour. Bodies 0..7 (and the Moon
// with showMoon) are matched before the marker colours. Uses `context` for
// the Sun-then-body computation order.
ReadoutDecision HoverReadout(EphemerisContext& context, Color pixel, Point point,
                             const ChartLayout& layout, const BodyCatalogue& catalogue,
                             const ChartSettings& settings);

}  // namespace velmarin
