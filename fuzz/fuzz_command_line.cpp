// Command-line options: the input is split into words at NUL bytes; the first
// byte picks the subcommand. Every accepted parse must hold values the chart
// and the almanac commands can use.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "core/almanac/options.h"
#include "core/ephemeris/time_calendar.h"
#include "fuzz_check.h"

namespace {

using namespace velmarin;

void CheckObserver(const ChartSettings& settings) {
    FUZZ_CHECK(std::isfinite(settings.latitude) && std::fabs(settings.latitude) <= 90.0 * degToRad);
    FUZZ_CHECK(std::isfinite(settings.longitude) &&
               std::fabs(settings.longitude) <= 180.0 * degToRad);
    FUZZ_CHECK(std::isfinite(settings.timeZoneHours) && std::fabs(settings.timeZoneHours) <= 24.0);
}

bool YearInRange(int year) { return year >= kMinYear && year <= kMaxYear; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int command = data[0] % 5;
    std::vector<std::string> args(1);
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    if (args.size() == 1 && args[0].empty()) args.clear();

    const ChartSettings fileSettings;
    switch (command) {
        case 0: {
            auto result = ParseRenderOptions(args, fileSettings, 2024);
            if (result) {
                const auto* options = &*result;
                FUZZ_CHECK(!options->output.empty());
                FUZZ_CHECK(YearInRange(options->year));
                FUZZ_CHECK(options->width >= 1 && options->width <= kMaxImageSide);
                FUZZ_CHECK(options->height >= 1 && options->height <= kMaxImageSide);
                CheckObserver(options->settings);
            } else {
                FUZZ_CHECK(result.error().find('\n') == std::string::npos);
            }
            break;
        }
        case 1: {
            auto result = ParsePositionsOptions(args);
            if (result) {
                const auto* options = &*result;
                FUZZ_CHECK(options->jd >= MinimumJulianDay() && options->jd <= MaximumJulianDay());
            }
            break;
        }
        case 2: {
            auto result = ParsePhasesOptions(args, 2024);
            if (result) {
                const auto* options = &*result;
                FUZZ_CHECK(YearInRange(options->year));
            }
            break;
        }
        case 3: {
            auto result = ParseDaylightOptions(args, fileSettings, 2024);
            if (result) {
                const auto* options = &*result;
                FUZZ_CHECK(YearInRange(options->year));
                CheckObserver(options->settings);
                FUZZ_CHECK(std::fabs(options->latitudeDegrees) <= 90.0);
                FUZZ_CHECK(std::fabs(options->longitudeDegrees) <= 180.0);
            }
            break;
        }
        default: {
            std::optional<std::string> time;
            if (args.size() > 1) time = args[1];
            auto result = ParseDateTime(args.empty() ? std::string() : args[0], time);
            if (result) FUZZ_CHECK(std::isfinite(*result));
            break;
        }
    }
    return 0;
}
