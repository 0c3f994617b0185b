#pragma once

#include "core/ephemeris/conic_orbit.h"

namespace velmarin {

// How an orbiting body's brightness follows its distances.
struct OrbitMagnitude {
    enum class Law {
        None,         // no magnitude known
        Asteroid,     // H, G: the IAU two-parameter phase law
        Comet,        // g, k: m = g + 5 log10(delta) + 2.5 k log10(r)
    };
    Law law = Law::None;
    double absolute = 0.0;  // H or g
    double slope = 0.0;     // G or k
};

// Geocentric astrometric place of an orbiting body: the equator and equinox
// J2000 of the chart's own bodies (the ecliptic turned by the program's
// obliquity), light time included.
struct OrbitPlace {
    double ra = 0.0;          // rad, [0, 2pi)
    double dec = 0.0;         // rad
    double distance = 0.0;    // from the Earth, AU (delta)
    double sunDistance = 0.0; // from the Sun, AU (r), at the light-time instant
    double phaseAngle = 0.0;  // Sun-body-Earth, rad
    double magnitude = 0.0;   // by `magnitude`; 0 for Law::None
};

// Given: elements, the magnitude law, jd (UT).
// Returned: the place at jd as seen from the Earth. The Earth is where the
// program's Sun (ComputeBodyPosition of BodyId::kSun) puts it, on the ecliptic; the
// body is taken where it was when the light now arriving left it.
OrbitPlace ComputeOrbitPlace(const ConicElements& elements, const OrbitMagnitude& magnitude, double jd);

// Magnitude by the law at heliocentric distance r, geocentric distance delta
// (AU) and phase angle (rad).
double OrbitMagnitudeAt(const OrbitMagnitude& magnitude, double r, double delta, double phaseAngle);

}  // namespace velmarin
