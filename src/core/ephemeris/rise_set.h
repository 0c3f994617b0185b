#pragma once

#include <optional>
#include <vector>

#include "core/ephemeris/body_position.h"

namespace velmarin {

class PositionTable;

// A stretch of time, Julian Days (UT), from <= to.
struct TimeInterval {
    double from = 0.0;
    double to = 0.0;
};

// One body's events within one day [start, end).
// Given: the body's apparent altitude as the horizon function gives it (the
// refraction added above -0.01 rad), of the centre for planets and of the
// upper limb for the Sun and the Moon (semidiameter from the ephemeris
// diameter; the Moon's altitude is also lowered by its parallax).
// Returned: the first rise, upper culmination and set in the day (Julian Days,
// UT), each empty when there is none; every stretch of the day during which
// the body is up; alwaysUp / neverUp when it neither rises nor sets in the day.
struct BodyDayEvents {
    std::optional<double> rise;
    std::optional<double> transit;
    double transitAltitude = 0.0;  // rad, apparent altitude of the centre at transit
    std::optional<double> set;
    bool alwaysUp = false;
    bool neverUp = false;
    int riseCount = 0;
    int setCount = 0;
    std::vector<TimeInterval> up;
};

// The Sun's centre at geometric -6, -12 and -18 degrees (the twilight band
// limits) in the day; each the first of its kind, empty when there is none.
struct TwilightInstants {
    std::optional<double> civilDawn, nauticalDawn, astronomicalDawn;
    std::optional<double> civilDusk, nauticalDusk, astronomicalDusk;
};

struct SunDayEvents {
    BodyDayEvents sun;
    TwilightInstants twilight;
    // Stretches of the day with the Sun's centre at or below -18 degrees.
    std::vector<TimeInterval> darkness;
};

// Observer for the event search: latitude and longitude in rad (north and
// east positive).
struct Observer {
    double latitude = 0.0;
    double longitude = 0.0;
};

// Events of a body in the day [start, end) (Julian Days, UT; end - start
// at most about a day and a quarter). Every instant is found by bracketing
// between the body's culminations and root-finding to 1 s, from the body's
// place of date (PlannerPlace). Pure: each call uses a context of its own.
BodyDayEvents FindBodyEvents(BodyId body, double start, double end, const Observer& observer);

// The Sun's rise, transit and set, twilight instants and darkness of the day.
SunDayEvents FindSunEvents(double start, double end, const Observer& observer);

// The same searches with the body's positions read from `positions`, a
// table of that body (the Sun's for FindSunEvents) covering the day: for a
// year of days, where computing the ephemeris at every step of the search
// would cost far more than the search. The table holds the places the
// searches above use (PlannerPlace: of date); the searches take them as
// they are.
BodyDayEvents FindBodyEvents(BodyId body, const PositionTable& positions, double start, double end,
                             const Observer& observer);
SunDayEvents FindSunEvents(const PositionTable& positions, double start, double end, const Observer& observer);

// Events of a point without size (a star, a comet) whose places come from
// `positions`, covering the day: it rises and sets where its centre's
// apparent altitude crosses 0, as a planet does.
BodyDayEvents FindPointEvents(const PositionTable& positions, double start, double end, const Observer& observer);

// Geometric altitude (rad) at which the horizon function's apparent altitude
// turns positive: the rise/set altitude of a point without size.
double HorizonGeometricAltitude();

// Total length of `intervals`, in hours.
double IntervalHours(const std::vector<TimeInterval>& intervals);
// Parts of `a` that lie outside every interval of `b` (both sorted, disjoint).
std::vector<TimeInterval> SubtractIntervals(const std::vector<TimeInterval>& a,
                                            const std::vector<TimeInterval>& b);

}  // namespace velmarin
