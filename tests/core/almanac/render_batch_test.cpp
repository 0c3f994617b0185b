#include "core/almanac/render_batch.h"

#include <gtest/gtest.h>

#include <string>

#include "core/almanac/options.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {
namespace {

using Args = std::vector<std::string>;

TEST(RenderBatchYears, RangesAndListsInTheOrderGiven) {
    EXPECT_EQ(*ParseYearList("2026..2029"), (std::vector<int>{2026, 2027, 2028, 2029}));
    EXPECT_EQ(*ParseYearList("-2..1"), (std::vector<int>{-2, -1, 0, 1}));
    EXPECT_EQ(*ParseYearList("2030,2026"), (std::vector<int>{2030, 2026}));
    EXPECT_EQ(*ParseYearList("999999"), (std::vector<int>{kMaxYear}));
    EXPECT_EQ(*ParseYearList("-999999..-999999"), (std::vector<int>{kMinYear}));
}

TEST(RenderBatchYears, BadListsAreOneLineErrors) {
    for (const char* bad : {"", "2026..", "..2026", "2027..2026", "2026,,2027", "2026,2026", "1000000",
                            "2026..1000000", "x", "2026.5", "-999999..999999"}) {
        EXPECT_FALSE(ParseYearList(bad)) << bad;
    }
}

TEST(RenderBatchModes, WordsInOrderNoneTwice) {
    EXPECT_EQ(*ParseModeList("twilight,normal"),
              (std::vector<DisplayMode>{DisplayMode::Twilight, DisplayMode::Normal}));
    for (const char* bad : {"", "sun,", "sun,sun", "Sun", "all"})
        EXPECT_FALSE(ParseModeList(bad)) << bad;
}

TEST(RenderBatchPattern, FieldsAndExpansion) {
    const auto fields = *PatternFieldsOf("charts/{place}-{year}-{mode}.png");
    EXPECT_TRUE(fields.year && fields.mode && fields.place);
    EXPECT_FALSE(PatternFieldsOf("atlas.pdf")->Any());
    EXPECT_EQ(ExpandPattern("c/{place}-{year}-{mode}-{year}.png", -44, "sun", "Zürich"),
              "c/Zürich--44-sun--44.png");
    for (const char* bad : {"{yaer}.png", "{year.png", "year}.png", "{}.png", "{YEAR}.png"})
        EXPECT_FALSE(PatternFieldsOf(bad)) << bad;
}

TEST(RenderBatchCharts, YearsThenPlacesThenModes) {
    const std::vector<BatchChart> charts = BatchCharts(2, 3, 2);
    ASSERT_EQ(charts.size(), 12u);
    EXPECT_EQ(charts[0].year, 0u);
    EXPECT_EQ(charts[1].mode, 1u);
    EXPECT_EQ(charts[1].place, 0u);
    EXPECT_EQ(charts[2].place, 1u);
    EXPECT_EQ(charts[6].year, 1u);
    EXPECT_EQ(charts[6].place, 0u);
    EXPECT_EQ(charts[11].year, 1u);
    EXPECT_EQ(charts[11].place, 2u);
    EXPECT_EQ(charts[11].mode, 1u);
}

struct BatchArgsCase {
    std::string name;
    Args args;
    bool ok;
};

class RenderBatchOptions : public ::testing::TestWithParam<BatchArgsCase> {};

TEST_P(RenderBatchOptions, AcceptsWhatCanBeWrittenAndRefusesTheRest) {
    const auto parsed = ParseRenderOptions(GetParam().args, ChartSettings{}, 2026);
    EXPECT_EQ(parsed.has_value(), GetParam().ok) << (parsed ? "accepted" : parsed.error());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenderBatchOptions,
    ::testing::Values(
        BatchArgsCase{"pattern", {"--years", "2026..2027", "--modes", "sun,normal", "--output", "{year}-{mode}.png"}, true},
        BatchArgsCase{"atlas", {"--years", "2026..2027", "--modes", "sun,normal", "--output", "atlas.pdf"}, true},
        BatchArgsCase{"one_year_plain_file", {"--years", "2026", "--output", "a.png"}, true},
        BatchArgsCase{"years_without_field", {"--years", "2026..2027", "--output", "{mode}.png"}, false},
        BatchArgsCase{"modes_without_field", {"--modes", "sun,normal", "--output", "{year}.svg"}, false},
        BatchArgsCase{"svg_atlas", {"--years", "2026..2027", "--output", "atlas.svg"}, false},
        BatchArgsCase{"year_and_years", {"--year", "2026", "--years", "2026..2027", "--output", "{year}.png"}, false},
        BatchArgsCase{"mode_and_modes", {"--mode", "sun", "--modes", "sun", "--output", "a.png"}, false},
        BatchArgsCase{"places_and_lat", {"--places", "p.csv", "--lat", "50", "--output", "{place}.png"}, false},
        BatchArgsCase{"places_and_zone", {"--places", "p.csv", "--zone", "Europe/Berlin", "--output", "{place}.png"}, true},
        BatchArgsCase{"standard_output", {"--years", "2026..2027", "--output", "-", "--format", "pdf"}, false},
        BatchArgsCase{"unknown_field", {"--output", "{day}.png"}, false},
        BatchArgsCase{"too_many", {"--years", "-50000..50000", "--modes", "sun,normal", "--output", "{year}-{mode}.png"}, false}),
    [](const ::testing::TestParamInfo<BatchArgsCase>& info) { return info.param.name; });

}  // namespace
}  // namespace velmarin
