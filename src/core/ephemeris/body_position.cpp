#include "core/ephemeris/body_position.h"

#include <cmath>

#include "core/ephemeris/element_table.h"
#include "core/ephemeris/kepler.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

using fixed::kDegree;
constexpr double kJ1900 = 2415020.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kAuKm = 149600000.0;
// Constant obliquity of the ecliptic, rad.
constexpr double kObliquity = 0.409105176;
// The diameter formula uses 0.0175 as its radians-per-degree factor.
constexpr double kDiameterDegreeFactor = 0.0175;
constexpr double kSunMagnitude = -27.1;
constexpr int kKeplerIterationCap = 50;

// Row values that do not depend on the instant, computed once with exactly
// the operations the orbit step would apply on every call.
struct DerivedElements {
    double node;            // Omega, rad
    double cosInclination;
    double sinInclination;
    double argumentOfPerihelion;  // omega = perihelion - Omega, rad
    double meanMotion;      // rad per day
    double anomalyAtEpoch;  // L0 - omega - Omega, rad
    double anomalyFactor;   // sqrt((1 + e) / (1 - e))
};

struct DerivedTable {
    DerivedElements rows[kBodyCount];
    double cosObliquity;
    double sinObliquity;
};

const DerivedTable& Derived() {
    static const DerivedTable table = [] {
        DerivedTable t{};
        for (int b = 0; b < kBodyCount; ++b) {
            const OrbitalElements& el = ElementTable[b];
            const double node = el.ascendingNode * kDegree;
            const double inclination = el.inclination * kDegree;
            const double perihelion = el.perihelion * kDegree;
            const double meanLongitude = el.meanLongitude * kDegree;
            const double omega = perihelion - node;
            const double a = el.semiMajorAxis;
            DerivedElements& d = t.rows[b];
            d.node = node;
            d.cosInclination = std::cos(inclination);
            d.sinInclination = std::sin(inclination);
            d.argumentOfPerihelion = omega;
            d.meanMotion = 0.01720209895 * std::sqrt((1.0 + el.mass) / (a * a * a));
            d.anomalyAtEpoch = meanLongitude - omega - node;
            d.anomalyFactor = std::sqrt((1.0 + el.eccentricity) / (1.0 - el.eccentricity));
        }
        t.cosObliquity = std::cos(kObliquity);
        t.sinObliquity = std::sin(kObliquity);
        return t;
    }();
    return table;
}

struct HeliocentricPosition {
    double longitude;  // l, rad
    double latitude;   // psi, rad
    double radius;     // r, AU
};

}  // namespace

double SolveKepler(double meanAnomaly, double e) {
    // The newest iterate is kept. The cap only stops inputs (NaN, huge
    // values) that would never settle; real orbits need a few steps.
    double eccentricAnomaly = meanAnomaly;
    for (int i = 0; i < kKeplerIterationCap; ++i) {
        const double next = eccentricAnomaly - (meanAnomaly - eccentricAnomaly + e * std::sin(eccentricAnomaly)) /
                                                   (e * std::cos(eccentricAnomaly) - 1.0);
        const bool settled = !(std::fabs(eccentricAnomaly - next) > 1e-6);
        eccentricAnomaly = next;
        if (settled) break;
    }
    return eccentricAnomaly;
}

