// Kepler's equation for the three conics and the places of comets and an
// asteroid against PyEphem's astrometric places (data/targets_pyephem.txt,
// same elements: data/orbits_mpc.txt).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "core/ephemeris/conic_orbit.h"
#include "core/ephemeris/orbit_position.h"
#include "core/targets/mpc_elements.h"

namespace velmarin {
namespace {

constexpr double kArcmin = 3.14159265358979323846 / 180.0 / 60.0;

// The equations themselves hold over the whole range, e up to 0.999999
// (where starting from E = M would take hundreds of steps) and far out on
// the hyperbola.
TEST(ConicOrbit, SolversSatisfyTheirEquations) {
    for (const double e : {0.0, 0.1, 0.5, 0.9, 0.99, 0.999999}) {
        for (double m = -7.0; m <= 7.0; m += 0.05) {
            const double big = SolveEllipticKepler(m, e);
            EXPECT_NEAR(big - e * std::sin(big), m, 1e-12) << "e " << e << " M " << m;
        }
    }
    for (const double e : {1.000001, 1.01, 1.5, 5.0}) {
        for (const double m : {-1e4, -50.0, -1.0, -1e-3, 0.0, 1e-3, 0.7, 3.0, 100.0, 1e5}) {
            const double h = SolveHyperbolicKepler(m, e);
            EXPECT_NEAR(e * std::sinh(h) - h, m, 1e-11 * std::max(1.0, std::fabs(m))) << "e " << e << " M " << m;
        }
    }
    for (const double w : {-1e6, -30.0, -1.0, 0.0, 1e-8, 0.5, 3.0, 1e3, 1e7}) {
        const double s = SolveBarker(w);
        EXPECT_NEAR(3.0 * s + s * s * s, w, 1e-12 * std::max(1.0, std::fabs(w))) << "W " << w;
    }
}

// At perihelion every conic is at distance q in the direction omega from the
// node; close to e = 1 the ellipse and the hyperbola meet the parabola.
TEST(ConicOrbit, PerihelionAndTheParabolicLimit) {
    ConicElements el;
    el.perihelionJd = 2460000.5;
    el.perihelionDistance = 0.9;
    el.argumentOfPerihelion = 0.3;
    el.ascendingNode = 1.1;
    el.inclination = 0.5;
    for (const double e : {0.2, 1.0, 1.7}) {
        el.eccentricity = e;
        const HeliocentricPoint p = ConicPosition(el, el.perihelionJd);
        EXPECT_NEAR(p.r, 0.9, 1e-12);
        EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 0.9, 1e-12);
        EXPECT_NEAR(p.z, 0.9 * std::sin(0.3) * std::sin(0.5), 1e-12);
    }
    for (const double days : {-200.0, -20.0, 5.0, 60.0}) {
        el.eccentricity = 1.0;
        const HeliocentricPoint parabola = ConicPosition(el, el.perihelionJd + days);
        for (const double e : {1.0 - 1e-7, 1.0 + 1e-7}) {
            el.eccentricity = e;
            const HeliocentricPoint near = ConicPosition(el, el.perihelionJd + days);
            EXPECT_NEAR(near.x, parabola.x, 1e-5);
            EXPECT_NEAR(near.y, parabola.y, 1e-5);
            EXPECT_NEAR(near.z, parabola.z, 1e-5);
        }
    }
}

struct ReferencePlace {
    std::string name;
    double jd, ra, dec;
};

std::vector<ReferencePlace> PyEphemPlaces() {
    std::vector<ReferencePlace> out;
    std::ifstream in(VELMARIN_TARGETS_DATA_DIR "/targets_pyephem.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("P ", 0) != 0) continue;
        std::istringstream fields(line.substr(2));
        ReferencePlace p;
        fields >> p.name >> p.jd >> p.ra >> p.dec;
        std::replace(p.name.begin(), p.name.end(), '_', ' ');
        out.push_back(p);
    }
    return out;
}

// Within 2 arc minutes of PyEphem for the elliptic, parabolic and hyperbolic
// comet and the asteroid, on dates from near perihelion to far out.
TEST(OrbitPlace, AgreesWithPyEphemAstrometricPlaces) {
    std::ifstream in(VELMARIN_TARGETS_DATA_DIR "/orbits_mpc.txt");
    std::stringstream text;
    text << in.rdbuf();
    auto read = ReadMpcElements(text.str(), "orbits_mpc.txt");
    ASSERT_TRUE(read) << read.error();
    const auto& orbits = *read;
    const std::vector<ReferencePlace> places = PyEphemPlaces();
    ASSERT_EQ(places.size(), 23u);
    for (const ReferencePlace& p : places) {
        const auto orbit = std::find_if(orbits.begin(), orbits.end(), [&](const OrbitTarget& o) { return o.name == p.name; });
        ASSERT_NE(orbit, orbits.end()) << p.name;
        const OrbitPlace ours = ComputeOrbitPlace(orbit->elements, orbit->magnitude, p.jd);
        const double c = std::sin(ours.dec) * std::sin(p.dec) +
                         std::cos(ours.dec) * std::cos(p.dec) * std::cos(ours.ra - p.ra);
        const double separation = std::acos(std::clamp(c, -1.0, 1.0));
        EXPECT_LT(separation, 2.0 * kArcmin) << p.name << " JD " << p.jd << ": " << separation / kArcmin << "'";
    }
}

// The magnitude laws at known points: the asteroid law at opposition-like
// geometry (phase 0) is H + 5 log10(r delta); the comet law g + 5 log10(delta)
// + 2.5 k log10(r).
TEST(OrbitPlace, MagnitudeLaws) {
    const OrbitMagnitude asteroid{OrbitMagnitude::Law::Asteroid, 3.2, 0.32};
    EXPECT_NEAR(OrbitMagnitudeAt(asteroid, 2.5, 1.5, 0.0), 3.2 + 5.0 * std::log10(3.75), 1e-12);
    // Fainter with phase: G = 0.15 at 20 degrees dims by a magnitude, the
    // law's familiar 0.05 mag per degree (Bowell et al. 1989, fig. 1).
    const OrbitMagnitude standard{OrbitMagnitude::Law::Asteroid, 0.0, 0.15};
    const double dimming = OrbitMagnitudeAt(standard, 1.0, 1.0, 20.0 * kArcmin * 60.0);
    EXPECT_GT(dimming, 0.9);
    EXPECT_LT(dimming, 1.1);
    // A higher G dims less.
    EXPECT_LT(OrbitMagnitudeAt({OrbitMagnitude::Law::Asteroid, 0.0, 0.5}, 1.0, 1.0, 20.0 * kArcmin * 60.0), dimming);
    const OrbitMagnitude comet{OrbitMagnitude::Law::Comet, 7.5, 4.0};
    EXPECT_NEAR(OrbitMagnitudeAt(comet, 0.5, 1.2, 1.0), 7.5 + 5.0 * std::log10(1.2) + 10.0 * std::log10(0.5), 1e-12);
}

}  // namespace
}  // namespace velmarin
