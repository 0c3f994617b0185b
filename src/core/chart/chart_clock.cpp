#include "core/chart/chart_clock.h"

#include <optional>

namespace velmarin {

bool UsesNamedZone(const ChartSettings& settings, const ZoneDatabase* zones) {
    return zones != nullptr && !settings.zone.empty() && zones->HasZone(settings.zone);
}

YearOffsets ChartYearOffsets(int year, const ChartSettings& settings, const ZoneDatabase* zones) {
    if (UsesNamedZone(settings, zones)) {
        if (std::optional<YearOffsets> offsets = ZoneOffsets(year, settings.zone, *zones)) return *offsets;
    }
    return FixedZoneOffsets(year, settings.timeZoneHours, settings.summerTime != 0);
}

std::string ZoneCaption(int year, const ChartSettings& settings, const ZoneDatabase* zones) {
    if (!UsesNamedZone(settings, zones)) return {};
    const std::string abbreviations = zones->Abbreviations(settings.zone, year);
    return abbreviations.empty() ? settings.zone : settings.zone + " (" + abbreviations + ")";
}

}  // namespace velmarin
