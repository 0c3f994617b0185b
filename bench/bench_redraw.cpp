// Whole drawing passes at 1920x1080 for each display mode: after a change of
// year or place (the year's sky computed again), with the sky kept (a
// resize or a repaint), and the plain pass that computes everything in it.
// Wall time is the measure (the twilight sampling runs on several threads);
// cpu_time counts the calling thread only.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "chart_page.h"
#include "gui_benchmark_main.h"

namespace {

using velmarin::ChartSettings;
using velmarin::ChartViewState;

constexpr double kDeg = 3.14159265358979323846 / 180.0;

using Page = velmarin::ChartPage;

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
