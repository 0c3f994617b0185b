#include "core/ephemeris/orbit_position.h"

#include <algorithm>
#include <cmath>

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

// The obliquity the chart's bodies are turned by (body_position.cpp).
constexpr double kObliquity = 0.409105176;
// Light travels one AU in this many days.
constexpr double kLightDaysPerAu = 0.0057755183;
constexpr int kLightTimeSteps = 3;

}  // namespace

double OrbitMagnitudeAt(const OrbitMagnitude& m, double r, double delta, double phaseAngle) {
    switch (m.law) {
        case OrbitMagnitude::Law::Asteroid: {
            // Bowell et al. (1989), the H, G system of the Minor Planet Center.
            const double t = std::tan(phaseAngle / 2.0);
            const double phi1 = std::exp(-3.33 * std::pow(t, 0.63));
            const double phi2 = std::exp(-1.87 * std::pow(t, 1.22));
            const double phase = (1.0 - m.slope) * phi1 + m.slope * phi2;
            return m.absolute + 5.0 * std::log10(r * delta) - 2.5 * std::log10(std::max(phase, 1e-30));
        }
        case OrbitMagnitude::Law::Comet:
            return m.absolute + 5.0 * std::log10(delta) + 2.5 * m.slope * std::log10(r);
        case OrbitMagnitude::Law::None: break;
    }
    return 0.0;
}

OrbitPlace ComputeOrbitPlace(const ConicElements& elements, const OrbitMagnitude& magnitude, double jd) {
    EphemerisContext context;
    ComputeBodyPosition(context, BodyId::kSun, jd);
    // The Sun seen from the Earth, on the ecliptic: the Earth is at minus this.
    const double sunX = context.sunDistance * std::cos(context.sunLongitude);
    const double sunY = context.sunDistance * std::sin(context.sunLongitude);

    HeliocentricPoint body = ConicPosition(elements, jd);
    double gx = 0.0, gy = 0.0, gz = 0.0, delta = 0.0;
    for (int i = 0;; ++i) {
        gx = body.x + sunX;
        gy = body.y + sunY;
        gz = body.z;
        delta = std::sqrt(gx * gx + gy * gy + gz * gz);
        if (i == kLightTimeSteps) break;
        body = ConicPosition(elements, jd - delta * kLightDaysPerAu);
    }
    // Ecliptic to equator.
    const double ce = std::cos(kObliquity), se = std::sin(kObliquity);
    const double x = gx;
    const double y = gy * ce - gz * se;
    const double z = gy * se + gz * ce;
    OrbitPlace place;
    place.ra = NormalizeAngle(std::atan2(y, x));
    place.dec = std::asin(std::clamp(z / delta, -1.0, 1.0));
    place.distance = delta;
    place.sunDistance = body.r;
    const double earthSun = context.sunDistance;
    const double cosPhase = (body.r * body.r + delta * delta - earthSun * earthSun) / (2.0 * body.r * delta);
    place.phaseAngle = std::acos(std::clamp(cosPhase, -1.0, 1.0));
    place.magnitude = OrbitMagnitudeAt(magnitude, body.r, delta, place.phaseAngle);
    return place;
}

}  // namespace velmarin
