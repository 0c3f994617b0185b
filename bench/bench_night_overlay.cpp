// The twilight chart at 1920x1080 with "mit Planeten" and "mit Mondlicht"
// (overlays:1) beside the plain chart (overlays:0): a pass after a change of
// year, after a change of place (the year's sky and the planets' passes
// computed again), and a pass with everything kept (a resize or an expose).
// Wall time is the measure: the sampling runs on several threads.
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
    settings.displayMode = velmarin::DisplayMode::Twilight;
    settings.latitude = 52.0 * kDeg;
    settings.longitude = 9.8 * kDeg;
    settings.showPlanets = static_cast<int>(state.range(0));
    settings.showMoonlight = static_cast<int>(state.range(0));
    return settings;
}

void BM_NightNewYear(benchmark::State& state) {
    const ChartSettings settings = SettingsOf(state);
    Page page;
    ChartViewState view;
    int year = 2025;
    page.Draw(year, settings, view);
    for (auto _ : state) {
        year = year == 2025 ? 2026 : 2025;
        page.Draw(year, settings, view);
    }
}

void BM_NightNewPlace(benchmark::State& state) {
    ChartSettings settings = SettingsOf(state);
    Page page;
    ChartViewState view;
    page.Draw(2026, settings, view);
    bool north = false;
    for (auto _ : state) {
        north = !north;
        settings.latitude = (north ? 53.0 : 52.0) * kDeg;
        page.Draw(2026, settings, view);
    }
}

void BM_NightKeptSky(benchmark::State& state) {
    const ChartSettings settings = SettingsOf(state);
    Page page;
    ChartViewState view;
    page.Draw(2026, settings, view);
    for (auto _ : state) page.Draw(2026, settings, view);
}

void BothWays(benchmark::internal::Benchmark* b) {
    b->ArgName("overlays")->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK(BM_NightNewYear)->Apply(BothWays);
BENCHMARK(BM_NightNewPlace)->Apply(BothWays);
BENCHMARK(BM_NightKeptSky)->Apply(BothWays);

}  // namespace

int main(int argc, char** argv) { return velmarin::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
