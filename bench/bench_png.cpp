// PNG encoding of a drawn chart page: Qt's writer at its default (what the
// program used before) and at a faster compression setting, beside the
// program's own writer (libdeflate, palette where it fits) and its row-band
// stream (libdeflate pieces joined into one stream; piece size as arg 4 in
// KiB, 0 the default). Bytes of the file as a counter: no writer may make
// files larger than Qt's default. 9921 x 7016 is the size of the page
// `render --print --paper A3 --dpi 600` streams.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include "core/chart/draw_chart.h"
#include "gui_benchmark_main.h"
#include "qt/surface/png_writer.h"
#include "qt/surface/qt_chart_output.h"
#include "qt/surface/qt_painter_surface.h"

namespace {

// args: width, height, print pass, display mode (0 normal .. 3 twilight).
QImage ChartPage(const benchmark::State& state) {
    velmarin::ChartSettings settings;
    settings.displayMode = static_cast<velmarin::DisplayMode>(state.range(3));
    velmarin::ChartViewState view;
    return velmarin::DrawOnImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                 state.range(2) != 0, [&](velmarin::Surface& surface) {
                                     velmarin::DrawChart(surface, velmarin::ScreenCharHeight(), 2026, 2461041.5,
                                                         settings, view);
                                 });
}

void Report(benchmark::State& state, qsizetype bytes) {
    state.counters["file_bytes"] = static_cast<double>(bytes);
}

// arg 4: Qt's quality (-1: its default compression).
void BM_QtWriter(benchmark::State& state) {
    const QImage page = ChartPage(state);
    qsizetype size = 0;
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        writer.setQuality(static_cast<int>(state.range(4)));
        writer.write(page);
        size = bytes.size();
    }
    Report(state, size);
}

void BM_OwnWriter(benchmark::State& state) {
    const QImage page = ChartPage(state);
    qsizetype size = 0;
    for (auto _ : state) size = velmarin::EncodePng(page).size();
    Report(state, size);
}

void BM_OwnStream(benchmark::State& state) {
    const QImage page = ChartPage(state);
    qsizetype size = 0;
    for (auto _ : state) {
        const std::size_t pieceBytes =
            state.range(4) == 0 ? velmarin::kPngPieceBytes : static_cast<std::size_t>(state.range(4)) << 10;
        velmarin::PngStream stream(page.width(), page.height(), page.dotsPerMeterX(), page.dotsPerMeterY(),
                                   pieceBytes);
        stream.Append(page, page.height());
        size = stream.Finish().size();
    }
    Report(state, size);
}

constexpr int kSun = static_cast<int>(velmarin::DisplayMode::Sun);
constexpr int kMidnight = static_cast<int>(velmarin::DisplayMode::Midnight);

BENCHMARK(BM_QtWriter)->ArgNames({"w", "h", "print", "mode", "quality"})
    ->Args({1280, 960, 0, 0, -1})->Args({1280, 960, 0, 0, 50})->Args({4961, 3508, 1, 0, -1})
    ->Args({9921, 7016, 1, kSun, -1})->Args({9921, 7016, 1, kMidnight, -1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OwnWriter)->ArgNames({"w", "h", "print", "mode"})->Args({1280, 960, 0, 0})->Args({4961, 3508, 1, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OwnStream)->ArgNames({"w", "h", "print", "mode", "piece_kib"})
    ->Args({1280, 960, 0, 0, 0})->Args({4961, 3508, 1, 0, 0})
    ->Args({9921, 7016, 1, kSun, 0})->Args({9921, 7016, 1, kSun, 4096})->Args({9921, 7016, 1, kSun, 1024})
    ->Args({9921, 7016, 1, kMidnight, 0})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return velmarin::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
