// A whole drawing pass into a raster image, per display mode and page size.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "core/chart/draw_chart.h"
#include "gui_benchmark_main.h"
#include "qt/surface/qt_painter_surface.h"

namespace {

using velmarin::ChartSettings;
using velmarin::ChartViewState;

// args: display mode, page width, page height.
void BM_DrawChart(benchmark::State& state) {
    ChartSettings settings;
    settings.displayMode = static_cast<velmarin::DisplayMode>(state.range(0));
    const int width = static_cast<int>(state.range(1));
    const int height = static_cast<int>(state.range(2));
    const int charHeight = velmarin::ScreenCharHeight();
    QImage image(width, height, QImage::Format_RGB32);
    ChartViewState view;
    for (auto _ : state) {
        QPainter painter(&image);
        velmarin::QtPainterSurface surface(painter, width, height, false, &image);
        velmarin::DrawChart(surface, charHeight, 2024, 2460400.5, settings, view);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(BM_DrawChart)
    ->ArgNames({"mode", "w", "h"})
    ->ArgsProduct({{0, 1, 2, 3}, {1280}, {960}})
    ->ArgsProduct({{0, 1, 2, 3}, {1920}, {1080}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return velmarin::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
