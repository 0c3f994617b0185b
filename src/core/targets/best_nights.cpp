#include "core/targets/best_nights.h"

#include <algorithm>

#include "core/ephemeris/body_position.h"

namespace velmarin {

namespace {

bool Inside(const std::vector<TimeInterval>& intervals, double t) {
    return std::any_of(intervals.begin(), intervals.end(),
                       [t](const TimeInterval& i) { return t >= i.from && t <= i.to; });
}

}  // namespace

bool IsBestNight(const VisibilityDay& day, const BodyDayEvents& target) {
    if (!target.transit || !(target.transitAltitude > 0.0)) return false;
    const double t = *target.transit;
    return Inside(day.darkness, t) && !Inside(day.bodies[IndexOf(BodyId::kMoon)].up, t);
}

std::vector<std::vector<DayRange>> BestNights(const std::vector<VisibilityDay>& days,
                                              const std::vector<std::vector<BodyDayEvents>>& targetEvents,
                                              std::size_t targetCount) {
    std::vector<std::vector<DayRange>> result(targetCount);
    for (std::size_t i = 0; i < targetCount; ++i) {
        std::vector<DayRange>& ranges = result[i];
        for (std::size_t d = 0; d < days.size() && d < targetEvents.size(); ++d) {
            if (!IsBestNight(days[d], targetEvents[d][i])) continue;
            if (!ranges.empty() && ranges.back().last + 1 == d) {
                ranges.back().last = d;
            } else {
                ranges.push_back({d, d});
            }
        }
    }
    return result;
}

}  // namespace velmarin
