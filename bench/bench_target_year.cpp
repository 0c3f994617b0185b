// The Messier list's year: 110 targets x 365 days of rise, transit and set
// (exact events), at 52 N, 13.4 E, UT+1, beside the bodies' year it needs.
// The whole command is timed by bench/targets_process_time.sh.
#include <benchmark/benchmark.h>

#include "core/ephemeris/run_beside.h"
#include "core/ephemeris/visibility_year.h"
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

}  // namespace
}  // namespace velmarin

BENCHMARK_MAIN();
