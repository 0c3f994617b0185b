#pragma once

#include <array>
#include <string>

#include "core/chart/body_catalogue.h"
#include "core/ephemeris/body_position.h"

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

std::string PositionsJson(const Positions& positions, const BodyCatalogue& catalogue);
std::string PositionsText(const Positions& positions, const BodyCatalogue& catalogue);
// One row per body: the JSON's fields, the instant's repeated on every row,
// plus "utc", the instant in ISO 8601.
std::string PositionsCsv(const Positions& positions, const BodyCatalogue& catalogue);

}  // namespace velmarin
