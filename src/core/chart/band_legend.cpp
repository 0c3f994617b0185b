#include "core/chart/band_legend.h"

#include <algorithm>

#include "core/chart/truncate.h"
#include "core/chart/twilight_chart.h"

namespace velmarin {

namespace {

constexpr Color kPatchOutline = Rgb(125, 125, 125);
constexpr Color kDaylight = Rgb(255, 255, 255);

}  // namespace

const char* TwilightBandName(int band) {
    switch (band) {
        case 0: return "Tag";
        case 1: return "bürgerliche Dämmerung";
        case 2: return "nautische Dämmerung";
        case 3: return "astronomische Dämmerung";
        default: return "Nacht";
    }
}

const char* TwilightBandLegendName(int band) {
    switch (band) {
        case 0: return "Tag";
        case 1: return "bürgerl. Dämmerung";
        case 2: return "naut. Dämmerung";
        case 3: return "astr. Dämmerung";
        default: return "Nacht";
    }
}

Color TwilightBandShownColor(int band) { return band == 0 ? kDaylight : TwilightBandColor(band); }

int BandPatchWidth(const ChartLayout& layout, int rowHeight) { return std::max(layout.tickShortX, rowHeight / 2); }

void DrawBandPatch(ChartPass& pass, int band, int x, int top, int rowHeight) {
    Surface& dc = pass.dc;
    const Pen previousPen = dc.SelectPen(Pen{kPatchOutline, 1});
    const Brush previousBrush = dc.SelectBrush(Brush{TwilightBandShownColor(band), false});
    dc.Rectangle(x, top + rowHeight / 4, x + BandPatchWidth(pass.layout, rowHeight), top + rowHeight - rowHeight / 4);
    dc.SelectPen(previousPen);
    dc.SelectBrush(previousBrush);
}

}  // namespace velmarin
