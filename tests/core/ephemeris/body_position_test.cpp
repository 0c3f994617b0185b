#include <gtest/gtest.h>

#include <cmath>

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/kepler.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {
namespace {

constexpr double kRadToHours = 12.0 / kPi;
constexpr double kRadToDeg = 180.0 / kPi;

// Difference of two right ascensions in hours, on the circle.
double HoursApart(double a, double b) {
    const double d = std::fabs(a - b);
    return std::fmin(d, 24.0 - d);
}

TEST(EphemKepler, NewestIterateSolvesTheEquationTightly) {
    // The newest Newton iterate is accurate to far better than the 1e-6
    // stopping step (the iteration converges quadratically); keeping the
    // previous iterate would leave residuals near 1e-7.
    for (double e : {0.0067, 0.0167, 0.0934, 0.20563, 0.25463}) {
        for (double m = 0.0; m < 2.0 * kPi; m += 0.01) {
            const double ecc = SolveKepler(m, e);
            ASSERT_NEAR(ecc - e * std::sin(ecc), m, 1e-11) << "e=" << e << " M=" << m;
        }
    }
}

TEST(EphemKepler, UnsettlingInputsReturn) {
    // NaN and huge anomalies must neither hang nor trap.
    EXPECT_TRUE(std::isnan(SolveKepler(std::nan(""), 0.1)));
    (void)SolveKepler(1e300, 0.2);
    (void)SolveKepler(1.0, 0.999999);
}

struct SkyCase {
    const char* what;
    BodyId body;
    double jd;
    double raHours;
    double decDegrees;
    double diameterArcsec;
    double magnitude;
    double raTolerance;    // hours
    double magTolerance;   // magnitudes
};

// Reference values from PyEphem 4.1.4 (geocentric g_ra/g_dec, size, mag) at
// 2024-03-20 03:06 UT; the ephemeris here is a low-precision one with mean
// elements of 1993, so the tolerances are sanity bounds, not accuracy claims.
constexpr double kEquinox2024 = 2460389.6291666667;  // 2024-03-20 03:06 UT

class EphemSkySanity : public ::testing::TestWithParam<SkyCase> {};

TEST_P(EphemSkySanity, AgreesWithAnIndependentEphemeris) {
    const SkyCase& c = GetParam();
    EphemerisContext context;
    const BodyPosition sun = ComputeBodyPosition(context, BodyId::kSun, c.jd);
    const BodyPosition p = c.body == BodyId::kSun ? sun : ComputeBodyPosition(context, c.body, c.jd);
    EXPECT_LT(HoursApart(p.ra * kRadToHours, c.raHours), c.raTolerance) << c.what;
    EXPECT_NEAR(p.dec * kRadToDeg, c.decDegrees, 0.5) << c.what;
    EXPECT_NEAR(p.diameter, c.diameterArcsec, 0.03 * c.diameterArcsec) << c.what;
    EXPECT_NEAR(p.magnitude, c.magnitude, c.magTolerance) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    PyEphem, EphemSkySanity,
    ::testing::Values(
        // Equinoxes: PyEphem's instants 2024-03-20 03:06:22 and 2024-09-22 12:43:32 UT.
        SkyCase{"Sun March equinox", BodyId::kSun, 2460389.6294213, 0.0, 0.0, 1927.2, -27.1, 0.03, 1e-12},
        SkyCase{"Sun September equinox", BodyId::kSun, 2460576.0302315, 12.0, 0.0, 1912.4, -27.1, 0.03, 1e-12},
        SkyCase{"Mercury", BodyId::kMercury, kEquinox2024, 1.0339, 8.212, 6.56, -0.65, 0.1, 0.5},
        SkyCase{"Venus", BodyId::kVenus, kEquinox2024, 22.8125, -8.949, 10.70, -3.78, 0.1, 0.3},
        SkyCase{"Mars", BodyId::kMars, kEquinox2024, 22.0248, -13.348, 4.38, 1.22, 0.1, 0.3},
        SkyCase{"Jupiter", BodyId::kJupiter, kEquinox2024, 2.8455, 15.487, 34.78, -1.95, 0.1, 0.3},
        SkyCase{"Saturn", BodyId::kSaturn, kEquinox2024, 22.9497, -8.495, 15.54, 1.06, 0.1, 0.3},
        SkyCase{"Uranus", BodyId::kUranus, kEquinox2024, 3.1926, 17.542, 3.49, 5.81, 0.1, 0.3},
        SkyCase{"Neptune", BodyId::kNeptune, kEquinox2024, 23.8769, -2.126, 2.21, 7.96, 0.1, 0.3},
        // The Moon's magnitude formula is its own (no distance term): 1.5 mag.
        SkyCase{"Moon", BodyId::kMoon, kEquinox2024, 8.4945, 24.160, 1789.07, -12.27, 0.05, 1.5}),
    [](const ::testing::TestParamInfo<SkyCase>& info) {
        std::string name = info.param.what;
        for (char& ch : name) if (ch == ' ') ch = '_';
        return name;
    });

TEST(EphemBodyPosition, AnglesStayInRangeFrom1800To2200) {
    EphemerisContext context;
    for (double jd = 2378496.5; jd < 2524593.5; jd += 7.3) {
        for (const BodyId body : kAllBodies) {
            const BodyPosition p = ComputeBodyPosition(context, body, jd);
            ASSERT_GE(p.ra, 0.0) << IndexOf(body) << " " << jd;
            ASSERT_LT(p.ra, 2.0 * kPi) << IndexOf(body) << " " << jd;
            ASSERT_LE(std::fabs(p.dec), kPi / 2.0) << IndexOf(body) << " " << jd;
            ASSERT_GE(p.eclipticLongitude, 0.0);
            ASSERT_LT(p.eclipticLongitude, 2.0 * kPi);
            ASSERT_TRUE(std::isfinite(p.diameter) && p.diameter > 0.0) << IndexOf(body) << " " << jd;
            ASSERT_TRUE(std::isfinite(p.magnitude)) << IndexOf(body) << " " << jd;
        }
        ASSERT_GE(context.moonNodeLongitude, 0.0);
        ASSERT_LT(context.moonNodeLongitude, 2.0 * kPi);
        // The Sun stays on the ecliptic: |dec| <= obliquity.
        const BodyPosition sun = ComputeBodyPosition(context, BodyId::kSun, jd);
        ASSERT_LE(std::fabs(sun.dec), 0.409105176 + 1e-12);
        ASSERT_EQ(sun.magnitude, -27.1);
        ASSERT_NEAR(context.sunDistance, 1.0, 0.0168);
    }
}

TEST(EphemBodyPosition, MoonFacts) {
    EphemerisContext context;
    // New moon of 2026-02-17 12:01 UT (PyEphem): phase angle near pi, so the
    // magnitude is near -12.72 + 3.05*1.8 - 1.05*1.8^2 + 1.05*1.8^3 = -4.5.
    const double newMoon = 2461089.0007523;
    ComputeBodyPosition(context, BodyId::kSun, newMoon);
    const BodyPosition moon = ComputeBodyPosition(context, BodyId::kMoon, newMoon);
    EXPECT_NEAR(moon.magnitude, -4.5, 0.6);
    // Its right ascension equals the Sun's at conjunction (within the
    // series' accuracy and the Moon's latitude).
    const BodyPosition sun = ComputeBodyPosition(context, BodyId::kSun, newMoon);
    EXPECT_LT(HoursApart(moon.ra * kRadToHours, sun.ra * kRadToHours), 0.1);
    // The diameter comes from the parallax alone: 29'..34'.
    for (double jd = 2460000.5; jd < 2460400.5; jd += 1.7) {
        ComputeBodyPosition(context, BodyId::kSun, jd);
        const double d = ComputeBodyPosition(context, BodyId::kMoon, jd).diameter;
        ASSERT_GT(d, 29.0 * 60.0);
        ASSERT_LT(d, 34.0 * 60.0);
    }
}

TEST(EphemBodyPosition, ContextsDoNotDisturbEachOther) {
    // Two interleaved computations give exactly what each gives alone.
    const double jd1 = 2451545.0, jd2 = 2469808.5;
    EphemerisContext alone1, alone2, a, b;
    ComputeBodyPosition(alone1, BodyId::kSun, jd1);
    const BodyPosition mars1 = ComputeBodyPosition(alone1, BodyId::kMars, jd1);
    const BodyPosition moon1 = ComputeBodyPosition(alone1, BodyId::kMoon, jd1);
    ComputeBodyPosition(alone2, BodyId::kSun, jd2);
    const BodyPosition mars2 = ComputeBodyPosition(alone2, BodyId::kMars, jd2);

    ComputeBodyPosition(a, BodyId::kSun, jd1);
    ComputeBodyPosition(b, BodyId::kSun, jd2);
    EXPECT_EQ(ComputeBodyPosition(b, BodyId::kMars, jd2).ra, mars2.ra);
    EXPECT_EQ(ComputeBodyPosition(a, BodyId::kMars, jd1).ra, mars1.ra);
    EXPECT_EQ(ComputeBodyPosition(a, BodyId::kMoon, jd1).magnitude, moon1.magnitude);
    EXPECT_EQ(a.moonNodeLongitude, alone1.moonNodeLongitude);

    // A planet reads the Sun of its own context: with the Sun of another
    // instant its position differs.
    EXPECT_NE(ComputeBodyPosition(b, BodyId::kMars, jd1).ra, mars1.ra);
}

TEST(EphemBodyPosition, OuterPlanetsHaveNoPhaseTermAndJupiterDiameterUses0175) {
    // Jupiter's diameter at distance d is 142796 / d / 149600000 / 0.0175 * 3600
    // arc seconds; recover d from it and check the magnitude is exactly
    // V0 + 5 log10(d r) for some r within Jupiter's orbit (4.95 .. 5.46 AU).
    EphemerisContext context;
    for (double jd = 2451545.0; jd < 2455545.0; jd += 97.0) {
        ComputeBodyPosition(context, BodyId::kSun, jd);
        const BodyPosition j = ComputeBodyPosition(context, BodyId::kJupiter, jd);
        const double distance = 142796.0 / j.diameter / 149600000.0 / 0.0175 * 3600.0;
        ASSERT_GT(distance, 3.9);
        ASSERT_LT(distance, 6.5);
        const double r = std::pow(10.0, (j.magnitude + 9.4) / 5.0) / distance;
        ASSERT_GT(r, 4.94);
        ASSERT_LT(r, 5.47);
    }
}

TEST(EphemBodyPosition, NoSuchBodyComputesNothing) {
    EphemerisContext context;
    context.sunLongitude = 1.0;
    const BodyPosition p = ComputeBodyPosition(context, static_cast<BodyId>(9), 2451545.0);
    EXPECT_EQ(p.ra, 0.0);
    EXPECT_EQ(context.sunLongitude, 1.0);
    (void)ComputeBodyPosition(context, static_cast<BodyId>(-1), 2451545.0);
}

}  // namespace
}  // namespace velmarin
