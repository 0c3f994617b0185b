#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "core/ephemeris/position_table.h"

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

// A year of the targets' days with everything that does not depend on the
// observer worked out once: each day's sidereal time at its start, each
// fixed target's place of date, each orbit's table; a new place then only
// solves the events.
class TargetYearSky {
public:
    // The observer with what every day's solution reads of it: the
    // latitude's sine and cosine and each day's local sidereal time at its
    // start (rad).
    struct Observing {
        Observer observer;
        double sinLatitude = 0.0;
        double cosLatitude = 0.0;
        std::vector<double> startSidereal;  // [day]
    };
    Observing At(const Observer& observer) const;

    TargetYearSky(const std::vector<Target>& targets, const std::vector<VisibilityDay>& days);

    std::size_t DayCount() const { return days_.size(); }
    std::size_t TargetCount() const { return targets_.size(); }
    // Target k's first rise, transit (with its altitude) and set on day d:
    // the instants ComputeTargetEvents finds. Fixed targets' come without
    // the stretches up, counts and flags; an orbit's with all of them.
    BodyDayEvents Pass(std::size_t k, std::size_t d, const Observing& at) const;

private:
    struct Day {
        double start, end;
        double greenwichHours, nutationHours;  // sidereal time parts at start
    };
    struct FixedPlace {
        double ra, sinDec, cosDec;  // of date
    };
    struct PerTarget {
        std::vector<FixedPlace> places;  // [day]; empty for an orbit
        std::optional<PositionTable> orbit;
    };
    std::vector<Day> days_;
    std::vector<PerTarget> targets_;
};

}  // namespace velmarin
