// Text along the page's edges stays readable on pages of any shape: hour
// numbers never run into each other (every tick keeps its number where
// there is room), and the title, the caption and the legend stay on the page.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/chart/draw_chart.h"
#include "core/chart/frame_layers.h"
#include "layer_fixture.h"

namespace velmarin {
namespace {

using testing::RecordingSurface;
using testing::SurfaceCall;

struct PageCase {
    const char* name;
    int width, height;
    DisplayMode mode;
    int numbers;  // hour numbers along one edge: 25 (13 from the Sun) when all fit
};

class EdgeText : public ::testing::TestWithParam<PageCase> {};

bool IsHourNumber(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
}

TEST_P(EdgeText, HourNumbersKeepApartAndTitleAndLegendStayOnThePage) {
    const PageCase& c = GetParam();
    ChartSettings settings;
    settings.displayMode = c.mode;
    ChartViewState state;
    RecordingSurface dc(c.width, c.height);
    DrawChart(dc, 15, 2026, 0.0, settings, state);
    const ChartLayout& l = state.layout;
    // The numbers above the plot (portrait) or left of it (landscape).
    std::vector<SurfaceCall> numbers;
    for (const SurfaceCall& text : dc.Of(SurfaceCall::Text)) {
        if (!IsHourNumber(text.text)) continue;
        if (l.portrait ? text.y1 < l.plotTop : text.x1 < l.plotLeft) numbers.push_back(text);
    }
    EXPECT_EQ(static_cast<int>(numbers.size()), c.numbers);
    std::sort(numbers.begin(), numbers.end(), [&](const SurfaceCall& a, const SurfaceCall& b) {
        return l.portrait ? a.x1 < b.x1 : a.y1 < b.y1;
    });
    for (std::size_t i = 1; i < numbers.size(); ++i) {
        dc.SelectFont(numbers[i - 1].font);
        const TextSize size = dc.GetTextExtent(numbers[i - 1].text);
        const int end = l.portrait ? numbers[i - 1].x1 + size.cx : numbers[i - 1].y1 + size.cy;
        EXPECT_LE(end, l.portrait ? numbers[i].x1 : numbers[i].y1)
            << numbers[i - 1].text << " runs into " << numbers[i].text;
    }
    // Every text below the plot (caption, legend) ends on the page.
    for (const SurfaceCall& text : dc.Of(SurfaceCall::Text)) {
        if (text.y1 <= l.plotBottom || IsHourNumber(text.text)) continue;
        dc.SelectFont(text.font);
        EXPECT_LE(text.y1 + dc.GetTextExtent(text.text).cy, c.height) << text.text;
    }
    const std::string title = ChartTitle(2026, c.mode);
    for (const SurfaceCall& text : dc.Of(SurfaceCall::Text)) {
        if (text.text != title) continue;
        dc.SelectFont(text.font);
        EXPECT_GE(text.x1, 0);
        EXPECT_LE(text.x1 + dc.GetTextExtent(title).cx, c.width);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, EdgeText,
    ::testing::Values(PageCase{"landscape_1280x960", 1280, 960, DisplayMode::Normal, 25},
                      PageCase{"landscape_1920x1080_sun", 1920, 1080, DisplayMode::Sun, 13},
                      PageCase{"portrait_800x1400", 800, 1400, DisplayMode::Normal, 13},
                      PageCase{"portrait_900x1800", 900, 1800, DisplayMode::Normal, 13},
                      PageCase{"portrait_1080x1920_twilight", 1080, 1920, DisplayMode::Twilight, 13},
                      PageCase{"portrait_800x1600_midnight", 800, 1600, DisplayMode::Midnight, 7},
                      PageCase{"landscape_1280x300", 1280, 300, DisplayMode::Normal, 25}),
    [](const ::testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmarin
