// The twilight chart's legend when planets or moonlight are drawn: more
// entries than one row holds, set in a font small enough to fit the page.
#include <algorithm>
#include <string>
#include <vector>

#include "core/chart/band_legend.h"
#include "core/chart/night_overlay.h"
#include "core/chart/truncate.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

namespace {

// Sample line width of the legend: Venus at 30 arc seconds.
constexpr double kLegendSampleDiameter = 30.0;

struct LegendItem {
    std::string name;
    Color color = kInvalidColor;  // kInvalidColor: text only
    bool filled = false;          // a patch of colour instead of a line
    int band = -1;                // a twilight band's patch (band 0 .. 4), or kAllBands
};

// The key in one entry: the five bands' patches side by side, from daylight
// to darkness, for pages too short for an entry per band.
constexpr int kAllBands = kTwilightBandCount;

// Width of an item's sample: a line, one patch or the strip of all five.
int SampleWidth(const LegendItem& item, const ChartLayout& l, int cy) {
    if (item.band == kAllBands) return kTwilightBandCount * BandPatchWidth(l, cy);
    return item.band >= 0 ? BandPatchWidth(l, cy) : l.tickShortX;
}

std::vector<LegendItem> NightLegendItems(const ChartPass& pass, bool stripKey) {
    const auto& entries = pass.catalogue.entries;
    std::vector<LegendItem> items{{Translated(entries[kEntrySunshine].name), entries[kEntrySunshine].color},
                                  {Translated(entries[kEntryDarkness].name), entries[kEntryDarkness].color}};
    if (stripKey) {
        items.push_back({BandStripName(), TwilightBandShownColor(kTwilightBandCount - 1), true, kAllBands});
    } else {
        for (int band = 0; band < kTwilightBandCount; ++band) {
            items.push_back({TwilightBandLegendName(band), TwilightBandShownColor(band), true, band});
        }
    }
    if (pass.settings.showMoonlight != 0) {
        items.push_back({Text(TextId::MoonFreeDarkness), kMoonFreeDarknessColor});
        items.push_back({Text(TextId::Moonlight), kMoonlitDarknessColor, true});
    }
    if (pass.settings.showPlanets != 0) {
        for (int body = kFirstOverlayPlanet; body < kFirstOverlayPlanet + kOverlayPlanetCount; ++body) {
            items.push_back({Translated(entries[body].name), entries[body].color});
        }
        items.push_back({Text(TextId::PassLegend)});
    }
    return items;
}

struct Placed {
    int x = 0, y = 0;
};

// Gaps around an entry's sample line: the caption layout's, widened where
// the pen (wide on paper) would reach into the neighbouring names.
struct SampleGaps {
    int before = 0;  // from the name to the line's start
    int after = 0;   // from the line's end to the next name
    int reach = 0;   // how far the pen reaches beyond the line's end
};
SampleGaps GapsOf(const ChartLayout& l, int sampleWidth) {
    return {std::max(l.tickShortX, sampleWidth / 2 + l.tickShortX / 2),
            std::max(3 * l.tickShortX, sampleWidth / 2 + 2 * l.tickShortX), sampleWidth / 2};
}

// Where each item goes in the given font; empty when the rows leave the page.
struct Flow {
    std::vector<Placed> places;
    int lastY = 0;
    bool fits = true;
};

Flow FlowItems(Surface& dc, const ChartLayout& l, const std::vector<LegendItem>& items, SampleGaps gaps, int left,
               int x, int y, int rowHeight, int bottom) {
    Flow flow;
    const int right = std::min(l.plotRight + l.tickLongX, l.pageWidth);
    const int cy = dc.GetTextExtent("A").cy;
    // The first row shares the location line: centre the smaller text on it.
    int rowTop = y;
    int top = y + std::max(0, (rowHeight - cy) / 2);
    int rowBottom = y + rowHeight;
    for (const LegendItem& item : items) {
        const int cx = dc.GetTextExtent(item.name).cx;
        // An entry ends where its sample line's pen does.
        const int sample = SampleWidth(item, l, cy);
        const int width = item.color == kInvalidColor ? cx : cx + gaps.before + sample + gaps.reach;
        if (x + width > right && x > left) {
            x = left;
            rowTop = rowBottom;
            top = rowTop;
            rowBottom = rowTop + cy;
        }
        flow.places.push_back({x, top});
        if (x + width > right) flow.fits = false;
        x += item.color == kInvalidColor ? cx + 2 * l.tickShortX : cx + gaps.before + sample + gaps.after;
    }
    flow.lastY = top;
    if (rowBottom > bottom) flow.fits = false;
    return flow;
}

}  // namespace

void DrawNightLegend(ChartPass& pass, LegendCursor& legend, int left, int x, int y, int rowHeight) {
    Surface& dc = pass.dc;
    const ChartLayout& l = pass.layout;
    std::vector<LegendItem> items = NightLegendItems(pass, false);
    // On paper the footer takes the last line.
    const Font previousFont = dc.SelectFont(pass.fonts.fontSmall);
    const int bottom = l.printing ? l.pageHeight - dc.GetTextExtent("A").cy : l.pageHeight;

    const int sampleWidth = DiameterPenWidth(pass.catalogue, l, 2, kLegendSampleDiameter).width;
    const SampleGaps gaps = GapsOf(l, sampleWidth);
    Font font = pass.fonts.fontNormal;
    Flow flow;
    // An entry per band where the page has room, else the key as one strip.
    for (const bool strip : {false, true}) {
        if (strip) items = NightLegendItems(pass, true);
        for (const double scale : {1.0, 0.9, 0.8, 0.7, 0.6, 0.5}) {
            font.height = TruncToInt(pass.fonts.fontNormal.height * scale);
            dc.SelectFont(font);
            flow = FlowItems(dc, l, items, gaps, left, x, y, rowHeight, bottom);
            if (flow.fits) break;
        }
        if (flow.fits) break;
    }

    const Pen previousPen = dc.SelectPen(Pen{});
    const Brush previousBrush = dc.SelectBrush(Brush{});
    for (std::size_t i = 0; i < items.size(); ++i) {
        const LegendItem& item = items[i];
        const TextSize size = dc.GetTextExtent(item.name);
        const Placed at = flow.places[i];
        dc.TextOut(at.x, at.y, item.name);
        if (item.color == kInvalidColor) continue;
        const int sx = at.x + gaps.before + size.cx;
        const int yMid = at.y + TruncToInt(size.cy * 0.5);
        if (item.band == kAllBands) {
            for (int band = 0; band < kTwilightBandCount; ++band) {
                DrawBandPatch(pass, band, sx + band * BandPatchWidth(l, size.cy), at.y, size.cy);
            }
        } else if (item.band >= 0) {
            DrawBandPatch(pass, item.band, sx, at.y, size.cy);
        } else if (item.filled) {
            dc.SelectPen(Pen{item.color, 1});
            dc.SelectBrush(Brush{item.color, false});
            dc.Rectangle(sx, at.y + size.cy / 4, sx + l.tickShortX, at.y + size.cy - size.cy / 4);
        } else {
            dc.SelectPen(Pen{item.color, sampleWidth});
            dc.Line(sx, yMid, sx + l.tickShortX, yMid);
        }
    }
    legend.legendCursorY = flow.lastY;
    dc.SelectPen(previousPen);
    dc.SelectBrush(previousBrush);
    dc.SelectFont(previousFont);
}

}  // namespace velmarin
