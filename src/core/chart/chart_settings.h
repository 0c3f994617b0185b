#pragma once

#include <string>
#include <vector>

#include "core/ephemeris/fixed_numbers.h"

namespace velmarin {

// Full-precision degree factor of the settings file and the location commands.
inline constexpr double degToRad = fixed::kExactPi / 180.0;

// What the chart plots; the numbers are those of the settings file.
enum class DisplayMode : int { Normal = 0, Sun = 1, Midnight = 2, Twilight = 3 };

// The user's chart choices; the main frame owns the one instance.
struct ChartSettings {
    int codeByDiameter = 0;
    int codeByBrightness = 0;
    DisplayMode displayMode = DisplayMode::Normal;  // may hold any number a file gave
    int showDayLine = 1;
    int reservedFlag = 0;  // carried through the settings file unchanged
    int showGrid = 1;
    int showMoon = 1;
    double latitude = 52.0 * degToRad;   // rad, north positive
    double longitude = 9.8 * degToRad;   // rad, east positive
    double timeZoneHours = 1.0;
    int summerTime = 1;    // never saved; 1 at every start
    int windowWidth = 1212;
    int windowHeight = 800;
    // Extensions, kept in the settings file's extension lines.
    std::string zone;       // "AREA/CITY" of the zone database; empty: timeZoneHours and summerTime
    int showPlanets = 0;
    int showMoonlight = 0;
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
