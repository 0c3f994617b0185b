// Line widths on paper do not depend on the printer's resolution: the same
// chart printed on A4 at 110, 150, 300 and 600 dpi draws its tracks, the
// legend's samples and the grid equally wide in millimetres (to a dot).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/chart/draw_chart.h"
#include "layer_fixture.h"

namespace velmarin {
namespace {

using testing::RecordingSurface;
using testing::SurfaceCall;

struct Widths {
    double widestTrack = 0.0;    // mm, the Sun's widest stroke
    double thinnestTrack = 1e9;  // mm, Neptune's thinnest
    double grid = 0.0;           // mm
};

Widths PrintedWidths(int dpi, DisplayMode mode) {
    // A4 landscape at that resolution.
    const int width = static_cast<int>(std::lround(297.0 / 25.4 * dpi));
    const int height = static_cast<int>(std::lround(210.0 / 25.4 * dpi));
    ChartSettings settings;
    settings.displayMode = mode;
    settings.codeByDiameter = 1;
    ChartViewState state;
    state.printDotsPerInch = dpi;
    RecordingSurface dc(width, height, true);
    DrawChart(dc, 15, 2026, 0.0, settings, state);
    const auto& entries = state.catalogue.entries;
    Widths w;
    const double mm = 25.4 / dpi;
    for (const SurfaceCall& line : dc.Of(SurfaceCall::Line)) {
        const int pen = std::max(1, line.pen.width);
        if (line.pen.color == entries[IndexOf(BodyId::kSun)].color) w.widestTrack = std::max(w.widestTrack, pen * mm);
        if (line.pen.color == entries[IndexOf(BodyId::kNeptune)].color) w.thinnestTrack = std::min(w.thinnestTrack, pen * mm);
        if (line.pen.color == Rgb(125, 125, 125)) w.grid = std::max(w.grid, pen * mm);
    }
    return w;
}

class PrintWidths : public ::testing::TestWithParam<int> {};

TEST_P(PrintWidths, SameOnPaperAsAt300Dpi) {
    const int dpi = GetParam();
    const Widths reference = PrintedWidths(300, DisplayMode::Normal);
    const Widths printed = PrintedWidths(dpi, DisplayMode::Normal);
    const double dot = 25.4 / std::min(dpi, 300);  // one dot of the coarser of the two
    EXPECT_NEAR(printed.widestTrack, reference.widestTrack, dot);
    EXPECT_NEAR(printed.thinnestTrack, reference.thinnestTrack, dot);
    EXPECT_NEAR(printed.grid, reference.grid, dot);
    EXPECT_GT(reference.widestTrack, 2 * reference.thinnestTrack);  // the coding still shows
}

INSTANTIATE_TEST_SUITE_P(A4, PrintWidths, ::testing::Values(110, 150, 200, 600),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "dpi"; });

}  // namespace
}  // namespace velmarin
