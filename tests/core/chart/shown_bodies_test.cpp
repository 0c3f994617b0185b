// The bodies the chart leaves out: none of their lines are drawn, in any
// mode, and the others' lines stay exactly where they were (the angle charts
// measure hour angles from the Sun even when the Sun is not drawn). The
// choice's settings lines and the --bodies list are read as a user writes
// them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/almanac/render_batch.h"
#include "core/chart/draw_chart.h"
#include "core/chart/recording_surface.h"
#include "core/chart/shown_bodies.h"

namespace velmarin {
namespace {

using testing::RecordingSurface;
using testing::SurfaceCall;

struct DrawnLine {
    int x1, y1, x2, y2, width;
    bool operator==(const DrawnLine&) const = default;
};

struct DrawnChart {
    RecordingSurface dc{1280, 960};
    ChartLayout layout;
};

// Every line of `color` above the legend (whose swatches keep every body).
std::vector<DrawnLine> LinesOf(const DrawnChart& chart, Color color) {
    std::vector<DrawnLine> lines;
    for (const SurfaceCall& call : chart.dc.Of(SurfaceCall::Line)) {
        if (call.pen.color != color || std::min(call.y1, call.y2) > chart.layout.plotBottom) continue;
        lines.push_back({call.x1, call.y1, call.x2, call.y2, call.pen.width});
    }
    return lines;
}

DrawnChart Drawn(const ChartSettings& settings) {
    DrawnChart chart;
    ChartViewState state;
    state.colorReadBack = false;
    DrawChart(chart.dc, 15, 2026, 0.0, settings, state);
    chart.layout = state.layout;
    return chart;
}

struct HiddenCase {
    const char* name;
    DisplayMode mode;
    std::vector<int> hidden;
};

class HiddenBodies : public ::testing::TestWithParam<HiddenCase> {};

TEST_P(HiddenBodies, LeaveNoLinesAndMoveNoOtherLine) {
    const HiddenCase& c = GetParam();
    ChartSettings all;
    all.displayMode = c.mode;
    all.showPlanets = 1;
    BodySelection shown = kAllBodiesShown;
    for (int body : c.hidden) shown[body] = false;
    const ChartSettings some = WithShownBodies(all, shown);
    const DrawnChart withAll = Drawn(all);
    const DrawnChart withSome = Drawn(some);
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    for (int body = 0; body < kSelectableBodyCount; ++body) {
        const Color color = catalogue.entries[body].color;
        const std::vector<DrawnLine> before = LinesOf(withAll, color);
        const std::vector<DrawnLine> after = LinesOf(withSome, color);
        if (!shown[body]) {
            EXPECT_TRUE(after.empty()) << catalogue.entries[body].name << " is still drawn";
        } else if (c.mode != DisplayMode::Twilight || body != IndexOf(BodyId::kSun)) {
            EXPECT_FALSE(after.empty()) << catalogue.entries[body].name << " is missing";
            EXPECT_EQ(after, before) << catalogue.entries[body].name << " moved";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, HiddenBodies,
    ::testing::Values(HiddenCase{"NormalWithoutMarsAndNeptune", DisplayMode::Normal, {IndexOf(BodyId::kMars), IndexOf(BodyId::kNeptune)}},
                      HiddenCase{"SunWithoutTheSun", DisplayMode::Sun, {IndexOf(BodyId::kSun)}},
                      HiddenCase{"MidnightWithoutTheSunAndVenus", DisplayMode::Midnight, {IndexOf(BodyId::kSun), IndexOf(BodyId::kVenus)}},
                      HiddenCase{"TwilightWithoutVenusAndSaturn", DisplayMode::Twilight, {IndexOf(BodyId::kVenus), IndexOf(BodyId::kSaturn)}}),
    [](const ::testing::TestParamInfo<HiddenCase>& info) { return std::string(info.param.name); });

TEST(ShownBodiesSetting, TheLinesNameTheBodiesLeftOutAndKeepWhatTheyDoNotRead) {
    ChartSettings settings;
    settings.otherExtensionLines = {"hidebody Pluto", "lang en", "hidebody Jupiter", "hidebody  Mars"};
    BodySelection expected = kAllBodiesShown;
    expected[IndexOf(BodyId::kJupiter)] = false;
    EXPECT_EQ(ShownBodies(settings), expected);

    BodySelection shown = kAllBodiesShown;
    shown[IndexOf(BodyId::kSun)] = shown[IndexOf(BodyId::kNeptune)] = false;
    const ChartSettings written = WithShownBodies(settings, shown);
    EXPECT_EQ(written.otherExtensionLines,
              (std::vector<std::string>{"hidebody Pluto", "lang en", "hidebody  Mars", "hidebody Sonne",
                                        "hidebody Neptun"}));
    EXPECT_EQ(ShownBodies(written), shown);
    // Every body shown again: no line of the choice is left.
    EXPECT_EQ(WithShownBodies(written, kAllBodiesShown).otherExtensionLines,
              (std::vector<std::string>{"hidebody Pluto", "lang en", "hidebody  Mars"}));
}

struct ListCase {
    const char* text;
    std::vector<int> drawn;  // empty with `error`
    bool moon;
    const char* error;  // a part of the message, or nullptr
};

TEST(BodyList, ReadsGermanAndEnglishNamesInAnyCase) {
    const ListCase cases[] = {
        {"Jupiter,Mond", {IndexOf(BodyId::kJupiter)}, true, nullptr},
        {"SUN,mercury,Neptune,Neptun", {}, false, "comes twice"},
        {"sonne,Merkur,venus,MARS,jupiter,saturn,uranus,neptune", {0, 1, 2, 3, 4, 5, 6, 7}, false, nullptr},
        {"moon", {}, true, nullptr},
        {"none", {}, false, nullptr},
        {"Pluto", {}, false, "not 'Pluto'"},
        {"Jupiter,,Saturn", {}, false, "not ''"},
        {"", {}, false, "not ''"},
        {"Jupiter ", {}, false, "not 'Jupiter '"},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.text);
        const Expected<BodyChoice> read = ParseBodyList(c.text);
        if (c.error != nullptr) {
            ASSERT_FALSE(read);
            EXPECT_NE(read.error().find(c.error), std::string::npos) << read.error();
            continue;
        }
        ASSERT_TRUE(read) << read.error();
        const BodyChoice& choice = *read;
        BodySelection expected{};
        for (int body : c.drawn) expected[body] = true;
        EXPECT_EQ(choice.shown, expected);
        EXPECT_EQ(choice.moon, c.moon);
    }
}

}  // namespace
}  // namespace velmarin
