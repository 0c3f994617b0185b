#include "core/app/prompt_parsing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/chart/chart_settings.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

using YearKind = YearPromptAnswer::Kind;

struct YearCase {
    const char* text;
    YearKind kind;
    int year;
};

class YearPromptCases : public ::testing::TestWithParam<YearCase> {};

TEST_P(YearPromptCases, ReadsLikeAtoiWithinTheYearRangeAndRefusesNoNumber) {
    const YearCase& c = GetParam();
    const YearPromptAnswer answer = ParseYearPrompt(c.text);
    EXPECT_EQ(answer.kind, c.kind) << '"' << c.text << '"';
    if (c.kind == YearKind::Year) {
        EXPECT_EQ(answer.year, c.year) << '"' << c.text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(
    PromptYear, YearPromptCases,
    ::testing::Values(YearCase{"", YearKind::Empty, 0},               // empty: nothing changes
                      YearCase{"2030", YearKind::Year, 2030},
                      YearCase{"2030abc", YearKind::Year, 2030},      // stops at the first non-digit
                      YearCase{"abc", YearKind::NotAYear, 0},         // no number: refused, not year 0
                      YearCase{"   ", YearKind::NotAYear, 0},         // blanks are not an empty text
                      YearCase{"  \t-44 BC", YearKind::Year, -44},    // leading white space and a sign
                      YearCase{"+7", YearKind::Year, 7},
                      YearCase{"+-7", YearKind::NotAYear, 0},         // only one sign
                      YearCase{"- 7", YearKind::NotAYear, 0},
                      YearCase{"-", YearKind::NotAYear, 0},
                      YearCase{"0", YearKind::Year, 0},               // year 0 typed is year 0
                      YearCase{"20.5", YearKind::Year, 20},
                      YearCase{"999999", YearKind::Year, 999999},
                      YearCase{"1000000", YearKind::Year, 999999},    // clamped, not overflowed
                      YearCase{"-1000000", YearKind::Year, -999999},
                      YearCase{"99999999999999999999999999", YearKind::Year, 999999},
                      YearCase{"-99999999999999999999999999", YearKind::Year, -999999},
                      YearCase{"0000000000000000000000002024", YearKind::Year, 2024}),
    [](const ::testing::TestParamInfo<YearCase>& info) {
        // "Typed_": a bare year such as 2030 would read like a case's index.
        return "Typed_" + test::SpelledOut(info.param.text);
    });

struct DecimalCase {
    const char* text;
    double value;
};

class DecimalReadingCases : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalReadingCases, ReadsTheLongestDecimalPrefix) {
    const DecimalCase& c = GetParam();
    EXPECT_DOUBLE_EQ(ReadLeadingDecimal(c.text), c.value) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    PromptDecimal, DecimalReadingCases,
    ::testing::Values(DecimalCase{"51.5", 51.5}, DecimalCase{" \t-7.25xyz", -7.25},
                      DecimalCase{".5", 0.5}, DecimalCase{"5.", 5.0}, DecimalCase{".", 0.0},
                      DecimalCase{"-", 0.0}, DecimalCase{"1e2", 100.0},
                      DecimalCase{"1e", 1.0},        // a bare "e" is not part of the number
                      DecimalCase{"1e+", 1.0}, DecimalCase{"2.5E-1", 0.25},
                      DecimalCase{"nan", 0.0},       // only decimal digits count
                      DecimalCase{"inf", 0.0}, DecimalCase{"0x10", 0.0},
                      DecimalCase{"x y", 0.0}),
    [](const ::testing::TestParamInfo<DecimalCase>& info) { return test::SpelledOut(info.param.text); });

TEST(PromptDecimalLimits, HugeExponentsSaturateInsteadOfFailing) {
    EXPECT_TRUE(std::isinf(ReadLeadingDecimal("1e999999999999")));
    EXPECT_GT(ReadLeadingDecimal("1e999999999999"), 0.0);
    EXPECT_LT(ReadLeadingDecimal("-1e400"), 0.0);
    EXPECT_EQ(ReadLeadingDecimal("1e-999999"), 0.0);
    EXPECT_DOUBLE_EQ(ReadLeadingDecimal(std::string(5000, '9') + "e-4998"), 100.0);
}

struct LocationCase {
    const char* text;
    bool accepted;
    double latitude;
    double longitude;
};

class LocationPromptCases : public ::testing::TestWithParam<LocationCase> {};

TEST_P(LocationPromptCases, FollowsTheBlankAndClampRules) {
    const LocationCase& c = GetParam();
    const auto result = ParseLocationPrompt(c.text);
    ASSERT_EQ(result.has_value(), c.accepted) << '"' << c.text << '"';
    if (result) {
        EXPECT_DOUBLE_EQ(result->latitude, c.latitude) << '"' << c.text << '"';
        EXPECT_DOUBLE_EQ(result->longitude, c.longitude) << '"' << c.text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(
    PromptLocation, LocationPromptCases,
    ::testing::Values(LocationCase{"51,5 7,25", true, 51.5, 7.25},   // decimal commas
                      LocationCase{"51.5 7.25", true, 51.5, 7.25},
                      LocationCase{"51.5", false, 0, 0},             // no blank
                      LocationCase{" 51.5 7", false, 0, 0},          // blank first
                      LocationCase{"51,5,7", false, 0, 0},           // commas are no blank
                      LocationCase{"51.5\t7", false, 0, 0},          // a tab is no blank
                      LocationCase{"", false, 0, 0},
                      LocationCase{"95 200", true, 90.0, 180.0},     // clamped
                      LocationCase{"-95 -200", true, -90.0, -180.0},
                      LocationCase{"x y", true, 0.0, 0.0},           // not numbers: 0
                      LocationCase{"10 ", true, 10.0, 0.0},
                      LocationCase{"10    -20.5", true, 10.0, -20.5},
                      LocationCase{"10 \t-20.5", true, 10.0, -20.5}, // atof skips the tab
                      LocationCase{"1e9 -1e999", true, 90.0, -180.0},
                      LocationCase{"48.1 11.6 extra", true, 48.1, 11.6}),
    [](const ::testing::TestParamInfo<LocationCase>& info) { return test::SpelledOut(info.param.text); });

TEST(PromptLocationFormat, ShowsDegreesWithTwoDecimalsAndAPoint) {
    EXPECT_EQ(FormatLocationPrompt(52.0 * degToRad, 9.8 * degToRad), "52.00 9.80");
    EXPECT_EQ(FormatLocationPrompt(-33.868 * degToRad, -151.21 * degToRad), "-33.87 -151.21");
    // A huge value from a damaged file still formats completely.
    const std::string huge = FormatLocationPrompt(1e300 * degToRad, 0.0);
    EXPECT_GT(huge.size(), 300u);
    EXPECT_EQ(huge.substr(huge.size() - 5), " 0.00");
}

TEST(PromptLocationFormat, ReadsBackWhatItShows) {
    // The initial value, accepted unchanged, keeps the location to 0.005 degrees.
    for (double lat = -90.0; lat <= 90.0; lat += 7.3) {
        for (double lon = -180.0; lon <= 180.0; lon += 11.9) {
            const auto back = ParseLocationPrompt(FormatLocationPrompt(lat * degToRad, lon * degToRad));
            ASSERT_TRUE(back.has_value());
            EXPECT_NEAR(back->latitude, lat, 0.005 + 1e-9);
            EXPECT_NEAR(back->longitude, lon, 0.005 + 1e-9);
        }
    }
}

}  // namespace
}  // namespace velmarin
