// Year prompt and the number readers under it: any text gives a year the
// calendar arithmetic can handle, and only an empty text means "no change".
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/app/prompt_parsing.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmarin;
    using Kind = YearPromptAnswer::Kind;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const YearPromptAnswer answer = ParseYearPrompt(text);
    FUZZ_CHECK((answer.kind == Kind::Empty) == text.empty());
    if (answer.kind == Kind::Year) {
        FUZZ_CHECK(answer.year >= -999999 && answer.year <= 999999);
        FUZZ_CHECK(answer.year == ReadLeadingInteger(text));
    }
    if (answer.kind == Kind::NotAYear) FUZZ_CHECK(ReadLeadingInteger(text) == 0);
    // NaN is the one value the decimal reader must never produce.
    const double number = ReadLeadingDecimal(text);
    FUZZ_CHECK(number == number);
    return 0;
}
