#include "core/ephemeris/horizon.h"

#include <cmath>

#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

// Below this geometric altitude (rad) the refraction formula's horizon
// branches no longer hold, so the altitude stays geometric there.
constexpr double kRefractionFloor = -0.01;

using fixed::kTwilightDegree;

}  // namespace

double Refraction(double altitude) {
    double arcsec = 0.0;
    if (altitude < kRefractionFloor) {
        arcsec = 2679.4996457;
    } else if (altitude < 0.087266462) {
        arcsec = 1059.121622 * (std::exp(-37.32331743 * altitude) + std::exp(-7.464663464 * altitude));
    } else {
        const double t = std::tan(kPi / 2.0 - altitude);
        arcsec = 58.428560196 * t - 0.050181818626 * (t * t * t);
    }
    // Arc seconds to radians for the standard atmosphere.
    return arcsec * 3.491467576791809 * 1.30655612e-06;
}

double ApparentAltitude(double geometricAltitude) {
    // Refraction lifts a body: it is added, and only where its formula holds.
    if (geometricAltitude > kRefractionFloor) return geometricAltitude + Refraction(geometricAltitude);
    return geometricAltitude;
}

bool HorizontalFromEquatorial(int mode, double hourAngle, double declination, double latitude,
                              HorizontalCoordinates& out) {
    if (mode == 3) return false;
    const double sinLatitude = std::sin(latitude);
    const double cosLatitude = std::cos(latitude);
    const double sinDeclination = std::sin(declination);
    const double sinAltitude =
        sinDeclination * sinLatitude + std::cos(declination) * std::cos(hourAngle) * cosLatitude;
    const double h = std::asin(sinAltitude);
    // At the poles or the zenith this divides by zero; the comparisons below
    // then give 0 or pi (NaN falls through to pi).
    const double q = -(sinDeclination - sinAltitude * sinLatitude) / std::cos(h) / cosLatitude;
    double azimuth = 0.0;
    if (std::fabs(q) <= 1.0) {
        azimuth = std::acos(q);
    } else if (q > 1.0) {
        azimuth = 0.0;
    } else {
        azimuth = kPi;
    }
    if (NormalizeAngle(hourAngle) > kPi) azimuth = -azimuth;
    out.azimuth = azimuth;
    out.altitude = ApparentAltitude(h);
    return true;
}

int TwilightBand(double altitude) {
    if (altitude > 0.0) return 0;
    if (altitude > -6.0 * kTwilightDegree) return 1;
    if (altitude > -12.0 * kTwilightDegree) return 2;
    if (altitude > -18.0 * kTwilightDegree) return 3;
    return 4;  // darkness, also for NaN
}

}  // namespace velmarin
