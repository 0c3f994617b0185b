// Version and build-date texts: any input gives a short text of numbers and dots.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/app/version_text.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmarin;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::string version = FormatVersionText(text);
    // Four saturated ints with signs and three dots at most.
    FUZZ_CHECK(!version.empty() && version.size() <= 4 * 11 + 3);
    FUZZ_CHECK(version.find_first_not_of("-0123456789.") == std::string::npos);
    FUZZ_CHECK(version.front() != '.' && version.back() != '.');

    const std::string build = FormatBuildText(text);
    FUZZ_CHECK(build.size() <= 99);
    FUZZ_CHECK(build.find('\0') == std::string::npos);
    return 0;
}
