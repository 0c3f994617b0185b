#pragma once

#include <array>
#include <vector>

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/position_table.h"
#include "core/ephemeris/rise_set.h"
#include "core/ephemeris/visibility_year.h"
#include "core/sky/twilight_sampling.h"

namespace velmarin {

// The bodies' passes over the sky through a year, for drawing them on the
// twilight chart. The exact event search (ComputeVisibilityYear) costs far
// more than a redraw may take, so the positions are computed on a coarse grid
// (the planets every four days, the Moon every day), interpolated, and
// each event is found by a few Newton steps on the hour angle. That places
// every event within seconds of the exact search, far below a pixel.

// An event instant; valid false where the body does not reach it (stays up
// or stays down about that transit).
struct PassEvent {
    double t = 0.0;  // Julian Day, UT
    bool valid = false;
};

// One upper transit with the rise before it and the set after it.
struct BodyPass {
    PassEvent rise;
    PassEvent transit;  // always valid
    PassEvent set;
    double transitAltitude = 0.0;  // rad, apparent altitude of the centre
    bool alwaysUp = false;         // the body neither rises nor sets about this transit
};

// The overlay's planets, Mercury .. Neptune; their passes are kept at
// [IndexOf(body) - kFirstOverlayPlanet].
inline constexpr int kFirstOverlayPlanet = IndexOf(BodyId::kMercury);
inline constexpr int kOverlayPlanetCount = IndexOf(BodyId::kNeptune) - IndexOf(BodyId::kMercury) + 1;
static_assert(kPlanets.size() == kOverlayPlanetCount && kPlanets[0] == BodyId::kMercury);

// The kinds of event a pass has.
enum class PassEventKind { Rise = 0, Transit = 1, Set = 2 };
inline constexpr int kPassEventKinds = 3;

// One event of a curve through the year as the twilight chart draws it; a
// point with valid false (no such event about that transit, or a transit
// below the horizon) breaks the curve.
struct CurvePoint {
    double dayJd = 0.0;  // the civil day (0 h)
    double hours = 0.0;  // local hour in that day
    bool valid = false;
    double offsetDays = 0.0;  // the civil offset from UT the hour is in
};

struct NightPassYear {
    // Passes of Mercury .. Neptune ([IndexOf(body) - kFirstOverlayPlanet]) from a day before the
    // year to a day after it, in time order.
    std::array<std::vector<BodyPass>, kOverlayPlanetCount> planets;
    // Stretches of time with the Moon's upper limb above the horizon, in time
    // order and disjoint, covering the same span.
    std::vector<TimeInterval> moonUp;
    // The planets' passes in local time: [body - BodyId::kMercury][kind], one point per pass.
    std::array<std::array<std::vector<CurvePoint>, kPassEventKinds>, kOverlayPlanetCount> curves;
};

// The year's positions the passes interpolate: they depend on the year
// alone, so a new place only solves the passes again.
struct NightSkyTables {
    int year = 0;
    std::array<PositionTable, kOverlayPlanetCount> planets;
    PositionTable moon;
};
NightSkyTables ComputeNightSkyTables(int year);

NightPassYear ComputeNightPassYear(const NightSkyTables& tables, const YearInputs& inputs);
NightPassYear ComputeNightPassYear(const YearInputs& inputs);

// Where an instant lies on the twilight chart: its civil day (0 h, as the
// chart's date axis takes it) and its local hour in that day.
struct LocalInstant {
    double dayJd = 0.0;
    double hours = 0.0;
    double offsetDays = 0.0;  // the civil offset of that day
};
LocalInstant ToLocal(const YearOffsets& offsets, double t);
// The offset (days) of the civil day starting at dayJd, days outside the
// table taking the nearest day's: the offsets ToLocal reads.
double ClampedDayOffset(const YearOffsets& offsets, double dayJd);

// The events of one kind of `passes` in local time, one point per pass.
std::vector<CurvePoint> PassCurve(const std::vector<BodyPass>& passes, PassEventKind kind,
                                  const YearOffsets& offsets);

}  // namespace velmarin
