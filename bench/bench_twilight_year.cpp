// One year of twilight sampling: 183 days x 240 Sun altitudes (2025 has 183
// sampled days, 43,920 altitudes), shared out among the cores as the chart
// does it and on one thread. The place and time are those that
// bench/twilight_vs_pyephem.sh gives PyEphem: 52 N, 9.8 E, UT+1 without
// summer time.
#include <benchmark/benchmark.h>

#include "core/sky/twilight_sampling.h"

namespace velmarin {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

YearInputs Inputs() {
    YearInputs inputs;
    inputs.year = 2025;
    inputs.latitude = 52.0 * kDeg;
    inputs.longitude = 9.8 * kDeg;
    inputs.offsets = FixedZoneOffsets(2025, 1.0, false);
    return inputs;
}

void BM_TwilightYear(benchmark::State& state) {
    std::size_t samples = 0;
    for (auto _ : state) {
        const std::vector<TwilightDay> days = SampleTwilightYear(Inputs());
        samples = days.size() * kTwilightSamplesPerDay;
        benchmark::DoNotOptimize(days.data());
    }
    state.counters["altitudes"] = static_cast<double>(samples);
}
// Wall time: the work runs on several threads.
BENCHMARK(BM_TwilightYear)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TwilightYearOneThread(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(SampleTwilightYear(Inputs(), 1).data());
}
BENCHMARK(BM_TwilightYearOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace velmarin

BENCHMARK_MAIN();