namespace {

HeliocentricPosition OrbitStep(int row, double jd) {
    const OrbitalElements& el = ElementTable[row];
    const DerivedElements& d = Derived().rows[row];
    const double t = (jd - kJ1900) / kDaysPerCentury;
    const double meanAnomaly =
        NormalizeAngle(d.meanMotion * (t * kDaysPerCentury - 34130.5) + d.anomalyAtEpoch);
    const double e = el.eccentricity;
    const double eccentricAnomaly = SolveKepler(meanAnomaly, e);
    const double trueAnomaly = 2.0 * std::atan(d.anomalyFactor * std::tan(eccentricAnomaly / 2.0));
    const double u = d.argumentOfPerihelion + trueAnomaly;
    const double radius = el.semiMajorAxis * (1.0 - e * std::cos(eccentricAnomaly));
    const double sinU = std::sin(u);
    const SphericalCoordinates s =
        RectangularToSpherical(std::cos(u), sinU * d.cosInclination, sinU * d.sinInclination);
    return {NormalizeAngle(s.longitude + d.node), s.latitude, radius};
}

// Ecliptic (lambda, beta) to equatorial (ra, dec) with the constant obliquity.
void EquatorialStep(double lambda, double beta, BodyPosition& out) {
    const DerivedTable& t = Derived();
    const double cosBeta = std::cos(beta);
    const double sinBeta = std::sin(beta);
    const double sinLambda = std::sin(lambda);
    const double x = cosBeta * std::cos(lambda);
    const double y = cosBeta * sinLambda * t.cosObliquity - sinBeta * t.sinObliquity;
    const double z = cosBeta * sinLambda * t.sinObliquity + sinBeta * t.cosObliquity;
    const SphericalCoordinates s = RectangularToSpherical(x, y, z);
    out.ra = s.longitude;
    out.dec = s.latitude;
    out.eclipticLongitude = lambda;
}

double ApparentDiameter(double diameterKm, double distanceAu) {
    return diameterKm / distanceAu / kAuKm / kDiameterDegreeFactor * 3600.0;
}

BodyPosition ComputeSun(EphemerisContext& context, double jd) {
    const HeliocentricPosition earth = OrbitStep(IndexOf(BodyId::kSun), jd);
    const double lambda = NormalizeAngle(earth.longitude + kPi);
    context.sunLongitude = lambda;
    context.sunDistance = earth.radius;
    BodyPosition out;
    EquatorialStep(lambda, 0.0, out);
    out.diameter = ApparentDiameter(ElementTable[IndexOf(BodyId::kSun)].diameterKm, earth.radius);
    out.magnitude = kSunMagnitude;
    return out;
}

BodyPosition ComputePlanet(const EphemerisContext& context, BodyId body, double jd) {
    const OrbitalElements& el = ElementTable[IndexOf(body)];
    const HeliocentricPosition p = OrbitStep(IndexOf(body), jd);
    const double r = p.radius;
    const double sunR = context.sunDistance;
    const double sunLambda = context.sunLongitude;
    const double dl = p.longitude - sunLambda;
    const double cosPsi = std::cos(p.latitude);
    const double cosDl = std::cos(dl);
    // Plus sign: the Sun's longitude is the Earth's heliocentric one plus pi.
    const double distance = std::sqrt(r * r + sunR * sunR + 2.0 * sunR * r * cosPsi * cosDl);
    const double lambda =
        NormalizeAngle(std::atan2(r * cosPsi * std::sin(dl), r * cosPsi * cosDl + sunR) + sunLambda);
    const double beta = std::asin(std::sin(p.latitude) * r / distance);
    BodyPosition out;
    EquatorialStep(lambda, beta, out);
    out.diameter = ApparentDiameter(el.diameterKm, distance);
    const double phaseAngle =
        std::acos((distance * distance + r * r - sunR * sunR) * 0.5 / distance / r);
    out.magnitude = 5.0 * std::log10(distance * r) + el.magnitudePhase1 * phaseAngle / 1.7453 +
                    el.magnitudeBase + el.magnitudePhase2 * (phaseAngle * phaseAngle) / 3.046174;
    return out;
}

// Mean argument referred to 1900: the sum of two separately normalised parts.
double MeanArgument(double slowDegrees, double fastDegrees) {
    return NormalizeAngle(slowDegrees * kDegree) + NormalizeAngle(fastDegrees * kDegree);
}

BodyPosition ComputeMoon(EphemerisContext& context, double jd) {
    // The outer orbit's radius vector enters the phase angle below.
    const double outerRadius = OrbitStep(IndexOf(BodyId::kMoon), jd).radius;
    const double t = (jd - kJ1900) / kDaysPerCentury;
    const double t2 = t * t;
    const double meanLongitude =
        MeanArgument(307.883142 * t - 0.001133 * t2, 270.434164 + 480960.0 * t);
    const double moonAnomaly = MeanArgument(198.849108 * t + 0.009192 * t2, 296.104608 + 477000.0 * t);
    const double node = MeanArgument(0.002078 * t2 - 134.142008 * t, 259.183275 - 1800.0 * t);
    const double sunMeanLongitude = MeanArgument(0.768925 * t + 0.000303 * t2, 279.696678 + 36000.0 * t);
    const double sunAnomaly = MeanArgument(359.04975 * t - 0.00015 * t2, 358.475833 + 35640.0 * t);
    const double elongation = meanLongitude - sunMeanLongitude;  // D
    const double argument = meanLongitude - node;                // F
    const double mp = moonAnomaly;
    const double m = sunAnomaly;
    const double d = elongation;

    const double dl = 22640.0 * std::sin(mp) + 769.0 * std::sin(2.0 * mp) + 36.0 * std::sin(3.0 * mp) -
                      125.0 * std::sin(d) + 2370.0 * std::sin(2.0 * d) - 668.0 * std::sin(m) -
                      412.0 * std::sin(2.0 * argument) + 212.0 * std::sin(2.0 * d - 2.0 * mp) +
                      192.0 * std::sin(2.0 * d + mp) + 4586.0 * std::sin(2.0 * d - mp) +
                      165.0 * std::sin(2.0 * d - m) + 206.0 * std::sin(2.0 * d - mp - m) -
                      110.0 * std::sin(mp + m) + 148.0 * std::sin(mp - m);
    const double lambda = NormalizeAngle(meanLongitude + dl / 3600.0 * kDegree);

    const double parallax = 3423.0 + 187.0 * std::cos(mp) + 10.0 * std::cos(2.0 * mp) +
                            34.0 * std::cos(2.0 * d - mp) + 28.0 * std::cos(2.0 * d) +
                            3.0 * std::cos(2.0 * d + mp);
    const double s = std::sin(parallax / 3600.0 * kDegree);
    context.moonNodeLongitude = NormalizeAngle(node);
    const double distance = 6378.14 / s / kAuKm;

    const double h = 2.0 * sunMeanLongitude - meanLongitude - node;
    const double n = 11.0 * std::sin(h - m) - 23.0 * std::sin(h + m) - 31.0 * std::sin(h - mp) -
                     25.0 * std::sin(argument - 2.0 * mp) + 21.0 * std::sin(argument - mp);
    const double sArg = (lambda - node) + (541.0 * std::sin(m) + 412.0 * std::sin(2.0 * argument)) * kDegree / 3600.0;
    const double beta =
        (18520.0 * std::sin(sArg) - 526.0 * std::sin(h) + 44.0 * std::sin(h + mp) + n) * kDegree / 3600.0;

    const double elongationFromSun = std::acos(std::cos(beta) * std::cos(context.sunLongitude - lambda));
    const double phaseAngle = NormalizeAngle(
        kPi - std::fabs(std::atan(std::sin(elongationFromSun) * distance / outerRadius)) -
        std::fabs(elongationFromSun));

    BodyPosition out;
    EquatorialStep(lambda, beta, out);
    out.diameter = 2.0 * std::asin(0.272493 * s) / kDegree * 3600.0;
    // Phase angle in units of 100 degrees: 1.74533 rad and its square and cube.
    out.magnitude = 3.05 * phaseAngle / 1.74533 - 12.72 - 1.05 * (phaseAngle * phaseAngle) / 3.04617 +
                    1.05 * (phaseAngle * phaseAngle * phaseAngle) / 5.31658;
    return out;
}

}  // namespace

BodyPosition ComputeBodyPosition(EphemerisContext& context, BodyId body, double jd) {
    if (body == BodyId::kSun) return ComputeSun(context, jd);
    if (body == BodyId::kMoon) return ComputeMoon(context, jd);
    if (IsPlanet(body)) return ComputePlanet(context, body, jd);
    return BodyPosition{};  // no such body: nothing is computed
}

}  // namespace velmarin
