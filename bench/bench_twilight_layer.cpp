// Twilight layer at 1920x1080: sampling the year, and painting its cells
// one by one against painting merged runs.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "core/chart/body_catalogue.h"
#include "core/chart/chart_layout.h"
#include "core/chart/chart_settings.h"
#include "core/chart/twilight_chart.h"
#include "gui_benchmark_main.h"
#include "qt/surface/qt_painter_surface.h"

namespace velmarin {
namespace {

YearInputs Inputs() {
    YearInputs inputs;
    inputs.year = 2025;
    inputs.latitude = 52.0 * degToRad;
    inputs.longitude = 9.8 * degToRad;
    inputs.offsets = FixedZoneOffsets(2025, 1.0, true);
    return inputs;
}

void BM_SampleTwilightYear(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(SampleTwilightYear(Inputs()));
}
BENCHMARK(BM_SampleTwilightYear)->Unit(benchmark::kMillisecond);

void BM_PaintTwilightCells(benchmark::State& state) {
    const auto cells = static_cast<TwilightCells>(state.range(0));
    ChartLayout layout = LayoutChart(1920, 1080, false, 15);
    SetChartYear(layout, 2025);
    BodyCatalogue catalogue = MakeBodyCatalogue();
    MakeBodyPens(catalogue, layout);
    const std::vector<TwilightDay> days = SampleTwilightYear(Inputs());
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QtPainterSurface surface(painter, 1920, 1080, false, &image);
        DrawTwilightDays(surface, layout, catalogue, days, cells);
    }
}
BENCHMARK(BM_PaintTwilightCells)
    ->Arg(static_cast<int>(TwilightCells::OneByOne))
    ->Arg(static_cast<int>(TwilightCells::MergedRuns))
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmarin

int main(int argc, char** argv) { return velmarin::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
