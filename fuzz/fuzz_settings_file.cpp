// Settings file reader: any bytes must parse, and whatever they give must
// survive a save and a reload unchanged in its written form.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/app/settings_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmarin;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ChartSettings defaults;
    const ChartSettings settings = ParseSettingsText(text, defaults);

    FUZZ_CHECK(std::isfinite(settings.latitude));
    FUZZ_CHECK(std::isfinite(settings.longitude));
    FUZZ_CHECK(std::isfinite(settings.timeZoneHours));
    FUZZ_CHECK(settings.summerTime == defaults.summerTime);

    for (bool withSize : {false, true}) {
        const std::string written = FormatSettingsText(settings, withSize);
        FUZZ_CHECK(written.size() >= 4 && written.compare(written.size() - 2, 2, "\r\n") == 0);
        const ChartSettings reread = ParseSettingsText(written, defaults);
        // Integers come back exactly; the rounded numbers reach a fixed point after one save.
        FUZZ_CHECK(reread.codeByDiameter == settings.codeByDiameter);
        FUZZ_CHECK(reread.codeByBrightness == settings.codeByBrightness);
        FUZZ_CHECK(reread.displayMode == settings.displayMode);
        FUZZ_CHECK(reread.showDayLine == settings.showDayLine);
        FUZZ_CHECK(reread.reservedFlag == settings.reservedFlag);
        FUZZ_CHECK(reread.showGrid == settings.showGrid);
        FUZZ_CHECK(reread.showMoon == settings.showMoon);
        if (withSize) {
            FUZZ_CHECK(reread.windowWidth == settings.windowWidth);
            FUZZ_CHECK(reread.windowHeight == settings.windowHeight);
        }
        // Below 1e9 degrees (or hours) a unit in the last place is far below the six
        // decimals written, so the converted angles read back to the same text.
        // Beyond that a damaged file's value may move by a unit per save, which is harmless.
        const bool smallEnough = std::fabs(settings.latitude / degToRad) < 1e9 &&
                                 std::fabs(settings.longitude / degToRad) < 1e9 &&
                                 std::fabs(settings.timeZoneHours) < 1e9;
        if (smallEnough) FUZZ_CHECK(FormatSettingsText(reread, withSize) == written);
    }
    return 0;
}
