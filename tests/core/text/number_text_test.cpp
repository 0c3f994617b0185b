#include "core/test_names.h"
#include "core/text/number_text.h"

#include <gtest/gtest.h>

#include <locale.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace velmarin {
namespace {

// The C library in the "C" locale is the reference for the writer and the reader.
locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

std::string PrintfReference(const char* format, double value, int decimals) {
    const locale_t previous = uselocale(CLocale());
    char text[512];
    std::snprintf(text, sizeof text, format, decimals, value);
    uselocale(previous);
    return text;
}

struct FixedCase {
    double value;
    int decimals;
};
class NumberTextFixed : public ::testing::TestWithParam<FixedCase> {};

TEST_P(NumberTextFixed, WritesAsPrintfInTheCLocale) {
    const FixedCase& c = GetParam();
    EXPECT_EQ(FixedNumber(c.value, c.decimals), PrintfReference("%.*f", c.value, c.decimals));
    EXPECT_EQ(SignedFixedNumber(c.value, c.decimals), PrintfReference("%+.*f", c.value, c.decimals));
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberTextFixed,
    ::testing::Values(FixedCase{52.0, 2}, FixedCase{0.125, 2}, FixedCase{0.375, 2},  // ties
                      FixedCase{2.5, 0}, FixedCase{-0.0, 2}, FixedCase{-0.004, 2},
                      FixedCase{9.8, 6}, FixedCase{-33.9, 1}, FixedCase{0.05, 1},
                      FixedCase{1e300, 1}, FixedCase{-std::numeric_limits<double>::max(), 6},
                      FixedCase{std::numeric_limits<double>::denorm_min(), 6},
                      FixedCase{2451545.123456789, 5},
                      FixedCase{std::numeric_limits<double>::infinity(), 2},
                      FixedCase{-std::numeric_limits<double>::infinity(), 1}),
    [](const ::testing::TestParamInfo<FixedCase>& info) {
        return test::NameOfNumber(info.param.value) + "_" + std::to_string(info.param.decimals) + "_decimals";
    });

struct DecimalPrefixCase {
    const char* text;
    std::size_t length;  // 0: no number
};
class NumberTextDecimalPrefix : public ::testing::TestWithParam<DecimalPrefixCase> {};

TEST_P(NumberTextDecimalPrefix, ReadsTheDecimalPrefixAsStrtodWould) {
    const DecimalPrefixCase& c = GetParam();
    const auto number = ReadDecimalPrefix(c.text);
    if (c.length == 0) {
        EXPECT_FALSE(number) << c.text;
        return;
    }
    ASSERT_TRUE(number) << c.text;
    EXPECT_EQ(number->length, c.length) << c.text;
    const std::string prefix = std::string(c.text).substr(0, c.length);
    const double expected = strtod_l(prefix.c_str(), nullptr, CLocale());
    EXPECT_EQ(number->value, expected) << c.text;
    EXPECT_EQ(std::signbit(number->value), std::signbit(expected)) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberTextDecimalPrefix,
    ::testing::Values(DecimalPrefixCase{"51.5", 4}, DecimalPrefixCase{"-7.25xyz", 5},
                      DecimalPrefixCase{"+.5", 3}, DecimalPrefixCase{"5.", 2},
                      DecimalPrefixCase{"-0", 2}, DecimalPrefixCase{"2.5E-1;", 6},
                      DecimalPrefixCase{"1e", 1}, DecimalPrefixCase{"1e+x", 1},
                      DecimalPrefixCase{"0x10", 1},  // hexadecimal is not read
                      DecimalPrefixCase{"1e-310", 6},  // subnormal
                      DecimalPrefixCase{"1e-400", 6}, DecimalPrefixCase{"-1e-400", 7},
                      DecimalPrefixCase{"1e400", 5}, DecimalPrefixCase{"-1e999999999999", 15},
                      DecimalPrefixCase{"0.000e999999", 12},
                      DecimalPrefixCase{"0.00000000000000000000001e-300", 30},
                      DecimalPrefixCase{"123456789012345678901234567890e-10", 34},
                      DecimalPrefixCase{"", 0}, DecimalPrefixCase{".", 0},
                      DecimalPrefixCase{"-", 0}, DecimalPrefixCase{" 5", 0},
                      DecimalPrefixCase{"inf", 0}, DecimalPrefixCase{"nan", 0},
                      DecimalPrefixCase{"+-1", 0}),
    [](const ::testing::TestParamInfo<DecimalPrefixCase>& info) {
        return test::SpelledOut(info.param.text);
    });

TEST(NumberTextWhole, DecimalsOnlyWholeTokenFinite) {
    EXPECT_EQ(ParseWholeDouble("+5"), 5.0);
    EXPECT_EQ(ParseWholeDouble("-90"), -90.0);
    EXPECT_EQ(ParseWholeDouble(".5"), 0.5);
    for (const char* bad : {"0x10", "0x1p3", "inf", "nan", "1e999", "5 ", " 5", "5,5", "", "+"})
        EXPECT_FALSE(ParseWholeDouble(bad)) << bad;

    EXPECT_EQ(ParseWholeInt("+12"), 12);
    EXPECT_EQ(ParseWholeInt("-0"), 0);
    EXPECT_EQ(ParseWholeInt("2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ(ParseWholeInt("-2147483648"), std::numeric_limits<int>::min());
    for (const char* bad : {"2147483648", "-2147483649", "99999999999999999999", "1.0", "0x10",
                            "", "-", "12a"})
        EXPECT_FALSE(ParseWholeInt(bad)) << bad;
    EXPECT_EQ(ReadIntegerPrefix("-99999999999999999999x")->value,
              std::numeric_limits<long long>::min());
}

// A German process locale writes "52,00" with printf; these must not.
TEST(NumberTextLocale, DecimalPointWhateverTheProcessLocale) {
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale here";
    const std::string written = FixedNumber(52.0, 2) + " " + SignedFixedNumber(1.5, 1);
    const auto read = ParseWholeDouble("1.25");
    const auto comma = ParseWholeDouble("1,25");
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_EQ(written, "52.00 +1.5");
    EXPECT_EQ(read, 1.25);
    EXPECT_FALSE(comma);
}

}  // namespace
}  // namespace velmarin
