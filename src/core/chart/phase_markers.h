#pragma once

#include <vector>

#include "core/chart/surface.h"
#include "core/ephemeris/moon_phase.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

// Marker styles of the lunar-phase layer.
enum PhaseMarkerStyle : int {
    kStyleNewMoon = 0, kStyleSolarEclipse = 10, kStyleFirstQuarter = 1,
    kStyleFullMoon = 2, kStyleLunarEclipse = 12, kStyleLastQuarter = 3,
};

// How each marker style looks and reads: the chart draws it in `color`, the
// readout recognises that colour, dates it by the phase `kind` and names it
// `label` (UTF-8), as does the phases command. Rows in the readout's order.
struct PhaseMarkerLook {
    int style;  // PhaseMarkerStyle
    int kind;   // MoonPhaseKind
    Color color;
    const char* label;
};
inline constexpr PhaseMarkerLook kPhaseMarkerLooks[] = {
    {kStyleNewMoon, kNewMoon, Rgb(1, 1, 1), GermanText(TextId::PhaseNewMoon)},
    {kStyleFirstQuarter, kFirstQuarter, Rgb(200, 200, 200), GermanText(TextId::PhaseFirstQuarter)},
    {kStyleFullMoon, kFullMoon, Rgb(250, 250, 250), GermanText(TextId::PhaseFullMoon)},
    {kStyleLastQuarter, kLastQuarter, Rgb(190, 190, 190), GermanText(TextId::PhaseLastQuarter)},
    {kStyleSolarEclipse, kNewMoon, Rgb(240, 0, 0), GermanText(TextId::PhaseSolarEclipse)},
    {kStyleLunarEclipse, kFullMoon, Rgb(250, 0, 0), GermanText(TextId::PhaseLunarEclipse)},
};

// Limit (degrees of ecliptic longitude) within which a new or full moon
// counts as a possible eclipse.
inline constexpr double kEclipseLimitDegrees = 17.0;

struct PhaseMarker {
    int kind = 0;            // MoonPhaseKind
    int style = 0;           // PhaseMarkerStyle
    double jd = 0.0;         // instant of the phase, UT
    double sunRa = 0.0;      // rad, Sun at the instant
    double moonRa = 0.0;     // rad, Moon at the instant
    double moonLongitude = 0.0;  // rad, Moon's ecliptic longitude at the instant
    double nodeLongitude = 0.0;  // rad, Moon's node at the instant
    bool eclipse = false;
};

// The markers the chart of `year` draws, in drawing order: the search starts
// 35 days before 1 January and keeps only phases whose instant lies in `year`.
std::vector<PhaseMarker> SearchPhaseMarkers(int year);

// The row of kPhaseMarkerLooks for a style, or nothing for an unknown style.
const PhaseMarkerLook* FindPhaseMarkerLook(int style);
// German name of a marker style ("Neumond", "mögl. Sonnenfinsternis", ...);
// "" for an unknown style.
const char* PhaseMarkerLabel(int style);
// Fill colour of a marker style; kInvalidColor for an unknown style.
Color PhaseMarkerColor(int style);

}  // namespace velmarin
