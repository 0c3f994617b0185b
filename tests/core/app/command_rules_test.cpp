#include "core/app/command_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace velmarin {
namespace {

ChartSettings InMode(int mode) {
    ChartSettings s;
    s.displayMode = mode;
    return s;
}

TEST(CommandRulesDisplay, ModeCommandsFormOneRadioGroup) {
    const std::vector<std::pair<int, int>> modes = {{kCmdModeNormal, ModeNormal},
                                                    {kCmdModeSun, ModeSun},
                                                    {kCmdModeMidnight, ModeMidnight},
                                                    {kCmdModeTwilight, ModeTwilight}};
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
    ApplyDisplayCommand(kCmdCodeDiameter, s);
    ApplyDisplayCommand(kCmdCodeBrightness, s);
    EXPECT_TRUE(CommandUpdateRule(kCmdCodeDiameter, s).checked);
    EXPECT_TRUE(CommandUpdateRule(kCmdCodeBrightness, s).checked);
    ApplyDisplayCommand(kCmdCodeNone, s);
    EXPECT_EQ(s.codeByDiameter, 0);
    EXPECT_EQ(s.codeByBrightness, 0);
    EXPECT_FALSE(CommandUpdateRule(kCmdCodeDiameter, s).checked);
    EXPECT_FALSE(CommandUpdateRule(kCmdCodeNone, s).checkable);
}

struct ToggleCase {
    int command;
    int ChartSettings::*field;
};

class CommandRulesToggle : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(CommandRulesToggle, NegatesAnyValueAndStaysAToggle) {
    const ToggleCase c = GetParam();
    for (int start : {0, 1, 5, -3, INT_MIN, INT_MAX}) {
        ChartSettings s;
        s.*c.field = start;
        ASSERT_TRUE(ApplyDisplayCommand(c.command, s));
        EXPECT_EQ(s.*c.field, start == 0 ? 1 : 0) << "from " << start;
        ApplyDisplayCommand(c.command, s);
        EXPECT_EQ(s.*c.field, start == 0 ? 0 : 1) << "from " << start;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllToggles, CommandRulesToggle,
    ::testing::Values(ToggleCase{kCmdShowMoon, &ChartSettings::showMoon},
                      ToggleCase{kCmdCodeDiameter, &ChartSettings::codeByDiameter},
                      ToggleCase{kCmdCodeBrightness, &ChartSettings::codeByBrightness},
                      ToggleCase{kCmdSummerTime, &ChartSettings::summerTime},
                      ToggleCase{kCmdShowGrid, &ChartSettings::showGrid},
                      ToggleCase{kCmdShowDayLine, &ChartSettings::showDayLine}));

TEST(CommandRulesDisplay, DisplayCommandsTouchOnlyTheirField) {
    const ChartSettings before;
    ChartSettings s = before;
    ApplyDisplayCommand(kCmdShowGrid, s);
    ChartSettings expected = before;
    expected.showGrid = 0;
    EXPECT_EQ(s, expected);
    EXPECT_FALSE(ApplyDisplayCommand(kCmdYearPlus, s));
    EXPECT_FALSE(ApplyDisplayCommand(kCmdLatitudeNorth, s));
    EXPECT_EQ(s, expected);
}

TEST(CommandRulesUpdate, TwilightSwapsWhichEntriesAreAvailable) {
    const std::vector<int> bodyEntries = {kCmdCodeDiameter, kCmdCodeBrightness, kCmdCodeNone, kCmdShowMoon};
    const std::vector<int> twilightEntries = {kCmdZoneUt, kCmdZoneUtPlus1, kCmdZoneUtPlus2, kCmdSummerTime};
    for (int mode : {ModeNormal, ModeSun, ModeMidnight, ModeTwilight}) {
        ChartSettings s = InMode(mode);
        s.codeByDiameter = 1;
        s.codeByBrightness = 1;
        const bool twilight = mode == ModeTwilight;
        for (int command : bodyEntries) EXPECT_EQ(CommandUpdateRule(command, s).enabled, !twilight) << command;
        for (int command : twilightEntries) EXPECT_EQ(CommandUpdateRule(command, s).enabled, twilight) << command;
        // Greyed codings lose their check; "mit Mond" keeps its check in every mode.
        EXPECT_EQ(CommandUpdateRule(kCmdCodeDiameter, s).checked, !twilight);
        EXPECT_TRUE(CommandUpdateRule(kCmdShowMoon, s).checked);
        EXPECT_EQ(CommandUpdateRule(kCmdSummerTime, s).checked, twilight);
        for (int command : {kCmdShowGrid, kCmdShowDayLine, kCmdYearPlus, kCmdChangeLocation})
            EXPECT_TRUE(CommandUpdateRule(command, s).enabled);
    }
    // Negative and out-of-range modes count as "below twilight" for the rules, as compared.
    EXPECT_TRUE(CommandUpdateRule(kCmdShowMoon, InMode(-1)).enabled);
    EXPECT_FALSE(CommandUpdateRule(kCmdZoneUt, InMode(7)).enabled);
    EXPECT_FALSE(CommandUpdateRule(kCmdShowMoon, InMode(7)).enabled);
}

TEST(CommandRulesUpdate, TimeZoneChecksOnlyExactWholeOffsets) {
    ChartSettings s = InMode(ModeTwilight);
    s.timeZoneHours = 1.5;
    for (int command : {kCmdZoneUt, kCmdZoneUtPlus1, kCmdZoneUtPlus2})
        EXPECT_FALSE(CommandUpdateRule(command, s).checked);
    const std::vector<std::pair<int, double>> zones = {
        {kCmdZoneUt, 0.0}, {kCmdZoneUtPlus1, 1.0}, {kCmdZoneUtPlus2, 2.0}};
    for (const auto& [command, hours] : zones) {
        ApplyDisplayCommand(command, s);
        EXPECT_EQ(s.timeZoneHours, hours);
        for (const auto& [other, otherHours] : zones)
            EXPECT_EQ(CommandUpdateRule(other, s).checked, other == command);
    }
    s.timeZoneHours = 1.0 + 1e-12;
    EXPECT_FALSE(CommandUpdateRule(kCmdZoneUtPlus1, s).checked);
}

TEST(CommandRulesUpdate, ANamedZoneTakesOverTheClockEntries) {
    ChartSettings s = InMode(ModeTwilight);
    s.timeZoneHours = 1.0;
    for (const int summer : {0, 1}) {
        s.summerTime = summer;
        s.zone = "Australia/Sydney";
        // The zone decides summer time: the entry is greyed, its mark kept.
        EXPECT_EQ(CommandUpdateRule(kCmdSummerTime, s), (CommandState{false, true, summer != 0}));
        EXPECT_EQ(CommandUpdateRule(kCmdZoneOther, s), (CommandState{true, true, true}));
        EXPECT_FALSE(CommandUpdateRule(kCmdZoneUtPlus1, s).checked);
        // Choosing a fixed zone leaves the named one.
        ASSERT_TRUE(ApplyDisplayCommand(kCmdZoneUtPlus2, s));
        EXPECT_EQ(s.zone, "");
        EXPECT_EQ(s.summerTime, summer);
        EXPECT_EQ(CommandUpdateRule(kCmdSummerTime, s), (CommandState{true, true, summer != 0}));
        EXPECT_EQ(CommandUpdateRule(kCmdZoneOther, s), (CommandState{true, true, false}));
        EXPECT_TRUE(CommandUpdateRule(kCmdZoneUtPlus2, s).checked);
    }
    // Outside the twilight chart the entry is greyed like the other clocks.
    s = InMode(ModeNormal);
    s.zone = "Asia/Kolkata";
    EXPECT_EQ(CommandUpdateRule(kCmdZoneOther, s), (CommandState{false, true, false}));
    // The dialog picks the zone; the rule alone changes nothing.
    EXPECT_FALSE(ApplyDisplayCommand(kCmdZoneOther, s));
}

struct StepCase {
    const char* name;
    double startDegrees;
    int command;
    double expectedDegrees;
};

class CommandRulesLocationStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(CommandRulesLocationStep, StepsFiveDegreesAndHoldsAtTheBoundAhead) {
    const StepCase c = GetParam();
    const bool latitudeStep = c.command == kCmdLatitudeNorth || c.command == kCmdLatitudeSouth;
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
    ::testing::Values(StepCase{"N from 87", 87.0, kCmdLatitudeNorth, 90.0},
                      StepCase{"N at 90", 90.0, kCmdLatitudeNorth, 90.0},
                      StepCase{"S from 90", 90.0, kCmdLatitudeSouth, 85.0},
                      StepCase{"S from -88", -88.0, kCmdLatitudeSouth, -90.0},
                      StepCase{"S from 100 (file)", 100.0, kCmdLatitudeSouth, 95.0},
                      StepCase{"N from 100 (file)", 100.0, kCmdLatitudeNorth, 90.0},
                      StepCase{"N from -100 (file)", -100.0, kCmdLatitudeNorth, -95.0},
                      StepCase{"O from 174", 174.0, kCmdLongitudeEast, 179.0},
                      StepCase{"O from 179", 179.0, kCmdLongitudeEast, 180.0},
                      StepCase{"O at 180 is not wrapped", 180.0, kCmdLongitudeEast, 180.0},
                      StepCase{"W from -178", -178.0, kCmdLongitudeWest, -180.0},
                      StepCase{"W from 9.8", 9.8, kCmdLongitudeWest, 4.8}));

TEST(CommandRulesLocationStep, TwoNorthStepsThenSouth) {
    ChartSettings s;
    s.latitude = 87.0 * degToRad;
    ApplyLocationStep(kCmdLatitudeNorth, s);
    ApplyLocationStep(kCmdLatitudeNorth, s);
    EXPECT_EQ(s.latitude, 90.0 * degToRad);  // exactly the bound
    ApplyLocationStep(kCmdLatitudeSouth, s);
    EXPECT_NEAR(s.latitude / degToRad, 85.0, 1e-9);
    EXPECT_FALSE(ApplyLocationStep(kCmdShowGrid, s));
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
