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
    ASSERT_TRUE(p) << p.error();
    EXPECT_EQ(p->targets, expected);

    std::vector<std::string> visibility = args;
    visibility.push_back("--best");
    const auto v = ParseVisibilityOptions(visibility, ChartSettings{}, 2026);
    ASSERT_TRUE(v) << v.error();
    EXPECT_EQ(v->targets, expected);
    EXPECT_TRUE(v->best);

    std::vector<std::string> render = args;
    render.insert(render.end(), {"--output", "x.png"});
    const auto r = ParseRenderOptions(render, ChartSettings{}, 2026);
    ASSERT_TRUE(r) << r.error();
    EXPECT_EQ(r->targets, expected);

    // Without the options nothing is asked for.
    const auto plain = ParseVisibilityOptions({}, ChartSettings{}, 2026);
    EXPECT_TRUE(plain->targets.Empty());
    EXPECT_FALSE(plain->best);
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
        ASSERT_FALSE(parsed);
        EXPECT_EQ(parsed.error(), c.message);
    }
    const auto daylight = ParseDaylightOptions({"--targets", "messier"}, ChartSettings{}, 2026);
    ASSERT_FALSE(daylight);
    EXPECT_EQ(daylight.error(), "daylight: unknown option '--targets'");
}

}  // namespace
}  // namespace velmarin
