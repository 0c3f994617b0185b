// The twilight chart's key to its shading: every band named once below the
// plot, each beside a patch of exactly the colour its cells are drawn in, on
// the page, with and without the overlays, on screen and on paper.
#include <gtest/gtest.h>

#include <string>

#include "core/chart/band_legend.h"
#include "core/chart/draw_chart.h"
#include "core/chart/twilight_chart.h"
#include "layer_fixture.h"

namespace velmarin {
namespace {

using testing::RecordingSurface;
using testing::SurfaceCall;

struct KeyCase {
    const char* name;
    int width, height;
    bool printing;
    bool overlays;
    bool strip;  // the page is too short for an entry per band
};

class TwilightKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TwilightKey, NamesEveryBandBesideAPatchOfItsColourOnThePage) {
    const KeyCase& c = GetParam();
    ChartSettings settings;
    settings.displayMode = DisplayMode::Twilight;
    settings.showPlanets = c.overlays;
    settings.showMoonlight = c.overlays;
    ChartViewState state;
    RecordingSurface dc(c.width, c.height, c.printing);
    DrawChart(dc, 15, 2026, 0.0, settings, state);
    const ChartLayout& l = state.layout;
    // Where the page is too short for an entry per band, one entry holds all
    // five patches side by side.
    bool strip = false;
    for (const SurfaceCall& text : dc.Of(SurfaceCall::Text)) strip = strip || text.text == BandStripName();
    EXPECT_EQ(strip, c.strip);
    for (int band = 0; band < kTwilightBandCount; ++band) {
        const std::string name = strip ? BandStripName() : TwilightBandLegendName(band);
        SCOPED_TRACE(std::string(TwilightBandLegendName(band)));
        int named = 0;
        Point at{};
        for (const SurfaceCall& text : dc.Of(SurfaceCall::Text)) {
            if (text.text != name) continue;
            ++named;
            at = From(text);
        }
        ASSERT_EQ(named, 1);
        EXPECT_GT(at.y, l.plotBottom);
        EXPECT_LT(at.y, c.height);
        // The patch: a box after the name in its row, filled with the colour
        // the band's cells have (white for daylight), inside the page.
        bool patch = false;
        for (const SurfaceCall& box : dc.Of(SurfaceCall::Rectangle)) {
            if (box.y1 < at.y || box.y1 > at.y + 30 || box.x1 <= at.x) continue;
            if (box.brush.color != TwilightBandShownColor(band)) continue;
            EXPECT_LE(box.x2, c.width);
            EXPECT_LE(box.y2, c.height);
            EXPECT_GE(box.x2 - box.x1, 2);
            patch = true;
            break;
        }
        EXPECT_TRUE(patch);
    }
    for (int band = 1; band < kTwilightBandCount; ++band) {
        EXPECT_EQ(TwilightBandShownColor(band), TwilightBandColor(band));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, TwilightKey,
    ::testing::Values(KeyCase{"screen_1920x1080", 1920, 1080, false, false, false},
                      KeyCase{"screen_1920x1080_overlays", 1920, 1080, false, true, false},
                      KeyCase{"screen_1280x960", 1280, 960, false, false, false},
                      KeyCase{"portrait_800x1600_overlays", 800, 1600, false, true, true},
                      KeyCase{"paper_a4_landscape", 3508, 2480, true, false, false},
                      KeyCase{"paper_a4_portrait_overlays", 2480, 3508, true, true, true}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmarin
