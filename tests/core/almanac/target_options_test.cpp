// --targets, --elements and --best on the almanac commands' parsers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/almanac/options.h"

namespace velmarin {
namespace {

TEST(CliTargetOptions, RepeatableInTheOrderGivenOnEveryCommandThatTakesThem) {
    const std::vector<std::string> args = {"--targets", "a.csv", "--elements=c.txt", "--targets=messier",
                                           "--elements", "d.txt"};
    const TargetSources expected{{"a.csv", "messier"}, {"c.txt", "d.txt"}};

    std::vector<std::string> positions = args;
    positions.insert(positions.end(), {"--jd", "2461100.5"});
    const auto p = ParsePositionsOptions(positions);
    ASSERT_TRUE(std::holds_alternative<PositionsOptions>(p)) << std::get<std::string>(p);
    EXPECT_EQ(std::get<PositionsOptions>(p).targets, expected);

    std::vector<std::string> visibility = args;
    visibility.push_back("--best");
    const auto v = ParseVisibilityOptions(visibility, ChartSettings{}, 2026);
    ASSERT_TRUE(std::holds_alternative<DaylightOptions>(v)) << std::get<std::string>(v);
    EXPECT_EQ(std::get<DaylightOptions>(v).targets, expected);
    EXPECT_TRUE(std::get<DaylightOptions>(v).best);

    std::vector<std::string> render = args;
    render.insert(render.end(), {"--output", "x.png"});
    const auto r = ParseRenderOptions(render, ChartSettings{}, 2026);
    ASSERT_TRUE(std::holds_alternative<RenderOptions>(r)) << std::get<std::string>(r);
    EXPECT_EQ(std::get<RenderOptions>(r).targets, expected);

    // Without the options nothing is asked for.
    const auto plain = ParseVisibilityOptions({}, ChartSettings{}, 2026);
    EXPECT_TRUE(std::get<DaylightOptions>(plain).targets.Empty());
    EXPECT_FALSE(std::get<DaylightOptions>(plain).best);
}

TEST(CliTargetOptions, Refusals) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--best"}, "visibility: --best needs --targets or --elements"},
        {{"--targets", "messier", "--best", "--format", "ics"},
         "visibility: --best has no calendar form (--format json, csv or text)"},
        {{"--targets="}, "visibility: --targets needs a file name"},
        {{"--elements"}, "visibility: --elements needs a value"},
        {{"--events", "planets", "--format", "ics"},
         "visibility: --events: expected sun, moon, twilight and/or targets, not 'planets'"},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseVisibilityOptions(c.args, ChartSettings{}, 2026);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
        EXPECT_EQ(std::get<std::string>(parsed), c.message);
    }
    const auto daylight = ParseDaylightOptions({"--targets", "messier"}, ChartSettings{}, 2026);
    ASSERT_TRUE(std::holds_alternative<std::string>(daylight));
    EXPECT_EQ(std::get<std::string>(daylight), "daylight: unknown option '--targets'");
}

}  // namespace
}  // namespace velmarin
