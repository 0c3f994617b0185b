#pragma once

#include "core/chart/chart_settings.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

// Numeric command ids; each menu entry, toolbar button and key carries one.
enum CommandId : int {
    kCmdModeNormal = 32771,
    kCmdModeSun = 32772,
    kCmdModeMidnight = 32773,
    kCmdYearPlus = 32774,
    kCmdYearMinus = 32775,
    kCmdCodeDiameter = 32778,
    kCmdYearNow = 32782,
    kCmdYearPrompt = 32783,
    kCmdCodeBrightness = 32784,
    kCmdCodeNone = 32785,
    kCmdShowDayLine = 32787,
    kCmdModeTwilight = 32788,
    kCmdZoneUt = 32791,
    kCmdZoneUtPlus1 = 32792,
    kCmdZoneUtPlus2 = 32793,
    kCmdZoneOther = 32794,  // "Andere Zeitzone…": a zone of the zone database
    kCmdSummerTime = 32795,
    kCmdChangeLocation = 32797,
    kCmdLatitudeNorth = 32800,
    kCmdLatitudeSouth = 32801,
    kCmdLongitudeEast = 32802,
    kCmdLongitudeWest = 32803,
    kCmdShowGrid = 32805,
    kCmdShowMoon = 32807,
    kCmdPrintSetup = 57606,
    kCmdPrint = 57607,
    kCmdPrintPreview = 57609,
    kCmdSave = 57603,
    kCmdAbout = 57664,
    kCmdExit = 57665,
    kCmdToolBar = 59392,
    // Beyond the original menus: the year's data as calendar file or table.
    kCmdExport = 32830,
};

// What a command's menu entry and toolbar button show.
struct CommandState {
    bool enabled = true;
    bool checkable = false;  // false: the entry never carries a check mark
    bool checked = false;
    bool operator==(const CommandState&) const = default;
};

// Applies a command of the "&Anzeigen" menu to the settings. Returns false
// (and leaves the settings alone) for any other command.
bool ApplyDisplayCommand(int command, ChartSettings& settings);

// Applies one of the four 5-degree location steps: the value moves by 5
// degrees and is held only at the bound in the direction of the step, so a
// latitude of 100 degrees read from a file stays until a step moves it.
// Returns false for any other command.
bool ApplyLocationStep(int command, ChartSettings& settings);

// year + delta, held within kMinYear .. kMaxYear.
int StepYear(int year, int delta);

// The enabled and checked state of a command's user-interface elements for
// the given settings. Commands without an update rule are enabled and
// never checked.
CommandState CommandUpdateRule(int command, const ChartSettings& settings);

}  // namespace velmarin
