// A year of per-day clock offsets: a zone of the system's zone database
// through Qt (one look-up of the year's transitions, then a walk over the
// days) and a fixed zone with the summer-time rule. The budget is 1 ms.
#include <benchmark/benchmark.h>

#include "core/ephemeris/civil_offsets.h"
#include "qt/zones/qt_zone_database.h"

namespace velmarin {
namespace {

void BM_ZoneYearOffsets(benchmark::State& state, const char* zone) {
    const QtZoneDatabase zones;
    for (auto _ : state) benchmark::DoNotOptimize(ZoneOffsets(2026, zone, zones));
}
BENCHMARK_CAPTURE(BM_ZoneYearOffsets, Sydney, "Australia/Sydney")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ZoneYearOffsets, Chatham, "Pacific/Chatham")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ZoneYearOffsets, Kolkata, "Asia/Kolkata")->Unit(benchmark::kMicrosecond);

void BM_FixedZoneYearOffsets(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(FixedZoneOffsets(2026, 1.0, true));
}
BENCHMARK(BM_FixedZoneYearOffsets)->Unit(benchmark::kMicrosecond);

// The caption's abbreviations, looked up at every chart pass with a zone.
void BM_ZoneAbbreviations(benchmark::State& state) {
    const QtZoneDatabase zones;
    for (auto _ : state) benchmark::DoNotOptimize(zones.Abbreviations("Australia/Sydney", 2026));
}
BENCHMARK(BM_ZoneAbbreviations)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmarin

BENCHMARK_MAIN();
