#pragma once

#include <vector>

#include "core/ephemeris/rise_set.h"
#include "core/ephemeris/visibility_year.h"

namespace velmarin {

// A run of consecutive days, as indices into the year's days, first <= last.
struct DayRange {
    std::size_t first = 0;
    std::size_t last = 0;
    bool operator==(const DayRange&) const = default;
};

// Whether a target's transit on `day` is worth the night: it culminates
// above the horizon, in astronomical darkness (the Sun at or below -18
// degrees), with the Moon below the horizon.
bool IsBestNight(const VisibilityDay& day, const BodyDayEvents& target);

// Per target (the columns of targetEvents[day]), the runs of days that
// IsBestNight accepts, in date order.
std::vector<std::vector<DayRange>> BestNights(const std::vector<VisibilityDay>& days,
                                              const std::vector<std::vector<BodyDayEvents>>& targetEvents,
                                              std::size_t targetCount);

}  // namespace velmarin
