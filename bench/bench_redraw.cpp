// Whole drawing passes at 1920x1080 for each display mode: after a change of
// year or place (the year's sky computed again), with the sky kept (a
// resize or a repaint), and the pass of a view that never drew.
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

// A view that never drew: the whole year's model built for the pass.
void BM_RedrawFreshView(benchmark::State& state) {
    const ChartSettings settings = SettingsOf(state);
    Page page;
    for (auto _ : state) {
        ChartViewState view;
        page.Draw(2025, settings, view);
    }
}

void EveryMode(benchmark::internal::Benchmark* b) {
    b->ArgName("mode")->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK(BM_RedrawNewYear)->Apply(EveryMode);
BENCHMARK(BM_RedrawNewLocation)->Apply(EveryMode);
BENCHMARK(BM_RedrawKeptSky)->Apply(EveryMode);
BENCHMARK(BM_RedrawFreshView)->Apply(EveryMode);

}  // namespace

int main(int argc, char** argv) { return velmarin::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
