#include "core/chart/target_curves_setting.h"
#include "core/app/command_rules.h"

#include <algorithm>

#include "core/app/display_modes.h"

namespace velmarin {

bool ApplyDisplayCommand(CommandId command, ChartSettings& settings) {
    if (const DisplayModeEntry* entry = DisplayModeEntryOfCommand(command)) {
        settings.displayMode = entry->mode;
        return true;
    }
    switch (command) {
        case CommandId::ShowMoon: settings.showMoon = !settings.showMoon; return true;
        case CommandId::CodeDiameter: settings.codeByDiameter = !settings.codeByDiameter; return true;
        case CommandId::CodeBrightness: settings.codeByBrightness = !settings.codeByBrightness; return true;
        case CommandId::CodeNone:
            settings.codeByDiameter = false;
            settings.codeByBrightness = false;
            return true;
        // The fixed zones take over from a named one.
        case CommandId::ZoneUt: settings.timeZoneHours = 0.0; settings.zone.clear(); return true;
        case CommandId::ZoneUtPlus1: settings.timeZoneHours = 1.0; settings.zone.clear(); return true;
        case CommandId::ZoneUtPlus2: settings.timeZoneHours = 2.0; settings.zone.clear(); return true;
        case CommandId::SummerTime: settings.summerTime = !settings.summerTime; return true;
        case CommandId::ShowPlanets: settings.showPlanets = !settings.showPlanets; return true;
        case CommandId::ShowMoonlight: settings.showMoonlight = !settings.showMoonlight; return true;
        case CommandId::ShowTargets: settings = WithTargetCurves(settings, !ShowsTargetCurves(settings)); return true;
        case CommandId::ShowGrid: settings.showGrid = !settings.showGrid; return true;
        case CommandId::ShowDayLine: settings.showDayLine = !settings.showDayLine; return true;
        default: return false;
    }
}

bool ApplyLocationStep(CommandId command, ChartSettings& settings) {
    const double step = 5.0 * degToRad;
    const double latitudeBound = 90.0 * degToRad;
    const double longitudeBound = 180.0 * degToRad;
    switch (command) {
        case CommandId::LatitudeNorth:
            settings.latitude += step;
            if (settings.latitude > latitudeBound) settings.latitude = latitudeBound;
            return true;
        case CommandId::LatitudeSouth:
            settings.latitude -= step;
            if (settings.latitude < -latitudeBound) settings.latitude = -latitudeBound;
            return true;
        case CommandId::LongitudeEast:
            settings.longitude += step;
            if (settings.longitude > longitudeBound) settings.longitude = longitudeBound;
            return true;
        case CommandId::LongitudeWest:
            settings.longitude -= step;
            if (settings.longitude < -longitudeBound) settings.longitude = -longitudeBound;
            return true;
        default: return false;
    }
}

int StepYear(int year, int delta) {
    const long long next = static_cast<long long>(year) + delta;
    return static_cast<int>(std::clamp<long long>(next, kMinYear, kMaxYear));
}

CommandState CommandUpdateRule(CommandId command, const ChartSettings& settings) {
    const DisplayMode mode = settings.displayMode;
    if (const DisplayModeEntry* entry = DisplayModeEntryOfCommand(command))
        return CommandState{true, true, mode == entry->mode};
    const bool plotsBodies = mode < DisplayMode::Twilight;
    const bool twilight = mode == DisplayMode::Twilight;
    const bool fixedZone = settings.zone.empty();
    auto checkable = [](bool enabled, bool checked) { return CommandState{enabled, true, checked}; };
    switch (command) {
        case CommandId::CodeDiameter: return checkable(plotsBodies, plotsBodies && settings.codeByDiameter != 0);
        case CommandId::CodeBrightness:
            return checkable(plotsBodies, plotsBodies && settings.codeByBrightness != 0);
        case CommandId::CodeNone: return CommandState{plotsBodies, false, false};
        case CommandId::ShowMoon: return checkable(plotsBodies, settings.showMoon != 0);
        // Exact comparisons on purpose: an offset such as 1.5 from the file checks no zone.
        case CommandId::ZoneUt: return checkable(twilight, twilight && fixedZone && settings.timeZoneHours == 0.0);
        case CommandId::ZoneUtPlus1:
            return checkable(twilight, twilight && fixedZone && settings.timeZoneHours == 1.0);
        case CommandId::ZoneUtPlus2:
            return checkable(twilight, twilight && fixedZone && settings.timeZoneHours == 2.0);
        case CommandId::ZoneOther: return checkable(twilight, twilight && !fixedZone);
        // A named zone decides summer time itself; the flag's mark stays as it is.
        case CommandId::SummerTime: return checkable(twilight && fixedZone, twilight && settings.summerTime != 0);
        // Drawn in the twilight chart only; the mark shows the saved choice in every mode.
        case CommandId::ShowPlanets: return checkable(twilight, settings.showPlanets != 0);
        case CommandId::ShowMoonlight: return checkable(twilight, settings.showMoonlight != 0);
        case CommandId::ShowTargets: return checkable(twilight, ShowsTargetCurves(settings));
        case CommandId::ShowGrid: return checkable(true, settings.showGrid != 0);
        case CommandId::ShowDayLine: return checkable(true, settings.showDayLine != 0);
        default: return CommandState{};
    }
}

}  // namespace velmarin
