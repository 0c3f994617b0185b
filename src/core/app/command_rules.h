#pragma once

#include "core/chart/chart_settings.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

// Numeric command ids; each menu entry, toolbar button and key carries one.
enum class CommandId : int {
    ModeNormal = 32771,
    ModeSun = 32772,
    ModeMidnight = 32773,
    YearPlus = 32774,
    YearMinus = 32775,
    CodeDiameter = 32778,
    YearNow = 32782,
    YearPrompt = 32783,
    CodeBrightness = 32784,
    CodeNone = 32785,
    ShowDayLine = 32787,
    ModeTwilight = 32788,
    ZoneUt = 32791,
    ZoneUtPlus1 = 32792,
    ZoneUtPlus2 = 32793,
    ZoneOther = 32794,  // "Andere Zeitzone…": a zone of the zone database
    SummerTime = 32795,
    ChangeLocation = 32797,
    LatitudeNorth = 32800,
    LatitudeSouth = 32801,
    LongitudeEast = 32802,
    LongitudeWest = 32803,
    ShowGrid = 32805,
    ShowMoon = 32807,
    PrintSetup = 57606,
    Print = 57607,
    PrintPreview = 57609,
    Save = 57603,
    About = 57664,
    Exit = 57665,
    ToolBar = 59392,
    // Beyond the original menus: the year's data as calendar file or table.
    Export = 32830,
    // The twilight chart's overlays: the planets' passes and the moonlit night.
    ShowPlanets = 32831,
    ShowMoonlight = 32832,
    // "Ansicht → Ziele…": the observer's own targets.
    Targets = 32833,
    // "mit Zielen": the targets' curves on the twilight chart.
    ShowTargets = 32834,
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
bool ApplyDisplayCommand(CommandId command, ChartSettings& settings);

// Applies one of the four 5-degree location steps: the value moves by 5
// degrees and is held only at the bound in the direction of the step, so a
// latitude of 100 degrees read from a file stays until a step moves it.
// Returns false for any other command.
bool ApplyLocationStep(CommandId command, ChartSettings& settings);

// year + delta, held within kMinYear .. kMaxYear.
int StepYear(int year, int delta);

// The enabled and checked state of a command's user-interface elements for
// the given settings. Commands without an update rule are enabled and
// never checked.
CommandState CommandUpdateRule(CommandId command, const ChartSettings& settings);

}  // namespace velmarin
