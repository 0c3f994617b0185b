// One year of rise, transit and set events: 365 days x 9 bodies, twilight
// instants and moon-free darkness, shared out among the cores and on one
// thread, at 52 N, 9.8 E, UT+1 with summer time.
#include <benchmark/benchmark.h>

#include "core/ephemeris/visibility_year.h"

namespace velmarin {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

YearInputs Inputs() {
    YearInputs inputs;
    inputs.year = 2026;
    inputs.latitude = 52.0 * kDeg;
    inputs.longitude = 9.8 * kDeg;
    inputs.offsets = FixedZoneOffsets(2026, 1.0, true);
    return inputs;
}

void BM_VisibilityYear(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ComputeVisibilityYear(Inputs()).data());
}
// Wall time: the work runs on several threads.
BENCHMARK(BM_VisibilityYear)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_VisibilityYearOneThread(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ComputeVisibilityYear(Inputs(), 1).data());
}
BENCHMARK(BM_VisibilityYearOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace velmarin

BENCHMARK_MAIN();
