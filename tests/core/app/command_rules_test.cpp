#include "core/app/command_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>
#include "core/test_names.h"

namespace velmarin {
namespace {

ChartSettings InMode(DisplayMode mode) {
    ChartSettings s;
    s.displayMode = mode;
    return s;
}

// A mode number as a damaged settings file may hold it.
ChartSettings InMode(int raw) { return InMode(static_cast<DisplayMode>(raw)); }

TEST(CommandRulesDisplay, ModeCommandsFormOneRadioGroup) {
    const std::vector<std::pair<CommandId, DisplayMode>> modes = {{CommandId::ModeNormal, DisplayMode::Normal},
                                                    {CommandId::ModeSun, DisplayMode::Sun},
                                                    {CommandId::ModeMidnight, DisplayMode::Midnight},
                                                    {CommandId::ModeTwilight, DisplayMode::Twilight}};
    for (const auto& [command, mode] : modes) {
        ChartSettings s = InMode(7);  // a value a damaged file may hold
        ASSERT_TRUE(ApplyDisplayCommand(command, s));
        EXPECT_EQ(s.displayMode, mode);
        int checkedCount = 0;
        for (const auto& [other, otherMode] : modes) {
            const CommandState state = CommandUpdateRule(other, s);
            EXPECT_TRUE(state.enabled);
            EXPECT_EQ(state.checked, otherMode == mode);
            checkedCount += state.checked;
        }
        EXPECT_EQ(checkedCount, 1);
    }
    // With an unknown mode none of the four is checked.
    for (const auto& [command, mode] : modes) EXPECT_FALSE(CommandUpdateRule(command, InMode(7)).checked);
}

TEST(CommandRulesDisplay, CodingsToggleIndependentlyAndNoneClearsBoth) {
    ChartSettings s;
    ApplyDisplayCommand(CommandId::CodeDiameter, s);
    ApplyDisplayCommand(CommandId::CodeBrightness, s);
    EXPECT_TRUE(CommandUpdateRule(CommandId::CodeDiameter, s).checked);
    EXPECT_TRUE(CommandUpdateRule(CommandId::CodeBrightness, s).checked);
    ApplyDisplayCommand(CommandId::CodeNone, s);
    EXPECT_EQ(s.codeByDiameter, 0);
    EXPECT_EQ(s.codeByBrightness, 0);
    EXPECT_FALSE(CommandUpdateRule(CommandId::CodeDiameter, s).checked);
    EXPECT_FALSE(CommandUpdateRule(CommandId::CodeNone, s).checkable);
}

struct ToggleCase {
    const char* name;
    CommandId command;
    bool ChartSettings::*field;
};

class CommandRulesToggle : public ::testing::TestWithParam<ToggleCase> {};

// A file's 5 or -3 is on in memory (the settings file tests), so a toggle
// only ever sees on and off.
TEST_P(CommandRulesToggle, NegatesAndStaysAToggle) {
    const ToggleCase c = GetParam();
    for (const bool start : {false, true}) {
        ChartSettings s;
        s.*c.field = start;
        const ChartSettings before = s;
        ASSERT_TRUE(ApplyDisplayCommand(c.command, s));
        EXPECT_EQ(s.*c.field, !start) << "from " << start;
        ApplyDisplayCommand(c.command, s);
        EXPECT_EQ(s, before) << "from " << start;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllToggles, CommandRulesToggle,
    ::testing::Values(ToggleCase{"ShowMoon", CommandId::ShowMoon, &ChartSettings::showMoon},
                      ToggleCase{"CodeDiameter", CommandId::CodeDiameter, &ChartSettings::codeByDiameter},
                      ToggleCase{"CodeBrightness", CommandId::CodeBrightness, &ChartSettings::codeByBrightness},
                      ToggleCase{"SummerTime", CommandId::SummerTime, &ChartSettings::summerTime},
                      ToggleCase{"ShowGrid", CommandId::ShowGrid, &ChartSettings::showGrid},
                      ToggleCase{"ShowDayLine", CommandId::ShowDayLine, &ChartSettings::showDayLine},
                      ToggleCase{"ShowPlanets", CommandId::ShowPlanets, &ChartSettings::showPlanets},
                      ToggleCase{"ShowMoonlight", CommandId::ShowMoonlight, &ChartSettings::showMoonlight}),
    [](const ::testing::TestParamInfo<ToggleCase>& info) { return std::string(info.param.name); });

TEST(CommandRulesDisplay, DisplayCommandsTouchOnlyTheirField) {
    const ChartSettings before;
    ChartSettings s = before;
    ApplyDisplayCommand(CommandId::ShowGrid, s);
    ChartSettings expected = before;
    expected.showGrid = 0;
    EXPECT_EQ(s, expected);
    EXPECT_FALSE(ApplyDisplayCommand(CommandId::YearPlus, s));
    EXPECT_FALSE(ApplyDisplayCommand(CommandId::LatitudeNorth, s));
    EXPECT_EQ(s, expected);
}

TEST(CommandRulesUpdate, TwilightSwapsWhichEntriesAreAvailable) {
    const std::vector<CommandId> bodyEntries = {CommandId::CodeDiameter, CommandId::CodeBrightness, CommandId::CodeNone, CommandId::ShowMoon};
    const std::vector<CommandId> twilightEntries = {CommandId::ZoneUt, CommandId::ZoneUtPlus1, CommandId::ZoneUtPlus2, CommandId::SummerTime,
                                                  CommandId::ShowPlanets, CommandId::ShowMoonlight};
    for (DisplayMode mode : {DisplayMode::Normal, DisplayMode::Sun, DisplayMode::Midnight, DisplayMode::Twilight}) {
        ChartSettings s = InMode(mode);
        s.codeByDiameter = 1;
        s.codeByBrightness = 1;
        const bool twilight = mode == DisplayMode::Twilight;
        for (CommandId command : bodyEntries) EXPECT_EQ(CommandUpdateRule(command, s).enabled, !twilight) << static_cast<int>(command);
        for (CommandId command : twilightEntries) EXPECT_EQ(CommandUpdateRule(command, s).enabled, twilight) << static_cast<int>(command);
        // Greyed codings lose their check; "mit Mond" keeps its check in every mode.
        EXPECT_EQ(CommandUpdateRule(CommandId::CodeDiameter, s).checked, !twilight);
        EXPECT_TRUE(CommandUpdateRule(CommandId::ShowMoon, s).checked);
        EXPECT_EQ(CommandUpdateRule(CommandId::SummerTime, s).checked, twilight);
        // The overlay entries show the saved choice even where they are greyed.
        s.showPlanets = 1;
        EXPECT_EQ(CommandUpdateRule(CommandId::ShowPlanets, s), (CommandState{twilight, true, true}));
        EXPECT_EQ(CommandUpdateRule(CommandId::ShowMoonlight, s), (CommandState{twilight, true, false}));
        for (CommandId command : {CommandId::ShowGrid, CommandId::ShowDayLine, CommandId::YearPlus, CommandId::ChangeLocation})
            EXPECT_TRUE(CommandUpdateRule(command, s).enabled);
    }
    // Negative and out-of-range modes count as "below twilight" for the rules, as compared.
    EXPECT_TRUE(CommandUpdateRule(CommandId::ShowMoon, InMode(-1)).enabled);
    EXPECT_FALSE(CommandUpdateRule(CommandId::ZoneUt, InMode(7)).enabled);
    EXPECT_FALSE(CommandUpdateRule(CommandId::ShowMoon, InMode(7)).enabled);
}

TEST(CommandRulesUpdate, TimeZoneChecksOnlyExactWholeOffsets) {
    ChartSettings s = InMode(DisplayMode::Twilight);
    s.timeZoneHours = 1.5;
    for (CommandId command : {CommandId::ZoneUt, CommandId::ZoneUtPlus1, CommandId::ZoneUtPlus2})
        EXPECT_FALSE(CommandUpdateRule(command, s).checked);
    const std::vector<std::pair<CommandId, double>> zones = {
        {CommandId::ZoneUt, 0.0}, {CommandId::ZoneUtPlus1, 1.0}, {CommandId::ZoneUtPlus2, 2.0}};
    for (const auto& [command, hours] : zones) {
        ApplyDisplayCommand(command, s);
        EXPECT_EQ(s.timeZoneHours, hours);
        for (const auto& [other, otherHours] : zones)
            EXPECT_EQ(CommandUpdateRule(other, s).checked, other == command);
    }
    s.timeZoneHours = 1.0 + 1e-12;
    EXPECT_FALSE(CommandUpdateRule(CommandId::ZoneUtPlus1, s).checked);
}

TEST(CommandRulesUpdate, ANamedZoneTakesOverTheClockEntries) {
    ChartSettings s = InMode(DisplayMode::Twilight);
    s.timeZoneHours = 1.0;
    for (const int summer : {0, 1}) {
        s.summerTime = summer;
        s.zone = "Australia/Sydney";
        // The zone decides summer time: the entry is greyed, its mark kept.
        EXPECT_EQ(CommandUpdateRule(CommandId::SummerTime, s), (CommandState{false, true, summer != 0}));
        EXPECT_EQ(CommandUpdateRule(CommandId::ZoneOther, s), (CommandState{true, true, true}));
        EXPECT_FALSE(CommandUpdateRule(CommandId::ZoneUtPlus1, s).checked);
        // Choosing a fixed zone leaves the named one.
        ASSERT_TRUE(ApplyDisplayCommand(CommandId::ZoneUtPlus2, s));
        EXPECT_EQ(s.zone, "");
        EXPECT_EQ(s.summerTime, summer);
        EXPECT_EQ(CommandUpdateRule(CommandId::SummerTime, s), (CommandState{true, true, summer != 0}));
        EXPECT_EQ(CommandUpdateRule(CommandId::ZoneOther, s), (CommandState{true, true, false}));
        EXPECT_TRUE(CommandUpdateRule(CommandId::ZoneUtPlus2, s).checked);
    }
    // Outside the twilight chart the entry is greyed like the other clocks.
    s = InMode(DisplayMode::Normal);
    s.zone = "Asia/Kolkata";
    EXPECT_EQ(CommandUpdateRule(CommandId::ZoneOther, s), (CommandState{false, true, false}));
    // The dialog picks the zone; the rule alone changes nothing.
    EXPECT_FALSE(ApplyDisplayCommand(CommandId::ZoneOther, s));
}

struct StepCase {
    const char* name;
    double startDegrees;
    CommandId command;
    double expectedDegrees;
};

class CommandRulesLocationStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(CommandRulesLocationStep, StepsFiveDegreesAndHoldsAtTheBoundAhead) {
    const StepCase c = GetParam();
    const bool latitudeStep = c.command == CommandId::LatitudeNorth || c.command == CommandId::LatitudeSouth;
    ChartSettings s;
    double& value = latitudeStep ? s.latitude : s.longitude;
    const double other = latitudeStep ? s.longitude : s.latitude;
    value = c.startDegrees * degToRad;
    ASSERT_TRUE(ApplyLocationStep(c.command, s));
    EXPECT_NEAR(value / degToRad, c.expectedDegrees, 1e-9) << c.name;
    EXPECT_EQ(latitudeStep ? s.longitude : s.latitude, other) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CommandRulesLocationStep,
    ::testing::Values(StepCase{"N from 87", 87.0, CommandId::LatitudeNorth, 90.0},
                      StepCase{"N at 90", 90.0, CommandId::LatitudeNorth, 90.0},
                      StepCase{"S from 90", 90.0, CommandId::LatitudeSouth, 85.0},
                      StepCase{"S from -88", -88.0, CommandId::LatitudeSouth, -90.0},
                      StepCase{"S from 100 (file)", 100.0, CommandId::LatitudeSouth, 95.0},
                      StepCase{"N from 100 (file)", 100.0, CommandId::LatitudeNorth, 90.0},
                      StepCase{"N from -100 (file)", -100.0, CommandId::LatitudeNorth, -95.0},
                      StepCase{"O from 174", 174.0, CommandId::LongitudeEast, 179.0},
                      StepCase{"O from 179", 179.0, CommandId::LongitudeEast, 180.0},
                      StepCase{"O at 180 is not wrapped", 180.0, CommandId::LongitudeEast, 180.0},
                      StepCase{"W from -178", -178.0, CommandId::LongitudeWest, -180.0},
                      StepCase{"W from 9.8", 9.8, CommandId::LongitudeWest, 4.8}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return test::IdentifierOf(info.param.name); });

TEST(CommandRulesLocationStep, TwoNorthStepsThenSouth) {
    ChartSettings s;
    s.latitude = 87.0 * degToRad;
    ApplyLocationStep(CommandId::LatitudeNorth, s);
    ApplyLocationStep(CommandId::LatitudeNorth, s);
    EXPECT_EQ(s.latitude, 90.0 * degToRad);  // exactly the bound
    ApplyLocationStep(CommandId::LatitudeSouth, s);
    EXPECT_NEAR(s.latitude / degToRad, 85.0, 1e-9);
    EXPECT_FALSE(ApplyLocationStep(CommandId::ShowGrid, s));
}

TEST(CommandRulesYear, StepsSaturateAtTheYearRange) {
    EXPECT_EQ(StepYear(1, -1), 0);
    EXPECT_EQ(StepYear(0, -1), -1);
    EXPECT_EQ(StepYear(2024, 1), 2025);
    EXPECT_EQ(StepYear(kMaxYear, 1), kMaxYear);
    EXPECT_EQ(StepYear(kMinYear, -1), kMinYear);
    EXPECT_EQ(StepYear(INT_MAX, 1), kMaxYear);
    EXPECT_EQ(StepYear(INT_MIN, -1), kMinYear);
}

}  // namespace
}  // namespace velmarin
