#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/chart/body_catalogue.h"
#include "core/ephemeris/body_position.h"
#include "core/targets/target_place.h"

namespace velmarin {

// The nine bodies at one instant, as the chart computes them.
struct Positions {
    double jd = 0.0;
    std::array<BodyPosition, kBodyCount> bodies;
    double moonNodeLongitude = 0.0;
    double siderealTime0h = 0.0;
};

// The Sun first, whose values the planets and the Moon read.
Positions ComputePositions(double jd);

// A target's place at the instant, in the bodies' frame.
struct TargetPositionRow {
    std::string name;
    std::string kind;  // may be empty
    TargetPlace place;
};

// With `targets`, they follow the bodies: in JSON as "targets" with
// "rightAscension" (hours), "declination" (degrees), "magnitude" and
// "distance" (AU, orbits; null where unknown) and "kind".
std::string PositionsJson(const Positions& positions, const BodyCatalogue& catalogue,
                          const std::vector<TargetPositionRow>* targets = nullptr);
std::string PositionsText(const Positions& positions, const BodyCatalogue& catalogue,
                          const std::vector<TargetPositionRow>* targets = nullptr);
// One row per body: the JSON's fields, the instant's repeated on every row,
// plus "utc", the instant in ISO 8601. Targets add rows after the bodies and
// the columns rightAscension, declination, distance and kind.
std::string PositionsCsv(const Positions& positions, const BodyCatalogue& catalogue,
                         const std::vector<TargetPositionRow>* targets = nullptr);

}  // namespace velmarin
