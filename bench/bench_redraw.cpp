// Whole drawing passes at 1920x1080 for each display mode: after a change of
// year or place (the year's sky computed again), with the sky kept (a
// resize or a repaint), and the plain pass that computes everything in it.
// Wall time is the measure (the twilight sampling runs on several threads);
// cpu_time counts the calling thread only.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "core/chart/draw_chart.h"
#include "gui_benchmark_main.h"
#include "qt/surface/qt_painter_surface.h"
#include "qt/surface/qt_wide_line_stamps.h"

namespace {

using velmarin::ChartSettings;
using velmarin::ChartViewState;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kDeg = 3.14159265358979323846 / 180.0;

struct Page {
    QImage image{kWidth, kHeight, QImage::Format_RGB32};
    int charHeight = velmarin::ScreenCharHeight();
    // Kept across passes, as the window keeps them.
    velmarin::WideLineStamps stamps;

    void Draw(int year, const ChartSettings& settings, ChartViewState& state) {
        QPainter painter(&image);
        velmarin::QtPainterSurface surface(painter, kWidth, kHeight, false, &image, &stamps);
        velmarin::DrawChart(surface, charHeight, year, 2460676.5, settings, state);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
};

ChartSettings SettingsOf(benchmark::State& state) {
    ChartSettings settings;
    settings.displayMode = static_cast<velmarin::DisplayMode>(state.range(0));
    settings.latitude = 52.0 * kDeg;
    settings.longitude = 9.8 * kDeg;
    return settings;
}

// "+" / "-": every pass has a year the sky was not computed for.
void BM_RedrawNewYear(benchmark::State& state) {
    const ChartSettings settings = SettingsOf(state);
    Page page;
    ChartViewState view;
    int year = 2024;
    page.Draw(year, settings, view);
    for (auto _ : state) {
        year = year == 2024 ? 2025 : 2024;
        page.Draw(year, settings, view);
    }
}

// N / S: every pass has a latitude one degree away from the last.
void BM_RedrawNewLocation(benchmark::State& state) {
    ChartSettings settings = SettingsOf(state);
    Page page;
    ChartViewState view;
    page.Draw(2025, settings, view);
    bool north = false;
    for (auto _ : state) {
        north = !north;
        settings.latitude = (north ? 53.0 : 52.0) * kDeg;
        page.Draw(2025, settings, view);
    }
}

// Resize or expose: the inputs of the sky stay, only the drawing is done.
void BM_RedrawKeptSky(benchmark::State& state) {
    const ChartSettings settings = SettingsOf(state);
    Page page;
    ChartViewState view;
    page.Draw(2025, settings, view);
    for (auto _ : state) page.Draw(2025, settings, view);
}

// The pass as it was: the year computed within the pass, on one thread.
void BM_RedrawPlain(benchmark::State& state) {
    const ChartSettings settings = SettingsOf(state);
    Page page;
    ChartViewState view;
    view.keepYearSky = false;
    for (auto _ : state) page.Draw(2025, settings, view);
}

void EveryMode(benchmark::internal::Benchmark* b) {
    b->ArgName("mode")->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK(BM_RedrawNewYear)->Apply(EveryMode);
BENCHMARK(BM_RedrawNewLocation)->Apply(EveryMode);
BENCHMARK(BM_RedrawKeptSky)->Apply(EveryMode);
BENCHMARK(BM_RedrawPlain)->Apply(EveryMode);

}  // namespace

int main(int argc, char** argv) { return velmarin::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
