// Location prompt: any answer gives nothing or a location inside the globe,
// and the prompt's own text for that location reads back to it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/app/prompt_parsing.h"
#include "core/chart/chart_settings.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmarin;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto location = ParseLocationPrompt(text);
    if (!location) return 0;
    FUZZ_CHECK(location->latitude >= -90.0 && location->latitude <= 90.0);
    FUZZ_CHECK(location->longitude >= -180.0 && location->longitude <= 180.0);

    const std::string shown =
        FormatLocationPrompt(location->latitude * degToRad, location->longitude * degToRad);
    const auto again = ParseLocationPrompt(shown);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(std::fabs(again->latitude - location->latitude) <= 0.0051);
    FUZZ_CHECK(std::fabs(again->longitude - location->longitude) <= 0.0051);
    return 0;
}
