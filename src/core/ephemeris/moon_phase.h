#pragma once

namespace velmarin {

enum MoonPhaseKind : int { kNewMoon = 0, kFirstQuarter = 1, kFullMoon = 2, kLastQuarter = 3 };

struct MoonPhaseResult {
    double jd = 0.0;               // instant of the phase, UT
    double sunMeanAnomaly = 0.0;   // rad, [0, 2pi)
    double moonMeanAnomaly = 0.0;  // rad, [0, 2pi)
};
// The phase of `kind` of the first lunation whose mean phase lies after jd.
MoonPhaseResult FindMoonPhase(double jd, int kind);

// True when `angle` lies within limitDegrees of either node (node or
// node + pi), measured on the circle.
bool MoonNearNode(double angle, double nodeLongitude, double limitDegrees);

}  // namespace velmarin
