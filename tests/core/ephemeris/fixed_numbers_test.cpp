// The fixed factors are literals where the program has always used literals;
// each must be the double its derivation gives, and the truncated values
// must stay apart from the full-precision ones.
#include <gtest/gtest.h>

#include <cmath>

#include "core/ephemeris/fixed_numbers.h"

namespace velmarin {
namespace {

// Formed at run time from the decimal values, not from the header's terms.
volatile double truncatedPi = 3.14159;
volatile double tenDecimalPi = 3.1415926535;

TEST(FixedNumbers, DegreeFactorsAreThoseOfTheirPi) {
    EXPECT_EQ(fixed::kTwilightDegree, truncatedPi / 180.0);
    EXPECT_EQ(fixed::kNutationDegree, truncatedPi / 180.0);
    EXPECT_EQ(fixed::kNutationArcsecond, truncatedPi / 180.0 / 3600.0);
    EXPECT_EQ(fixed::kDegree, tenDecimalPi / 180.0);
    EXPECT_EQ(fixed::kTwilightPi, truncatedPi);
}

TEST(FixedNumbers, TruncatedValuesDifferFromTheFullOnes) {
    const double full = std::acos(-1.0);
    EXPECT_EQ(fixed::kExactPi, full);
    EXPECT_NE(kPi, full);
    EXPECT_NE(fixed::kTwilightPi, kPi);
    EXPECT_NE(fixed::kDegree, full / 180.0);
    EXPECT_NE(fixed::kTwilightDegree, fixed::kDegree);
}

}  // namespace
}  // namespace velmarin
