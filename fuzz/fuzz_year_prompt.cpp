// Year prompt and the number readers under it: any text gives a year the
// calendar arithmetic can handle.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/app/prompt_parsing.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmarin;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto year = ParseYearPrompt(text);
    FUZZ_CHECK(year.has_value() == !text.empty());
    if (year) {
        FUZZ_CHECK(*year >= -999999 && *year <= 999999);
        FUZZ_CHECK(*year == ReadLeadingInteger(text));
    }
    // NaN is the one value the decimal reader must never produce.
    const double number = ReadLeadingDecimal(text);
    FUZZ_CHECK(number == number);
    return 0;
}
