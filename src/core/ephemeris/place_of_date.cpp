#include "core/ephemeris/place_of_date.h"

#include <algorithm>
#include <cmath>

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kArcsec = fixed::kExactPi / 180.0 / 3600.0;
// The constant of aberration, 20.49552 arc seconds.
constexpr double kAberration = 20.49552 * kArcsec;

using Matrix = double[3][3];

void Multiply(const Matrix a, const Matrix b, Matrix out) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) out[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
}

// Rotation of the coordinate axes about axis x (1) or z (3) by angle.
void AxisRotation(int axis, double angle, Matrix out) {
    const double c = std::cos(angle), s = std::sin(angle);
    if (axis == 1) {
        const Matrix r = {{1, 0, 0}, {0, c, s}, {0, -s, c}};
        std::copy(&r[0][0], &r[0][0] + 9, &out[0][0]);
    } else {
        const Matrix r = {{c, s, 0}, {-s, c, 0}, {0, 0, 1}};
        std::copy(&r[0][0], &r[0][0] + 9, &out[0][0]);
    }
}

}  // namespace

PlaceOfDate::PlaceOfDate(double jd) {
    const double t = (jd - kJ2000) / kDaysPerCentury;
    const double zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t * t * t) * kArcsec;
    const double z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t * t * t) * kArcsec;
    const double theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t * t * t) * kArcsec;
    // Precession P = R3(-z) R2(theta) R3(-zeta); R2 written out.
    Matrix r3zeta, r3z, r2theta, step, precession;
    AxisRotation(3, -zeta, r3zeta);
    AxisRotation(3, -z, r3z);
    const double ct = std::cos(theta), st = std::sin(theta);
    const Matrix r2 = {{ct, 0, -st}, {0, 1, 0}, {st, 0, ct}};
    std::copy(&r2[0][0], &r2[0][0] + 9, &r2theta[0][0]);
    Multiply(r2theta, r3zeta, step);
    Multiply(r3z, step, precession);

    // Nutation with the program's values: in longitude, and in obliquity as
    // its true obliquity less the mean one (IAU 1980).
    EphemerisContext context;
    ComputeNutation(context, jd);
    const double epsilon = context.trueObliquity;
    const double meanEpsilon = (84381.448 - 46.8150 * t - 0.00059 * t * t + 0.001813 * t * t * t) * kArcsec;
    Matrix toEcliptic, turn, toEquator, nutation, n1;
    AxisRotation(1, meanEpsilon, toEcliptic);
    AxisRotation(3, -context.nutationLongitude, turn);
    AxisRotation(1, -epsilon, toEquator);
    Multiply(turn, toEcliptic, n1);
    Multiply(toEquator, n1, nutation);
    Multiply(nutation, precession, matrix_);

    // The Earth moves towards the Sun's longitude minus 90 degrees.
    ComputeBodyPosition(context, BodyId::kSun, jd);
    const double sx = std::sin(context.sunLongitude), cx = -std::cos(context.sunLongitude);
    aberration_[0] = kAberration * sx;
    aberration_[1] = kAberration * cx * std::cos(epsilon);
    aberration_[2] = kAberration * cx * std::sin(epsilon);
}

PlaceOfDate::Place PlaceOfDate::Apply(double ra, double dec) const {
    const double cd = std::cos(dec);
    const double u[3] = {cd * std::cos(ra), cd * std::sin(ra), std::sin(dec)};
    double p[3];
    for (int i = 0; i < 3; ++i)
        p[i] = matrix_[i][0] * u[0] + matrix_[i][1] * u[1] + matrix_[i][2] * u[2] + aberration_[i];
    const double norm = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    Place place;
    place.ra = NormalizeAngle(std::atan2(p[1], p[0]));
    place.dec = std::asin(std::clamp(p[2] / norm, -1.0, 1.0));
    return place;
}

BodyPosition PlannerPlace(const PlaceOfDate& ofDate, BodyId body, BodyPosition position) {
    if (body < BodyId::kSun || body >= BodyId::kMoon) return position;
    const PlaceOfDate::Place place = ofDate.Apply(position.ra, position.dec);
    position.ra = place.ra;
    position.dec = place.dec;
    return position;
}

}  // namespace velmarin
