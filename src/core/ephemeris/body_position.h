#pragma once

#include "core/ephemeris/ephemeris_context.h"

namespace velmarin {

// Body indices, one numbering for the whole program.
enum BodyIndex : int {
    kSun = 0, kMercury = 1, kVenus = 2, kMars = 3, kJupiter = 4,
    kSaturn = 5, kUranus = 6, kNeptune = 7, kMoon = 8,
};
inline constexpr int kBodyCount = 9;

struct BodyPosition {
    double ra = 0.0;         // right ascension, rad, [0, 2pi)
    double dec = 0.0;        // declination, rad
    double diameter = 0.0;   // apparent diameter, arc seconds
    double magnitude = 0.0;  // visual magnitude
    double eclipticLongitude = 0.0;  // geocentric ecliptic longitude, rad, [0, 2pi)
};

// Position of body 0..8 at Julian Day jd (UT). Order rule: for one instant
// compute body 0 first; the others read the Sun's values it leaves in the
// context. Body 0 writes sunLongitude/sunDistance, body 8 moonNodeLongitude.
BodyPosition ComputeBodyPosition(EphemerisContext& context, int body, double jd);

}  // namespace velmarin
