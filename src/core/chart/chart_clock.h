#pragma once

#include <string>

#include "core/chart/chart_settings.h"
#include "core/ephemeris/civil_offsets.h"

namespace velmarin {

// The civil clock the settings choose: their zone when there is one and
// `zones` (may be null) knows it, else timeZoneHours with the summer-time
// rule when summerTime is on.

bool UsesNamedZone(const ChartSettings& settings, const ZoneDatabase* zones);

// The offset of every day of `year` on that clock.
YearOffsets ChartYearOffsets(int year, const ChartSettings& settings, const ZoneDatabase* zones);

// What the twilight chart's caption names after "Uhrzeit in " for a named
// zone: "Australia/Sydney (AEST/AEDT)" with the zone's abbreviations of
// `year`; empty when no named zone is in use.
std::string ZoneCaption(int year, const ChartSettings& settings, const ZoneDatabase* zones);

}  // namespace velmarin
