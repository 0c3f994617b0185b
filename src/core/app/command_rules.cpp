#include "core/app/command_rules.h"

#include <algorithm>

namespace velmarin {

namespace {

// Logical negation: any non-zero value becomes 0, zero becomes 1.
int Toggled(int flag) { return flag == 0 ? 1 : 0; }

bool IsDisplayMode(int command) {
    return command == kCmdModeNormal || command == kCmdModeSun || command == kCmdModeMidnight ||
           command == kCmdModeTwilight;
}

int ModeOfCommand(int command) {
    switch (command) {
        case kCmdModeSun: return ModeSun;
        case kCmdModeMidnight: return ModeMidnight;
        case kCmdModeTwilight: return ModeTwilight;
        default: return ModeNormal;
    }
}

}  // namespace

bool ApplyDisplayCommand(int command, ChartSettings& settings) {
    if (IsDisplayMode(command)) {
        settings.displayMode = ModeOfCommand(command);
        return true;
    }
    switch (command) {
        // "1 - showMoon" would leave a value such as 5 from a damaged file
        // switched on for ever (and overflows at the int limit); negation
        // gives the same result for 0 and 1 and stays a toggle for the rest.
        case kCmdShowMoon: settings.showMoon = Toggled(settings.showMoon); return true;
        case kCmdCodeDiameter: settings.codeByDiameter = Toggled(settings.codeByDiameter); return true;
        case kCmdCodeBrightness: settings.codeByBrightness = Toggled(settings.codeByBrightness); return true;
        case kCmdCodeNone:
            settings.codeByDiameter = 0;
            settings.codeByBrightness = 0;
            return true;
        // The fixed zones take over from a named one.
        case kCmdZoneUt: settings.timeZoneHours = 0.0; settings.zone.clear(); return true;
        case kCmdZoneUtPlus1: settings.timeZoneHours = 1.0; settings.zone.clear(); return true;
        case kCmdZoneUtPlus2: settings.timeZoneHours = 2.0; settings.zone.clear(); return true;
        case kCmdSummerTime: settings.summerTime = Toggled(settings.summerTime); return true;
        case kCmdShowGrid: settings.showGrid = Toggled(settings.showGrid); return true;
        case kCmdShowDayLine: settings.showDayLine = Toggled(settings.showDayLine); return true;
        default: return false;
    }
}

bool ApplyLocationStep(int command, ChartSettings& settings) {
    const double step = 5.0 * degToRad;
    const double latitudeBound = 90.0 * degToRad;
    const double longitudeBound = 180.0 * degToRad;
    switch (command) {
        case kCmdLatitudeNorth:
            settings.latitude += step;
            if (settings.latitude > latitudeBound) settings.latitude = latitudeBound;
            return true;
        case kCmdLatitudeSouth:
            settings.latitude -= step;
            if (settings.latitude < -latitudeBound) settings.latitude = -latitudeBound;
            return true;
        case kCmdLongitudeEast:
            settings.longitude += step;
            if (settings.longitude > longitudeBound) settings.longitude = longitudeBound;
            return true;
        case kCmdLongitudeWest:
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

CommandState CommandUpdateRule(int command, const ChartSettings& settings) {
    const int mode = settings.displayMode;
    const bool plotsBodies = mode < ModeTwilight;
    const bool twilight = mode == ModeTwilight;
    const bool fixedZone = settings.zone.empty();
    auto checkable = [](bool enabled, bool checked) { return CommandState{enabled, true, checked}; };
    switch (command) {
        case kCmdModeNormal: return checkable(true, mode == ModeNormal);
        case kCmdModeSun: return checkable(true, mode == ModeSun);
        case kCmdModeMidnight: return checkable(true, mode == ModeMidnight);
        case kCmdModeTwilight: return checkable(true, mode == ModeTwilight);
        case kCmdCodeDiameter: return checkable(plotsBodies, plotsBodies && settings.codeByDiameter != 0);
        case kCmdCodeBrightness:
            return checkable(plotsBodies, plotsBodies && settings.codeByBrightness != 0);
        case kCmdCodeNone: return CommandState{plotsBodies, false, false};
        case kCmdShowMoon: return checkable(plotsBodies, settings.showMoon != 0);
        // Exact comparisons on purpose: an offset such as 1.5 from the file checks no zone.
        case kCmdZoneUt: return checkable(twilight, twilight && fixedZone && settings.timeZoneHours == 0.0);
        case kCmdZoneUtPlus1:
            return checkable(twilight, twilight && fixedZone && settings.timeZoneHours == 1.0);
        case kCmdZoneUtPlus2:
            return checkable(twilight, twilight && fixedZone && settings.timeZoneHours == 2.0);
        case kCmdZoneOther: return checkable(twilight, twilight && !fixedZone);
        // A named zone decides summer time itself; the flag's mark stays as it is.
        case kCmdSummerTime: return checkable(twilight && fixedZone, twilight && settings.summerTime != 0);
        case kCmdShowGrid: return checkable(true, settings.showGrid != 0);
        case kCmdShowDayLine: return checkable(true, settings.showDayLine != 0);
        default: return CommandState{};
    }
}

}  // namespace velmarin
