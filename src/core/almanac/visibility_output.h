#pragma once

#include <string>
#include <vector>

#include "core/almanac/visibility_targets.h"
#include "core/ephemeris/visibility_year.h"

namespace velmarin {

// What `velmarin visibility` reports besides the days.
struct VisibilityHeader {
    int year = 2000;
    double latitudeDegrees = 0.0;
    double longitudeDegrees = 0.0;
    std::string zone;            // AREA/CITY, or empty for the fixed zones
    double timeZoneHours = 0.0;  // fixed zones only
    bool summerTime = false;     // fixed zones only
};

// One JSON object: year, place, zone and every day with the first rise,
// transit and set of each body, the twilight instants and the darkness hours.
// Instants are Julian Days (UT), altitudes degrees. With `targets`, each day
// also has "targets": the same fields per target, after "bodies".
std::string VisibilityJson(const VisibilityHeader& header, const std::vector<VisibilityDay>& days,
                           const VisibilityTargets* targets = nullptr);

// A German table, one row a day, local clock times HH:MM, "—" where a day
// has no such event. With `targets`, their columns follow the bodies'.
std::string VisibilityTable(const VisibilityHeader& header, const std::vector<VisibilityDay>& days,
                            const VisibilityTargets* targets = nullptr);

}  // namespace velmarin
