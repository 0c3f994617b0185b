// The twilight chart at 1920x1080 "mit Planeten" and "mit Zielen" with the
// built-in Messier list (110 targets' rise, transit and set curves): after a
// change of place (the targets' year of events computed again) and with the
// sky kept (a resize or a repaint). Wall time is the measure.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <memory>

#include "chart_page.h"
#include "core/chart/target_curves_setting.h"
#include "core/targets/target_files.h"
#include "gui_benchmark_main.h"

namespace {

using velmarin::ChartSettings;
using velmarin::ChartViewState;

constexpr double kDeg = 3.14159265358979323846 / 180.0;

ChartSettings Settings() {
    ChartSettings settings;
    settings.displayMode = velmarin::DisplayMode::Twilight;
    settings.latitude = 52.0 * kDeg;
    settings.longitude = 9.8 * kDeg;
    settings.showPlanets = 1;
    return velmarin::WithTargetCurves(settings, true);
}

std::shared_ptr<const std::vector<velmarin::Target>> Messier() {
    auto loaded = velmarin::LoadTargets(velmarin::TargetSources{{"messier"}, {}});
    return std::make_shared<const std::vector<velmarin::Target>>(*loaded);
}

void BM_MessierCurvesNewLocation(benchmark::State& state) {
    ChartSettings settings = Settings();
    velmarin::ChartPage page;
    ChartViewState view;
    view.targets = Messier();
    page.Draw(2025, settings, view);
    bool north = false;
    for (auto _ : state) {
        north = !north;
        settings.latitude = (north ? 53.0 : 52.0) * kDeg;
        page.Draw(2025, settings, view);
    }
}

void BM_MessierCurvesKeptSky(benchmark::State& state) {
    const ChartSettings settings = Settings();
    velmarin::ChartPage page;
    ChartViewState view;
    view.targets = Messier();
    page.Draw(2025, settings, view);
    for (auto _ : state) page.Draw(2025, settings, view);
}

BENCHMARK(BM_MessierCurvesNewLocation)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MessierCurvesKeptSky)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return velmarin::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
