// Both root searches of the event instants meet their stated tolerance on
// functions whose roots are known in closed form.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/ephemeris/root_search.h"

namespace velmarin {
namespace {

struct RootCase {
    std::string name;
    double root;   // Julian Day
    double slope;  // per day; the sign says rising or falling
    double curve;  // a second-order term, so false position alone would creep
};

class BracketedRoot : public ::testing::TestWithParam<RootCase> {};

TEST_P(BracketedRoot, WithinTheToleranceOfTheTrueRoot) {
    const RootCase& c = GetParam();
    int calls = 0;
    const auto f = [&](double t) {
        ++calls;
        const double x = t - c.root;
        return c.slope * x + c.curve * x * x;
    };
    // A bracket of four hours, the root off its middle, as the search sees them.
    const double a = c.root - 0.11;
    const double b = c.root + 0.0567;
    const double found = FindBracketedRoot(f, a, f(a), b, f(b));
    EXPECT_NEAR(found, c.root, kEventToleranceDays);
    EXPECT_LT(calls, 40);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, BracketedRoot,
    ::testing::Values(RootCase{"StraightRising", 2460676.5, 2.0, 0.0},
                      RootCase{"StraightFalling", 2460676.5, -0.3, 0.0},
                      RootCase{"CurvedRising", 2451545.25, 1.0, 8.0},
                      RootCase{"CurvedFalling", 2415020.75, -1.0, 8.0},
                      RootCase{"Shallow", 2460000.125, 1e-3, 0.005}),
    [](const ::testing::TestParamInfo<RootCase>& info) { return info.param.name; });

TEST(NewtonRoot, HourAngleReachesItsTargetWithinTheTolerance) {
    // An hour angle turning at the sidereal rate with a slow wobble: its
    // zero near a guess two hours off.
    const double rate = 2.0 * kPi * 1.0027379093;
    const double root = 2460676.6;
    const auto hourAngle = [&](double t) { return rate * (t - root) + 0.01 * std::sin(3.0 * (t - root)); };
    const double found = NewtonRoot(
        root + 2.0 / 24.0, [&](double t) { return SignedAngle(hourAngle(t)) / rate; }, 12);
    EXPECT_NEAR(found, root, kEventToleranceDays);
}

TEST(SignedAngle, ReducesToTheHalfOpenCircle) {
    EXPECT_DOUBLE_EQ(SignedAngle(kPi), kPi);
    EXPECT_DOUBLE_EQ(SignedAngle(-kPi), kPi);
    EXPECT_NEAR(SignedAngle(3.0 * kPi + 0.25), -kPi + 0.25, 1e-12);
    EXPECT_NEAR(SignedAngle(-0.25 - 4.0 * kPi), -0.25, 1e-12);
}

}  // namespace
}  // namespace velmarin
