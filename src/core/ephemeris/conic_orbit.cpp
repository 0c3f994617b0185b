#include "core/ephemeris/conic_orbit.h"

#include <algorithm>
#include <cmath>

namespace velmarin {

namespace {

constexpr double kTwoPi = 6.283185307179586476925286766559;
constexpr double kAnomalyTolerance = 1e-14;

}  // namespace

double SolveEllipticKepler(double meanAnomaly, double eccentricity) {
    // Reduced to (-pi, pi] first: the starter and the steps assume it, and
    // the position needs E only modulo 2 pi.
    const double m = std::remainder(meanAnomaly, kTwoPi);
    const double e = eccentricity;
    // Danby's starter keeps Newton's method monotone even for e close to 1.
    double x = m + (m >= 0.0 ? 0.85 : -0.85) * e;
    for (int i = 0; i < 60; ++i) {
        const double f = x - e * std::sin(x) - m;
        const double step = f / (1.0 - e * std::cos(x));
        x -= step;
        if (!(std::fabs(step) > kAnomalyTolerance)) break;
    }
    return x + (meanAnomaly - m);
}

double SolveHyperbolicKepler(double meanAnomaly, double eccentricity) {
    // Odd in M: solved for |M| and the sign given back.
    const double m = std::fabs(meanAnomaly);
    const double e = eccentricity;
    // The root lies in [0, c], c the root of the cubic e H^3/6 + (e - 1) H = m
    // (sinh H >= H + H^3/6). Newton's method, kept inside the bracket by
    // halving, from Danby's starter: near e = 1 its derivative e cosh H - 1
    // nearly vanishes and a bare Newton step would fly off.
    const double p = 6.0 * (e - 1.0) / e, q = 6.0 * m / e;
    const double root = std::sqrt(q * q / 4.0 + p * p * p / 27.0);
    double hi = std::cbrt(q / 2.0 + root) - p / 3.0 / std::cbrt(q / 2.0 + root);
    if (!(hi > 0.0)) hi = std::cbrt(q);
    double lo = 0.0;
    double h = std::min(hi, std::log(2.0 * m / e + 1.8));
    for (int i = 0; i < 100; ++i) {
        const double f = e * std::sinh(h) - h - m;
        if (f > 0.0) {
            hi = h;
        } else {
            lo = h;
        }
        double next = h - f / (e * std::cosh(h) - 1.0);
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        const double step = next - h;
        h = next;
        if (!(std::fabs(step) > kAnomalyTolerance * std::max(1.0, h))) break;
    }
    return meanAnomaly < 0.0 ? -h : h;
}

double SolveBarker(double w) {
    // s^3 + 3 s - w = 0 has the one real root s = y - 1/y with
    // y = cbrt(w/2 + sqrt(w^2/4 + 1)); written so that no two large numbers cancel.
    const double y = std::cbrt(std::fabs(w) / 2.0 + std::sqrt(w * w / 4.0 + 1.0));
    const double s = y - 1.0 / y;
    return w < 0.0 ? -s : s;
}

HeliocentricPoint ConicPosition(const ConicElements& el, double jd) {
    const double q = el.perihelionDistance;
    const double e = el.eccentricity;
    const double t = jd - el.perihelionJd;
    // Position in the orbit's plane, x towards the perihelion.
    double px = 0.0, py = 0.0;
    if (e < 1.0) {
        const double a = q / (1.0 - e);
        const double n = kGaussianConstant / (a * std::sqrt(a));
        const double bigE = SolveEllipticKepler(n * t, e);
        px = a * (std::cos(bigE) - e);
        py = a * std::sqrt((1.0 - e) * (1.0 + e)) * std::sin(bigE);
    } else if (e > 1.0) {
        const double a = q / (e - 1.0);
        const double n = kGaussianConstant / (a * std::sqrt(a));
        const double h = SolveHyperbolicKepler(n * t, e);
        px = a * (e - std::cosh(h));
        py = a * std::sqrt((e - 1.0) * (e + 1.0)) * std::sinh(h);
    } else {
        // Barker: tan(v/2) from 3 k t / sqrt(2 q^3).
        const double w = 3.0 * kGaussianConstant * t / std::sqrt(2.0 * q * q * q);
        const double s = SolveBarker(w);
        px = q * (1.0 - s * s);
        py = 2.0 * q * s;
    }
    const double cw = std::cos(el.argumentOfPerihelion), sw = std::sin(el.argumentOfPerihelion);
    const double cn = std::cos(el.ascendingNode), sn = std::sin(el.ascendingNode);
    const double ci = std::cos(el.inclination), si = std::sin(el.inclination);
    // Rotated by omega in the plane, tilted by i, turned by Omega.
    const double xw = cw * px - sw * py;
    const double yw = sw * px + cw * py;
    HeliocentricPoint p;
    p.x = cn * xw - sn * ci * yw;
    p.y = sn * xw + cn * ci * yw;
    p.z = si * yw;
    p.r = std::sqrt(px * px + py * py);
    return p;
}

}  // namespace velmarin
