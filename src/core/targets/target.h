#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/ephemeris/conic_orbit.h"
#include "core/ephemeris/orbit_position.h"

namespace velmarin {

// A target at a fixed place among the stars, J2000.
struct FixedTarget {
    std::string name;                 // UTF-8
    double ra = 0.0;                  // rad, [0, 2pi)
    double dec = 0.0;                 // rad, [-pi/2, pi/2]
    std::optional<double> magnitude;  // visual, when known
    std::string kind;                 // "galaxy", "open cluster", ... or empty
    bool operator==(const FixedTarget&) const = default;
};

// A comet or an asteroid on its osculating orbit.
struct OrbitTarget {
    std::string name;
    ConicElements elements;
    OrbitMagnitude magnitude;
};

using Target = std::variant<FixedTarget, OrbitTarget>;

inline const std::string& TargetName(const Target& target) {
    return std::visit([](const auto& t) -> const std::string& { return t.name; }, target);
}

}  // namespace velmarin
