// The window's paint path at a chart of 1920x1080 pixels, per display mode:
// an expose (nothing changed), a resize (the year's sky kept, the chart
// drawn again), and a step of the year or the latitude (the sky computed
// again). Each iteration ends with the chart painted into the window, once.
// Wall time is the measure; cpu_time counts the calling thread only.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include "core/app/command_rules.h"
#include "gui_benchmark_main.h"
#include "qt/window/CMainFrame.h"
#include "qt/surface/qt_text_pixels.h"
#include "qt/window/CVelmarinView.h"

namespace velmarin {
namespace {

constexpr QSize kChart(1920, 1080);

// A main window with a private settings file, its view sized to kChart.
struct Window {
    QTemporaryDir folder;
    std::unique_ptr<CMainFrame> frame;
    QSize frameSize;
    bool narrow = false;

    // overlays: "mit Planeten" and "mit Mondlicht" on.
    explicit Window(int mode, bool overlays = false) {
        frame = std::make_unique<CMainFrame>(
            std::filesystem::path(folder.filePath("Velmarin.ini").toStdString()));
        frame->resize(2000, 1300);
        frame->show();
        QCoreApplication::processEvents();
        // Whatever menu and toolbar take, the view gets exactly kChart.
        frameSize = frame->size() + kChart - frame->view()->size();
        frame->resize(frameSize);
        ChartSettings settings = frame->settings();
        settings.displayMode = static_cast<DisplayMode>(mode);
        settings.showPlanets = overlays;
        settings.showMoonlight = overlays;
        frame->ChangeSettings(settings);
        frame->view()->SetYear(2025);
        Paint();
    }

    // Width alternating between 1920 and 1919 pixels, a step per call.
    void ResizeStep() {
        narrow = !narrow;
        frame->resize(frameSize - QSize(narrow ? 1 : 0, 0));
    }

    // The paint the change asked for, as the event loop delivers it; an
    // explicit repaint only when none came, so no iteration pays for a
    // second, unchanged paint (that is BM_ViewExpose's measure).
    void Paint() {
        const int before = frame->view()->renderCount();
        QCoreApplication::processEvents();
        if (frame->view()->renderCount() == before) frame->view()->repaint();
    }
};

void BM_ViewExpose(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    const int before = window.frame->view()->renderCount();
    for (auto _ : state) window.frame->view()->repaint();
    if (window.frame->view()->renderCount() != before) state.SkipWithError("chart drawn again");
    if (window.frame->view()->size() != kChart) state.SkipWithError("view not at 1920x1080");
}

// Width alternating between 1920 and 1919 pixels.
void BM_ViewResize(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        window.ResizeStep();
        window.Paint();
    }
}

// The same resize with the view left out of painting: what the window's
// frame, menu and toolbar cost on their own, the part no chart code touches.
void BM_WindowResizeWithoutChart(benchmark::State& state) {
    Window window(static_cast<int>(DisplayMode::Normal));
    window.frame->view()->setUpdatesEnabled(false);
    const int before = window.frame->view()->renderCount();
    for (auto _ : state) {
        window.ResizeStep();
        QCoreApplication::processEvents();
    }
    if (window.frame->view()->renderCount() != before) state.SkipWithError("chart drawn");
}

void BM_ViewYearStep(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    bool forward = false;
    for (auto _ : state) {
        forward = !forward;
        window.frame->view()->OnYearStep(forward ? 1 : -1);
        window.Paint();
    }
}

// N and S in turn (each also rewrites the settings file, as the command does).
void BM_ViewLatitudeStep(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    bool north = false;
    for (auto _ : state) {
        north = !north;
        window.frame->ExecuteCommand(north ? CommandId::LatitudeNorth : CommandId::LatitudeSouth);
        window.Paint();
    }
}

// The twilight chart without and with its overlays: a year step and a
// latitude step, each followed by the paint.
void BM_ViewNightYearStep(benchmark::State& state) {
    Window window(static_cast<int>(DisplayMode::Twilight), state.range(0) != 0);
    bool forward = false;
    for (auto _ : state) {
        forward = !forward;
        window.frame->view()->OnYearStep(forward ? 1 : -1);
        window.Paint();
    }
}

// Width alternating between 1920 and 1919 pixels: the chart drawn again
// with the year's sky and the passes kept.
void BM_ViewNightResize(benchmark::State& state) {
    Window window(static_cast<int>(DisplayMode::Twilight), state.range(0) != 0);
    for (auto _ : state) {
        window.ResizeStep();
        window.Paint();
    }
}

// The resize above and then the first readout's record of the text pixels
// (made once per redraw, by drawing the chart again): what a pointer that
// comes to rest after the drag pays once.
void BM_ViewNightResizeThenTextRecord(benchmark::State& state) {
    Window window(static_cast<int>(DisplayMode::Twilight), state.range(0) != 0);
    for (auto _ : state) {
        window.ResizeStep();
        window.Paint();
        benchmark::DoNotOptimize(&window.frame->view()->textPixels());
    }
    if (window.frame->view()->textPixels().IsEmpty()) state.SkipWithError("no text recorded");
}

void BM_ViewNightLatitudeStep(benchmark::State& state) {
    Window window(static_cast<int>(DisplayMode::Twilight), state.range(0) != 0);
    bool north = false;
    for (auto _ : state) {
        north = !north;
        window.frame->ExecuteCommand(north ? CommandId::LatitudeNorth : CommandId::LatitudeSouth);
        window.Paint();
    }
}

void EveryMode(benchmark::internal::Benchmark* b) {
    b->ArgName("mode")->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK(BM_ViewExpose)->Apply(EveryMode);
BENCHMARK(BM_ViewResize)->Apply(EveryMode);
BENCHMARK(BM_WindowResizeWithoutChart)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ViewYearStep)->Apply(EveryMode);
BENCHMARK(BM_ViewLatitudeStep)->Apply(EveryMode);
BENCHMARK(BM_ViewNightYearStep)->ArgName("overlays")->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ViewNightResize)->ArgName("overlays")->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ViewNightResizeThenTextRecord)->ArgName("overlays")->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ViewNightLatitudeStep)->ArgName("overlays")->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace velmarin

int main(int argc, char** argv) {
    // Settings of this run stay in a folder of its own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    return velmarin::RunGuiBenchmarks<QApplication>(argc, argv);
}
