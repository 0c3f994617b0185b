#pragma once

namespace velmarin {

// Osculating elements of a heliocentric conic, referred to the ecliptic and
// equinox J2000 (as the Minor Planet Center gives them).
struct ConicElements {
    double perihelionJd = 0.0;         // time of perihelion passage, Julian Day
    double perihelionDistance = 1.0;   // q, AU, > 0
    double eccentricity = 0.0;         // e >= 0: < 1 ellipse, 1 parabola, > 1 hyperbola
    double argumentOfPerihelion = 0.0; // omega, rad
    double ascendingNode = 0.0;        // Omega, rad
    double inclination = 0.0;          // i, rad
};

// Heliocentric ecliptic rectangular position (AU, J2000) and distance.
struct HeliocentricPoint {
    double x = 0.0, y = 0.0, z = 0.0;
    double r = 0.0;  // AU
};

// Eccentric anomaly E (rad) of an ellipse: M = E - e sin E, 0 <= e < 1, M
// any real (rad). Newton's method from a starter that converges for every e
// (Danby's), to 1e-14 rad; at most 60 steps, so NaN comes back as NaN.
double SolveEllipticKepler(double meanAnomaly, double eccentricity);

// Hyperbolic anomaly H: M = e sinh H - H, e > 1, M any real. Newton's method
// kept inside a bracket of the root, to 1e-14 (relative), at most 100 steps;
// sound also for e just above 1.
double SolveHyperbolicKepler(double meanAnomaly, double eccentricity);

// tan(v/2) of a parabola from Barker's equation W = 3 s + s^3, s = tan(v/2),
// solved in closed form.
double SolveBarker(double w);

// Position on the conic at Julian Day jd (same time scale as perihelionJd).
// Ellipse and hyperbola take their mean motion from k / |a|^1.5 with the
// Gaussian constant k and a = q / (1 - e); the parabola n = k / (sqrt 2 q^1.5).
HeliocentricPoint ConicPosition(const ConicElements& elements, double jd);

// The Gaussian gravitational constant (rad/day, AU^1.5).
inline constexpr double kGaussianConstant = 0.01720209895;

}  // namespace velmarin
