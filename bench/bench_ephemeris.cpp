// Cost of one position per body and of one year of twilight sampling.
#include <benchmark/benchmark.h>

#include <array>

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/time_calendar.h"
#include "core/sky/twilight_sampling.h"

namespace {

using namespace velmarin;

// One body at a sweep of instants. Each instant has its own context in
// which the Sun was computed beforehand (the chart's order rule), so only
// the body's own call is timed.
void BM_ComputeBodyPosition(benchmark::State& state) {
    const BodyId body = static_cast<BodyId>(state.range(0));
    constexpr int kInstants = 256;
    std::array<EphemerisContext, kInstants> contexts{};
    std::array<double, kInstants> instants{};
    for (int i = 0; i < kInstants; ++i) {
        instants[i] = 2451545.0 + 0.37 * i;
        ComputeBodyPosition(contexts[i], BodyId::kSun, instants[i]);
    }
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeBodyPosition(contexts[i], body, instants[i]));
        i = (i + 1) % kInstants;
    }
}
BENCHMARK(BM_ComputeBodyPosition)->DenseRange(0, 8)->ArgName("body");

// A body together with its Sun call, as the chart pays for it per day.
void BM_SunThenBody(benchmark::State& state) {
    const BodyId body = static_cast<BodyId>(state.range(0));
    EphemerisContext context;
    double jd = 2451545.0;
    for (auto _ : state) {
        jd += 0.37;
        benchmark::DoNotOptimize(ComputeBodyPosition(context, BodyId::kSun, jd));
        benchmark::DoNotOptimize(ComputeBodyPosition(context, body, jd));
    }
}
BENCHMARK(BM_SunThenBody)->DenseRange(1, 8)->ArgName("body");

// 183 days x 240 samples = 43,920 Sun altitudes at 52 N.
void BM_SampleTwilightYear(benchmark::State& state) {
    YearInputs inputs;
    inputs.year = 2026;
    inputs.latitude = 52.0 * 3.14159265358979323846 / 180.0;
    inputs.longitude = 9.8 * 3.14159265358979323846 / 180.0;
    inputs.offsets = FixedZoneOffsets(2026, 1.0, true);
    for (auto _ : state) benchmark::DoNotOptimize(SampleTwilightYear(inputs));
    state.SetItemsProcessed(state.iterations() * 183 * kTwilightSamplesPerDay);
}
BENCHMARK(BM_SampleTwilightYear)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
