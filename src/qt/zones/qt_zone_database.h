#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "core/ephemeris/civil_offsets.h"

namespace velmarin {

// The system's zone database through QTimeZone (Debian: tzdata).
class QtZoneDatabase final : public ZoneDatabase {
public:
    bool HasZone(std::string_view zone) const override;
    // From the zone's transitions around the days, not one look-up per day.
    std::vector<int> NoonOffsetSeconds(std::string_view zone, CivilDate first, int count) const override;
    std::string Abbreviations(std::string_view zone, int year) const override;
};

// "UTC+11:00", "UTC-03:30", "UTC+00:00": an offset in seconds as the zone list shows it.
QString UtcOffsetText(int seconds);

}  // namespace velmarin
