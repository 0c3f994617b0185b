#pragma once

#include <vector>

#include "core/ephemeris/moon_phase.h"

namespace velmarin {

// Marker styles of the lunar-phase layer.
enum PhaseMarkerStyle : int {
    kStyleNewMoon = 0, kStyleSolarEclipse = 10, kStyleFirstQuarter = 1,
    kStyleFullMoon = 2, kStyleLunarEclipse = 12, kStyleLastQuarter = 3,
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

}  // namespace velmarin
