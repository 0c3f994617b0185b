#pragma once

#include <string>
#include <vector>

#include "core/ephemeris/fixed_numbers.h"

namespace velmarin {

// Full-precision degree factor of the settings file and the location commands.
inline constexpr double degToRad = fixed::kExactPi / 180.0;

// What the chart plots; the numbers are those of the settings file.
enum class DisplayMode : int { Normal = 0, Sun = 1, Midnight = 2, Twilight = 3 };

// The user's chart choices; the main frame owns the one instance. The
// settings file holds the switches as numbers; any other than 0 is on
// (settings_file.h reads and writes them).
struct ChartSettings {
    bool codeByDiameter = false;
    bool codeByBrightness = false;
    DisplayMode displayMode = DisplayMode::Normal;  // may hold any number a file gave
    bool showDayLine = true;
    int reservedFlag = 0;  // no switch: whatever number the file holds, carried through unchanged
    bool showGrid = true;
    bool showMoon = true;
    double latitude = 52.0 * degToRad;   // rad, north positive
    double longitude = 9.8 * degToRad;   // rad, east positive
    double timeZoneHours = 1.0;
    bool summerTime = true;  // never saved; on at every start
    int windowWidth = 1212;
    int windowHeight = 800;
    // Extensions, kept in the settings file's extension lines.
    std::string zone;       // "AREA/CITY" of the zone database; empty: timeZoneHours and summerTime
    bool showPlanets = false;
    bool showMoonlight = false;
    // Extension lines of keywords this version does not know, written back as they were.
    std::vector<std::string> otherExtensionLines;

    bool operator==(const ChartSettings&) const = default;
};

// The printer's default orientation follows the saved window's shape: landscape
// when the window is wider than tall.
inline bool LandscapeByDefault(const ChartSettings& settings) {
    return settings.windowHeight < settings.windowWidth;
}

// A display mode usable for drawing: values outside 0..3 (as a damaged
// settings file may hold) count as DisplayMode::Normal.
DisplayMode EffectiveDisplayMode(DisplayMode displayMode);

// Reads the clock: returns the current local calendar year and sets todayJd
// to the Julian Day of today's local date at 0 h.
int CurrentYearAndToday(double& todayJd);

}  // namespace velmarin
