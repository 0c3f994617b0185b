#pragma once

#include "core/ephemeris/civil_offsets.h"

namespace velmarin {

// What a year's sky at one place is computed from: the twilight samples,
// the events of every civil day and the planets' passes all read exactly
// these, and a model of the year is kept as long as they stay the same.
struct YearInputs {
    int year = 2000;
    double latitude = 0.0;   // rad, north positive
    double longitude = 0.0;  // rad, east positive
    // Civil time of every day of `year` (FixedZoneOffsets, ZoneOffsets); a
    // day the table lacks counts as UT.
    YearOffsets offsets;
    bool operator==(const YearInputs&) const = default;
};

}  // namespace velmarin
