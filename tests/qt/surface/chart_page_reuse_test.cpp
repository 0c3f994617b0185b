// A redraw into the old back buffer must give the page a fresh buffer gives,
// and must never write into pixels someone else still holds.
#include <gtest/gtest.h>

#include <QImage>

#include "core/chart/draw_chart.h"
#include "core/test_names.h"
#include "qt/chart/gui_application.h"
#include "qt/surface/qt_chart_output.h"
#include "qt/surface/qt_painter_surface.h"

namespace velmarin {
namespace {

QImage Chart(QImage page, int width, int height, int year, DisplayMode mode) {
    testing::EnsureGuiApplication();
    ChartSettings settings;
    settings.displayMode = mode;
    ChartViewState state;
    return DrawOnImage(std::move(page), width, height, false, [&](Surface& surface) {
        DrawChart(surface, ScreenCharHeight(), year, 2460676.5, settings, state);
    });
}

class ViewChartPageReuse : public ::testing::TestWithParam<DisplayMode> {};

// The chart drawn on a page filled white first, as the exports draw it.
QImage WhitePageChart(int width, int height, int year, DisplayMode mode) {
    testing::EnsureGuiApplication();
    ChartSettings settings;
    settings.displayMode = mode;
    ChartViewState state;
    return DrawOnImage(width, height, false, [&](Surface& surface) {
        DrawChart(surface, ScreenCharHeight(), year, 2460676.5, settings, state);
    });
}

TEST_P(ViewChartPageReuse, OldPageGivesTheFreshPagesPixels) {
    const DisplayMode mode = GetParam();
    const QImage fresh = Chart(QImage(), 1000, 700, 2025, mode);
    // The window's page is not filled first: the chart covers every pixel.
    EXPECT_TRUE(fresh == WhitePageChart(1000, 700, 2025, mode));
    // Nor is a page left from another size: not one of its pixels may show.
    QImage black(1000, 700, QImage::Format_RGB32);
    black.fill(Qt::black);
    EXPECT_TRUE(Chart(std::move(black), 1000, 700, 2025, mode) == fresh);
    // The old page: another year, drawn at pixel ratio 2 as on a HiDPI screen.
    QImage old = Chart(QImage(), 1000, 700, 2024, mode);
    old.setDevicePixelRatio(2.0);
    const uchar* storage = old.constBits();
    const QImage reused = Chart(std::move(old), 1000, 700, 2025, mode);
    EXPECT_EQ(reused.constBits(), storage);  // really drawn in place
    EXPECT_EQ(reused.devicePixelRatio(), 1.0);
    EXPECT_TRUE(reused == fresh);
}

INSTANTIATE_TEST_SUITE_P(Modes, ViewChartPageReuse,
                         ::testing::Values(DisplayMode::Normal, DisplayMode::Sun, DisplayMode::Midnight, DisplayMode::Twilight),
                         [](const ::testing::TestParamInfo<DisplayMode>& info) {
                             return test::NameOfMode(static_cast<int>(info.param));
                         });

TEST(ViewChartPageReuseShared, SharedOrOtherSizedPageIsLeftAlone) {
    const QImage kept = Chart(QImage(), 800, 600, 2024, DisplayMode::Normal);
    const QImage before = kept.copy();
    const QImage drawn = Chart(kept, 800, 600, 2025, DisplayMode::Normal);  // kept still holds it
    EXPECT_TRUE(kept == before);
    EXPECT_FALSE(drawn == before);
    const QImage resized = Chart(Chart(QImage(), 640, 480, 2025, DisplayMode::Normal), 800, 600, 2025, DisplayMode::Normal);
    EXPECT_TRUE(resized == Chart(QImage(), 800, 600, 2025, DisplayMode::Normal));
}

}  // namespace
}  // namespace velmarin
