// The JSON's numbers against the C library's "%.17g": random doubles over
// every decade the fast digits take (and past their ends), the values right
// beside powers of ten and the halfway cases that test the rounding.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "core/almanac/command_output.h"
#include "core/almanac/seventeen_digits.h"

namespace velmarin {
namespace {

std::string Printf17g(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// Either the same text as printf, or nothing appended and false.
void ExpectAsPrintf(double value) {
    std::string fast = "x";
    const bool taken = AppendSeventeenDigits(fast, value);
    if (taken) {
        EXPECT_EQ(fast, "x" + Printf17g(value)) << Printf17g(value);
    } else {
        EXPECT_EQ(fast, "x") << Printf17g(value);
    }
    EXPECT_EQ(JsonNumber(value), Printf17g(value));
}

TEST(SeventeenDigits, RandomValuesInEveryDecade) {
    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    for (int decade = -7; decade <= 19; ++decade) {
        for (int i = 0; i < 4000; ++i) {
            const double value = mantissa(random) * std::pow(10.0, decade);
            ExpectAsPrintf(value);
            ExpectAsPrintf(-value);
        }
    }
}

TEST(SeventeenDigits, TakesTheYearsValues) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{0.0, "0"},          {-0.0, "-0"},         {1.0, "1"},
                          {2.0, "2"},          {0.1, "0.10000000000000001"},
                          {2461041.5, "2461041.5"}, {24.0, "24"},    {1e-4, "0.0001"},
                          {-12.5, "-12.5"},     {123456789012345678.0 / 10.0, "12345678901234568"}};
    for (const Case& c : cases) {
        std::string text;
        ASSERT_TRUE(AppendSeventeenDigits(text, c.value)) << c.text;
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(text, Printf17g(c.value));
    }
}

TEST(SeventeenDigits, BesidePowersOfTenAndAtTheEnds) {
    for (int decade = -6; decade <= 18; ++decade) {
        const double power = std::pow(10.0, decade);
        double below = power, above = power;
        for (int step = 0; step < 40; ++step) {
            ExpectAsPrintf(below);
            ExpectAsPrintf(above);
            below = std::nextafter(below, 0.0);
            above = std::nextafter(above, 1e300);
        }
    }
    for (const double value : {1e17, 1e-5, 9.9999999999999e-5, 99999999999999984.0, 1e300, 5e-324,
                               std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        ExpectAsPrintf(value);
    }
}

TEST(SeventeenDigits, HalfwayCasesRoundToEven) {
    // Integers past 2^53 / 10 have exact halves at the 17th digit: n + 0.5
    // written with 17 digits when n has 16.
    for (const double value : {1000000000000000.5, 1000000000000001.5, 4503599627370495.5,
                               2251799813685248.5, 2251799813685249.5, 1125899906842624.25,
                               1125899906842624.75}) {
        ExpectAsPrintf(value);
        ExpectAsPrintf(-value);
    }
    // Multiples of 2^-k whose 18th digit is a 5 followed by zeros.
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 60));
        ExpectAsPrintf(value);
    }
}

}  // namespace
}  // namespace velmarin
