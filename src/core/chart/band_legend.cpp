#include "core/chart/band_legend.h"

#include <algorithm>

#include "core/chart/truncate.h"
#include "core/text/text_catalogue.h"
#include "core/chart/twilight_chart.h"

namespace velmarin {

namespace {

constexpr Color kPatchOutline = Rgb(125, 125, 125);
constexpr Color kDaylight = Rgb(255, 255, 255);

}  // namespace

const char* TwilightBandName(int band) {
    switch (band) {
        case 0: return Text(TextId::BandDay);
        case 1: return Text(TextId::BandCivil);
        case 2: return Text(TextId::BandNautical);
        case 3: return Text(TextId::BandAstronomical);
        default: return Text(TextId::BandNight);
    }
}

const char* TwilightBandLegendName(int band) {
    switch (band) {
        case 1: return Text(TextId::BandCivilShort);
        case 2: return Text(TextId::BandNauticalShort);
        case 3: return Text(TextId::BandAstronomicalShort);
        default: return TwilightBandName(band);
    }
}

const char* BandStripName() { return Text(TextId::BandStrip); }

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
