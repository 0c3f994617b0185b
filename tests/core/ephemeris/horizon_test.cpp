#include <gtest/gtest.h>

#include <cmath>

#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/horizon.h"

namespace velmarin {
namespace {

constexpr double kArcsec = kPi / 180.0 / 3600.0;

TEST(EphemRefraction, HandCheckedHorizonValueAndContinuity) {
    // At 0 rad both exponentials are 1: R = 2 * 1059.121622 arc seconds,
    // then the atmosphere's two factors.
    EXPECT_DOUBLE_EQ(Refraction(0.0), 2.0 * 1059.121622 * 3.491467576791809 * 1.30655612e-06);
    // The program's atmosphere: about 33' at the horizon, 55" at 45 degrees
    // (the almanac's standard values are 34.5' and 58").
    EXPECT_NEAR(Refraction(0.0) / kArcsec, 33.2 * 60.0, 10.0);
    EXPECT_NEAR(Refraction(kPi / 4) / kArcsec, 54.9, 0.5);
    // The branches meet at -0.01 rad and at 5 degrees.
    EXPECT_NEAR(Refraction(-0.01 - 1e-12), Refraction(-0.01), 1e-9);
    EXPECT_NEAR(Refraction(0.087266462 - 1e-12), Refraction(0.087266462), 1e-8);
    // It falls steadily from the horizon to the zenith.
    double previous = Refraction(-0.01);
    for (double a = -0.0099; a < kPi / 2 - 0.01; a += 0.0003) {
        const double r = Refraction(a);
        ASSERT_LT(r, previous) << a;
        ASSERT_GT(r, 0.0) << a;
        previous = r;
    }
}

TEST(EphemApparentAltitude, RefractionLiftsAboveTheFloorOnly) {
    // Refraction raises the apparent altitude wherever its horizon formula
    // holds, also just below the geometric horizon.
    for (double h : {0.001, 0.0, -0.001, -0.0099}) {
        EXPECT_DOUBLE_EQ(ApparentAltitude(h), h + Refraction(h)) << h;
        EXPECT_GT(ApparentAltitude(h), h + 0.009) << h;  // about half a degree near the horizon
    }
    // +0.001 rad stays above the horizon, -0.001 rad is lifted above it.
    EXPECT_GT(ApparentAltitude(0.001), 0.0);
    EXPECT_GT(ApparentAltitude(-0.001), 0.0);
    // Below -0.01 rad the twilight limits see the geometric altitude.
    for (double h : {-0.0101, -0.1047, -0.3, -1.5}) EXPECT_EQ(ApparentAltitude(h), h) << h;
}

TEST(EphemHorizontal, AzimuthSidesAndMeridian) {
    const double latitude = 52.0 * kPi / 180.0;
    HorizontalCoordinates c;
    ASSERT_TRUE(HorizontalFromEquatorial(1, 0.0, 0.0, latitude, c));
    EXPECT_NEAR(c.azimuth, 0.0, 1e-7);  // on the meridian, south of the zenith
    // Hand check: geometric altitude 90 - 52 = 38 degrees; refraction
    // R = 58.428560196 t - 0.050181818626 t^3 with t = tan 52 deg = 1.279942,
    // R = 74.6799, times 3.491467576791809 * 1.30655612e-06 = 3.40675e-4 rad.
    EXPECT_NEAR(c.altitude, 38.0 * kPi / 180.0 + 3.40675e-4, 1e-8);

    ASSERT_TRUE(HorizontalFromEquatorial(1, kPi / 2, 0.1, latitude, c));
    EXPECT_GT(c.azimuth, 0.0);  // west
    ASSERT_TRUE(HorizontalFromEquatorial(1, 1.5 * kPi, 0.1, latitude, c));
    EXPECT_LT(c.azimuth, 0.0);  // east
    // The celestial equator sets due west: H = 6 h, dec 0 gives azimuth 90 deg.
    ASSERT_TRUE(HorizontalFromEquatorial(0, kPi / 2, 0.0, latitude, c));
    EXPECT_NEAR(c.azimuth, kPi / 2, 1e-6);
    EXPECT_NEAR(c.altitude, Refraction(0.0), 1e-9);  // on the horizon: lifted by 35'
}

TEST(EphemHorizontal, ModeThreeWritesNothing) {
    HorizontalCoordinates c{1.25, -0.5};
    EXPECT_FALSE(HorizontalFromEquatorial(3, 1.0, 0.2, 0.9, c));
    EXPECT_EQ(c.azimuth, 1.25);
    EXPECT_EQ(c.altitude, -0.5);
}

TEST(EphemHorizontal, PolesAndZenithStayDefined) {
    HorizontalCoordinates c;
    for (double latitude : {kPi / 2, -kPi / 2, 3.14159265358979323846 / 2}) {
        for (double h = 0.0; h < 2 * kPi; h += 0.5) {
            ASSERT_TRUE(HorizontalFromEquatorial(1, h, 0.3, latitude, c));
            ASSERT_FALSE(std::isnan(c.azimuth));
            ASSERT_LE(std::fabs(c.azimuth), kPi);
            ASSERT_FALSE(std::isnan(c.altitude));
        }
    }
    // A body in the zenith: cos h = 0, the azimuth falls back to 0 or pi.
    ASSERT_TRUE(HorizontalFromEquatorial(1, 0.0, 0.7, 0.7, c));
    EXPECT_LE(std::fabs(c.azimuth), kPi);
}

TEST(EphemTwilightBand, LimitsBelongToTheDarkerBand) {
    // The limits are -6, -12, -18 times the twilight chart's degree factor.
    const double k = 0.017453277777777776;
    const double limits[] = {0.0, -6.0 * k, -12.0 * k, -18.0 * k};
    for (int band = 0; band < 4; ++band) {
        const double limit = limits[band];
        EXPECT_EQ(TwilightBand(std::nextafter(limit, 1.0)), band) << limit;
        EXPECT_EQ(TwilightBand(limit), band + 1) << limit;
        EXPECT_EQ(TwilightBand(std::nextafter(limit, -1.0)), band + 1) << limit;
    }
    EXPECT_EQ(-18.0 * k, -0.31415899999999997);
    EXPECT_EQ(TwilightBand(0.3), 0);
    EXPECT_EQ(TwilightBand(-1.2), 4);
    EXPECT_EQ(TwilightBand(std::nan("")), 4);
}

}  // namespace
}  // namespace velmarin
