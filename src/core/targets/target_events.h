#pragma once

#include <vector>

#include "core/ephemeris/rise_set.h"
#include "core/ephemeris/visibility_year.h"
#include "core/targets/target.h"

namespace velmarin {

// Rise, transit and set of a point that keeps its place of date `ra`, `dec`
// (rad) through the day [start, end): a star, whose place of date moves by a
// fraction of an arc second a day. Solved in closed form against the same
// sidereal time (the equation of the equinoxes of `start`) and horizon as
// FindPointEvents.
BodyDayEvents FindFixedPointEvents(double ra, double dec, double start, double end, const Observer& observer);

// Every target's events on every day of `days` (their start and end only are
// read), as [day][target]. Fixed targets are taken to their place of date
// once a day; orbits are tabulated every half day and searched with
// FindPointEvents. The days are shared out among `threads` threads.
std::vector<std::vector<BodyDayEvents>> ComputeTargetEvents(const std::vector<Target>& targets,
                                                            const std::vector<VisibilityDay>& days,
                                                            const Observer& observer, int threads);

}  // namespace velmarin
