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

// True where the readout looks at all: inside the plot rectangle shrunk by
// one pixel on every side (right and bottom exclusive).
bool InsideReadoutArea(const ChartLayout& layout, Point point);

// Given: the colour shown at `point` (page pixels of the last layout;
// kInvalidColor when it cannot be read), the layout, the catalogue with the
// colours the legend read back, and the settings.
// Returned: Hide outside the readout area, on white, on colours that name
// nothing and in the twilight chart; Keep on an unreadable colour (text) and
// on a collapsed plot; otherwise Show with the
// body's date, right ascension, declination, diameter and magnitude, or the
// date of the phase whose marker has that colour. Bodies 0..7 (and the Moon
// with showMoon) are matched before the marker colours. Uses `context` for
// the Sun-then-body computation order.
ReadoutDecision HoverReadout(EphemerisContext& context, Color pixel, Point point,
                             const ChartLayout& layout, const BodyCatalogue& catalogue,
                             const ChartSettings& settings);

}  // namespace velmarin
