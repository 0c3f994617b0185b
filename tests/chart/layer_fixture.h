#pragma once

#include "chart/body_catalogue.h"
#include "chart/chart_layout.h"
#include "chart/chart_pass.h"
#include "ephemeris/ephemeris_context.h"
#include "view/chart_settings.h"

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

    ChartPass Pass(Surface& dc, int mode, double todayJd = 0.0) {
        return ChartPass{dc, layout, settings, catalogue, fonts, ephemeris, year, mode, todayJd, Pen{}};
    }
};

}  // namespace velmarin::testing
