// The Messier list's year: 110 targets x 365 days of rise, transit and set
// (exact events), at 52 N, 13.4 E, UT+1, beside the bodies' year it needs;
// and the same passes solved from the year's kept sky, as the chart does.
// The whole command is timed by bench/targets_process_time.sh.
#include <benchmark/benchmark.h>

#include "core/ephemeris/run_beside.h"
#include "core/ephemeris/visibility_year.h"
#include "core/sky/target_passes.h"
#include "core/targets/messier_list.h"
#include "core/targets/target_events.h"

namespace velmarin {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

YearInputs Inputs() {
    YearInputs inputs;
    inputs.year = 2026;
    inputs.latitude = 52.0 * kDeg;
    inputs.longitude = 13.4 * kDeg;
    inputs.offsets = FixedZoneOffsets(2026, 1.0, false);
    return inputs;
}

std::vector<Target> Messier() {
    std::vector<Target> targets;
    for (FixedTarget& t : MessierTargets()) targets.emplace_back(std::move(t));
    return targets;
}

void BM_MessierYearEvents(benchmark::State& state) {
    const YearInputs inputs = Inputs();
    const std::vector<VisibilityDay> days = ComputeVisibilityYear(inputs);
    const std::vector<Target> targets = Messier();
    const int threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            ComputeTargetEvents(targets, days, Observer{inputs.latitude, inputs.longitude}, threads).data());
    }
}
// Wall time: the work runs on several threads.
BENCHMARK(BM_MessierYearEvents)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The chart's passes at a new place: the year's sky of the list kept, the
// events of every target and day solved again.
void BM_MessierPassesNewPlace(benchmark::State& state) {
    const YearInputs inputs = Inputs();
    const std::vector<Target> targets = Messier();
    std::vector<VisibilityDay> days;
    for (const VisibilityDay& day : ComputeVisibilityYear(inputs)) days.push_back(day);
    const TargetYearSky sky(targets, days);
    const TargetYearSky::Observing at = sky.At(Observer{inputs.latitude, inputs.longitude});
    for (auto _ : state) {
        for (std::size_t k = 0; k < sky.TargetCount(); ++k) {
            for (std::size_t d = 0; d < sky.DayCount(); ++d) benchmark::DoNotOptimize(sky.Pass(k, d, at).transit);
        }
    }
}
// One thread: the chart shares the targets out among the cores.
BENCHMARK(BM_MessierPassesNewPlace)->Unit(benchmark::kMillisecond);

// The same as the chart asks for it: every target's curves in local time,
// on all cores (wall time).
void BM_MessierPassCurvesNewPlace(benchmark::State& state) {
    const YearInputs inputs = Inputs();
    const std::vector<Target> targets = Messier();
    std::vector<VisibilityDay> days;
    for (const VisibilityDay& day : ComputeVisibilityYear(inputs)) days.push_back(day);
    const TargetYearSky sky(targets, days);
    TargetPassYear year;
    for (auto _ : state) {
        ComputeTargetPassYear(sky, inputs, year);  // into the kept curves, as the chart's cache does
        benchmark::DoNotOptimize(year.curves.data());
    }
}
BENCHMARK(BM_MessierPassCurvesNewPlace)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace velmarin

BENCHMARK_MAIN();
