// The window's targets in the settings file: read from their extension
// lines, written back beside the lines of other keywords, through the
// file's own text; a file that cannot be read costs only its own targets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/app/settings_file.h"
#include "core/app/target_setting.h"

namespace velmarin {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct LinesCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> lists;
    std::vector<std::string> elements;
    std::vector<std::string> own;  // names of the hand-added targets read
    std::vector<std::string> untouched;  // lines that come back as they were, in order
};

const LinesCase kLines[] = {
    {"Nothing", {"lang en", "foo 1"}, {}, {}, {}, {"lang en", "foo 1"}},
    {"BuiltInAndFiles",
     {"targets messier", "lang en", "elements /home/a/comets.txt", "targets /home/a/my list.csv"},
     {"messier", "/home/a/my list.csv"},
     {"/home/a/comets.txt"},
     {},
     {"lang en"}},
    {"OwnTargets", {"target 0.7123 41.27 M31", "target 18.6156 38.7836 Wega im Sommer"}, {}, {}, {"M31", "Wega im Sommer"}, {}},
    // Out of range or unreadable: left out, never a target at 0/0.
    {"BadOwnTargets",
     {"target 24 10 Too far east", "target 1 91 Beyond the pole", "target 1,5 10 Comma", "target 1 10", "target x y z",
      "target 5 -90 South pole"},
     {},
     {},
     {"South pole"},
     {"target 24 10 Too far east", "target 1 91 Beyond the pole", "target 1,5 10 Comma", "target 1 10", "target x y z"}},
    // Hidden targets, named to the end of the line, blanks and all.
    {"Hidden", {"targets messier", "hidetarget M31", "hidetarget Wega im Sommer", "hidetarget"}, {"messier"}, {}, {},
     {"hidetarget"}},
    // A keyword must stand alone before its blank.
    {"LookAlikes", {"targetsmessier", "targetx 1 2 n", "elements", "Targets messier"}, {}, {}, {},
     {"targetsmessier", "targetx 1 2 n", "elements", "Targets messier"}},
};

class TargetLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(TargetLines, AreReadInTheirOrder) {
    const LinesCase& c = GetParam();
    ChartSettings settings;
    settings.otherExtensionLines = c.lines;
    const SavedTargets saved = SettingsTargets(settings);
    EXPECT_EQ(saved.sources.lists, c.lists);
    EXPECT_EQ(saved.sources.elements, c.elements);
    std::vector<std::string> names;
    for (const FixedTarget& t : saved.own) names.push_back(t.name);
    EXPECT_EQ(names, c.own);
}

// Written back and read again, through the file's text: the same targets,
// the lines of other keywords kept in their order.
TEST_P(TargetLines, SurviveTheSettingsFile) {
    const LinesCase& c = GetParam();
    ChartSettings settings;
    settings.otherExtensionLines = c.lines;
    const SavedTargets saved = SettingsTargets(settings);
    const ChartSettings written = WithSettingsTargets(settings, saved);
    const ChartSettings read = ParseSettingsText(FormatSettingsText(written), ChartSettings{});
    EXPECT_EQ(SettingsTargets(read), saved);
    std::vector<std::string> kept;
    for (const std::string& l : read.otherExtensionLines)
        if (std::find(c.untouched.begin(), c.untouched.end(), l) != c.untouched.end()) kept.push_back(l);
    EXPECT_EQ(kept, c.untouched);
}

INSTANTIATE_TEST_SUITE_P(Cases, TargetLines, ::testing::ValuesIn(kLines),
                         [](const ::testing::TestParamInfo<LinesCase>& info) { return std::string(info.param.name); });

TEST(TargetSetting, HandAddedPlacesComeBackExactly) {
    SavedTargets saved;
    FixedTarget t;
    t.name = "Polaris";
    t.ra = (2.0 + 31.0 / 60.0 + 49.09 / 3600.0) / 12.0 * kPi;
    t.dec = (89.0 + 15.0 / 60.0 + 50.8 / 3600.0) / 180.0 * kPi;
    saved.own.push_back(t);
    const ChartSettings read = ParseSettingsText(FormatSettingsText(WithSettingsTargets(ChartSettings{}, saved)), ChartSettings{});
    const SavedTargets back = SettingsTargets(read);
    ASSERT_EQ(back.own.size(), 1u);
    EXPECT_NEAR(back.own[0].ra, t.ra, 1e-15);
    EXPECT_NEAR(back.own[0].dec, t.dec, 1e-15);
}

TEST(TargetSetting, AFileThatCannotBeReadCostsOnlyItsOwnTargets) {
    SavedTargets saved;
    saved.sources.lists = {"/nonexistent/list.csv", "messier"};
    saved.sources.elements = {"/nonexistent/comets.txt"};
    FixedTarget own;
    own.name = "Mine";
    saved.own.push_back(own);
    const LoadedTargets loaded = LoadSavedTargets(saved);
    EXPECT_EQ(loaded.targets.size(), 110u + 1u);
    ASSERT_EQ(loaded.problems.size(), 2u);
    EXPECT_NE(loaded.problems[0].find("/nonexistent/list.csv"), std::string::npos) << loaded.problems[0];
    EXPECT_NE(loaded.problems[1].find("/nonexistent/comets.txt"), std::string::npos) << loaded.problems[1];
    EXPECT_EQ(TargetName(loaded.targets.back()), "Mine");
}

TEST(TargetSetting, HiddenTargetsAreLeftOutOfTheDrawingInTheListsOrder) {
    ChartSettings settings;
    settings.otherExtensionLines = {"targets messier", "hidetarget M31", "hidetarget M1", "hidetarget M200"};
    const SavedTargets saved = SettingsTargets(settings);
    EXPECT_EQ(saved.hidden, (std::vector<std::string>{"M31", "M1", "M200"}));
    const std::vector<Target> drawn = DrawnTargets(LoadSavedTargets(saved).targets, saved);
    ASSERT_EQ(drawn.size(), 108u);
    EXPECT_EQ(TargetName(drawn.front()), "M2");
    EXPECT_EQ(TargetName(drawn[28]), "M30");
    EXPECT_EQ(TargetName(drawn[29]), "M32");
}

}  // namespace
}  // namespace velmarin
