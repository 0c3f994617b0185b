#include "core/chart/chart_sky.h"

#include "core/chart/chart_clock.h"

namespace velmarin {

YearInputs YearInputsOf(int year, const ChartSettings& settings, const ZoneDatabase* zones) {
    YearInputs inputs;
    inputs.year = year;
    inputs.latitude = settings.latitude;
    inputs.longitude = settings.longitude;
    inputs.offsets = ChartYearOffsets(year, settings, zones);
    return inputs;
}

YearSkyParts ChartSkyParts(DisplayMode mode, const ChartSettings& settings) {
    YearSkyParts parts;
    if (mode == DisplayMode::Twilight) {
        parts.bands = true;
        // The moonlit samples read the Moon's hours up from the passes.
        parts.passes = settings.showPlanets != 0 || settings.showMoonlight != 0;
        parts.moonlight = settings.showMoonlight != 0;
    } else {
        parts.tracks = true;
        parts.markers = settings.showMoon;
    }
    return parts;
}

YearSky ChartYearSky(YearSkyCache& cache, int year, DisplayMode mode, const ChartSettings& settings,
                     const ZoneDatabase* zones) {
    const YearSkyParts parts = ChartSkyParts(mode, settings);
    if (mode == DisplayMode::Twilight) return cache.Build(YearInputsOf(year, settings, zones), parts);
    YearInputs yearAlone;
    yearAlone.year = year;
    return cache.Build(yearAlone, parts);
}

}  // namespace velmarin
