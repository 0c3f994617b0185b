#pragma once

#include <vector>

#include "core/chart/body_catalogue.h"
#include "core/chart/chart_layout.h"
#include "core/chart/chart_pass.h"
#include "core/chart/chart_settings.h"
#include "core/chart/chart_sky.h"
#include "core/chart/recording_surface.h"
#include "core/ephemeris/ephemeris_context.h"

namespace velmarin::testing {

// Everything a layer needs besides the surface, for one page and year.
struct LayerFixture {
    ChartSettings settings;
    ChartLayout layout;
    BodyCatalogue catalogue = MakeBodyCatalogue();
    ChartFonts fonts;
    EphemerisContext ephemeris;
    int year;

    // charHeight 15 stands for the screen's "A"; only the fonts depend on it.
    LayerFixture(int width, int height, int chartYear, bool printing = false)
        : layout(LayoutChart(width, height, printing, 15)), year(chartYear) {
        SetChartYear(layout, year);
        MakeBodyPens(catalogue, layout);
        fonts = MakeChartFonts(layout);
    }

    YearSkyCache skyCache;

    ChartPass Pass(Surface& dc, DisplayMode mode, double todayJd = 0.0) {
        return ChartPass{dc, layout, settings, catalogue, fonts, ephemeris, year, mode, todayJd, Pen{}, {}};
    }

    // The year's model a pass draws, as DrawChart builds it for the pass.
    YearSky Sky(const ChartPass& pass) {
        return ChartYearSky(skyCache, pass.year, pass.mode, pass.settings, pass.zones);
    }
};

// Ends of a recorded line (or corners of a recorded box, as passed).
inline Point From(const SurfaceCall& call) { return {call.x1, call.y1}; }
inline Point To(const SurfaceCall& call) { return {call.x2, call.y2}; }

// Lines drawn with a pen of this colour, in order.
inline std::vector<SurfaceCall> LinesIn(const RecordingSurface& dc, Color color) {
    std::vector<SurfaceCall> lines;
    for (const SurfaceCall& call : dc.Of(SurfaceCall::Line)) {
        if (call.pen.color == color) lines.push_back(call);
    }
    return lines;
}

}  // namespace velmarin::testing
