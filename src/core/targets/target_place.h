#pragma once

#include <optional>

#include "core/targets/target.h"

namespace velmarin {

// A target's place in the frame of the chart's own bodies (the equator and
// equinox J2000, which is where the program's Sun and planets are): a fixed
// target's catalogue place, an orbit's astrometric geocentric place.
struct TargetPlace {
    double ra = 0.0;   // rad, [0, 2pi)
    double dec = 0.0;  // rad
    std::optional<double> magnitude;
    std::optional<double> distance;  // AU from the Earth, orbits only
};

TargetPlace ComputeTargetPlace(const Target& target, double jd);

}  // namespace velmarin
