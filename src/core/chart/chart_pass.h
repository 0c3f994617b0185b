#pragma once

#include <string>

#include "core/chart/body_catalogue.h"
#include "core/chart/chart_layout.h"
#include "core/chart/chart_settings.h"
#include "core/chart/surface.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/ephemeris/ephemeris_context.h"

namespace velmarin {

// Where the next legend entry goes; kept between legend calls.
struct LegendCursor {
    int legendCursorX = 0;
    int legendCursorY = 0;
    int legendRowStartX = 0;
};

// What every layer of one drawing pass reads and writes.
struct ChartPass {
    Surface& dc;
    const ChartLayout& layout;
    const ChartSettings& settings;
    BodyCatalogue& catalogue;
    const ChartFonts& fonts;
    EphemerisContext& ephemeris;
    int year = 0;
    DisplayMode mode = DisplayMode::Normal;  // effective display mode of the pass
    double todayJd = 0.0;
    Pen keptPen{};          // the pen selected before the pass took bodyPens[0]
    std::string footerText; // printed below the legend on paper
    const ZoneDatabase* zones = nullptr;  // resolves settings.zone; null: no named zones
};

}  // namespace velmarin
