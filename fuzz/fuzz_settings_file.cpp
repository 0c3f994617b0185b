// Settings file reader: any bytes must parse, and whatever they give must
// survive a save and a reload unchanged in its written form; a save of the
// file as read gives it back or changes only what changed.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/app/settings_file.h"
#include "core/app/settings_update.h"
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

        // A save of the file as read: unchanged, it is the file or the file
        // without its size; changed, the change reads back and a second save
        // moves nothing.
        const std::string kept = UpdatedSettingsText({std::string(text), settings}, settings, withSize);
        if (!withSize) FUZZ_CHECK(kept == text || UpdatedSettingsText({std::string(text), settings}, settings, true) == text);
        ChartSettings changed = settings;
        changed.displayMode = DisplayMode::Sun;
        changed.showPlanets = 1 - settings.showPlanets;
        changed.zone = settings.zone.empty() ? "Asia/Tokyo" : "";
        changed.timeZoneHours = 5.5;
        const std::string saved = UpdatedSettingsText({std::string(text), settings}, changed, withSize);
        const ChartSettings back = ParseSettingsText(saved, defaults);
        FUZZ_CHECK(back.displayMode == DisplayMode::Sun && back.showPlanets == changed.showPlanets &&
                   back.zone == changed.zone && back.timeZoneHours == 5.5);
        FUZZ_CHECK(back.codeByDiameter == settings.codeByDiameter && back.showMoon == settings.showMoon);
        if (withSize) FUZZ_CHECK(back.windowWidth == settings.windowWidth && back.windowHeight == settings.windowHeight);
        FUZZ_CHECK(UpdatedSettingsText({saved, changed}, changed, withSize) == saved);
    }
    return 0;
}
