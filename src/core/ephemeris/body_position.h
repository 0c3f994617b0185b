#pragma once

#include <array>

#include "core/ephemeris/ephemeris_context.h"

namespace velmarin {

// The bodies, one numbering for the whole program: the catalogue's first
// entries and the "index" of the JSON outputs.
enum class BodyId : int {
    kSun = 0, kMercury = 1, kVenus = 2, kMars = 3, kJupiter = 4,
    kSaturn = 5, kUranus = 6, kNeptune = 7, kMoon = 8,
};
inline constexpr int kBodyCount = 9;
// Every body in index order (the Sun first, as ComputeBodyPosition wants it).
inline constexpr std::array<BodyId, kBodyCount> kAllBodies = {
    BodyId::kSun, BodyId::kMercury, BodyId::kVenus, BodyId::kMars, BodyId::kJupiter,
    BodyId::kSaturn, BodyId::kUranus, BodyId::kNeptune, BodyId::kMoon,
};
// Mercury .. Neptune.
inline constexpr std::array<BodyId, 7> kPlanets = {
    BodyId::kMercury, BodyId::kVenus, BodyId::kMars, BodyId::kJupiter,
    BodyId::kSaturn, BodyId::kUranus, BodyId::kNeptune,
};

// The body's number: its slot in per-body arrays, its catalogue entry.
constexpr int IndexOf(BodyId body) { return static_cast<int>(body); }
constexpr bool IsPlanet(BodyId body) { return body > BodyId::kSun && body < BodyId::kMoon; }

struct BodyPosition {
    double ra = 0.0;         // right ascension, rad, [0, 2pi)
    double dec = 0.0;        // declination, rad
    double diameter = 0.0;   // apparent diameter, arc seconds
    double magnitude = 0.0;  // visual magnitude
    double eclipticLongitude = 0.0;  // geocentric ecliptic longitude, rad, [0, 2pi)
};

// Position of a body at Julian Day jd (UT). Order rule: for one instant
// compute the Sun first; the others read the Sun's values it leaves in the
// context. The Sun writes sunLongitude/sunDistance, the Moon moonNodeLongitude.
BodyPosition ComputeBodyPosition(EphemerisContext& context, BodyId body, double jd);

}  // namespace velmarin
