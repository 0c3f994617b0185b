#include "core/ephemeris/moon_phase.h"

#include <algorithm>
#include <cmath>

#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

constexpr double kPhaseEpochJd = 2415020.0;
constexpr double kLunationsPerDay = 0.033863107;

// Correction series for new and full moon, days.
double SyzygyCorrection(double t, double m, double mp, double g) {
    return (0.1734 - 0.000393 * t) * std::sin(m) + 0.0021 * std::sin(2.0 * m) - 0.4068 * std::sin(mp) +
           0.0161 * std::sin(2.0 * mp) - 0.0004 * std::sin(3.0 * mp) + 0.0104 * std::sin(g) -
           0.0051 * std::sin(m + mp) - 0.0074 * std::sin(m - mp) + 0.0004 * std::sin(g + m) -
           0.0004 * std::sin(g - m) - 0.0006 * std::sin(g + mp) + 0.001 * std::sin(g - mp) +
           0.0005 * std::sin(3.0 * m);
}

// Correction series for the two quarters, days.
double QuarterCorrection(double t, double m, double mp, double g) {
    return (0.1721 - 0.0004 * t) * std::sin(m) + 0.0021 * std::sin(2.0 * m) - 0.628 * std::sin(mp) +
           0.0089 * std::sin(2.0 * mp) - 0.0004 * std::sin(3.0 * mp) + 0.0079 * std::sin(g) -
           0.0119 * std::sin(m + mp) - 0.0047 * std::sin(m - mp) + 0.0003 * std::sin(g + m) -
           0.0004 * std::sin(g - m) - 0.0006 * std::sin(g + mp) + 0.0021 * std::sin(g - mp) +
           0.0003 * std::sin(m + 2.0 * mp) + 0.0004 * std::sin(m - 2.0 * mp) -
           0.0003 * std::sin(2.0 * m + mp);
}

// Where the formula puts lunation k, days: its mean phase without the fixed
// 0.7593 d, the reference the linear starting count is measured against.
double LunationAnchor(double k) {
    const double t = k / 1236.85;
    const double t2 = t * t;
    const double a = std::sin(2.907020402 + 2.319018977 * t - 0.000160099 * t2);
    return 29.0 * k + kPhaseEpochJd + 0.00033 * a + 0.0001178 * t2 + 0.53058868 * k - 0.000000155 * t2 * t;
}

// The phase of lunation count k (whole for new moon, plus a quarter per kind).
MoonPhaseResult PhaseOfCount(double k, int kind) {
    const double t = k / 1236.85;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double a = std::sin(2.907020402 + 2.319018977 * t - 0.000160099 * t2);
    const double b = 0.00033 * a + 0.0001178 * t2 + 0.53058868 * k - 0.000000155 * t3;
    const double m = NormalizeAngle(6.269645043 + 0.507984293 * k - 0.0000005811946 * t2 - 0.000000060563 * t3);
    const double mp = NormalizeAngle(5.341149079 + 6.733775529 * k + 0.000187284 * t2 + 0.0000002157227 * t3);
    const double f = NormalizeAngle(0.371692298 + 6.818486627 * k - 0.000028846802 * t2 - 0.00000004171337 * t3);
    const double g = 2.0 * f;
    const bool syzygy = kind == kNewMoon || kind == kFullMoon;
    const double c = syzygy ? SyzygyCorrection(t, m, mp, g) : QuarterCorrection(t, m, mp, g);
    MoonPhaseResult result;
    result.jd = 29.0 * k + 2415020.7593 + b + c;
    result.sunMeanAnomaly = m;
    result.moonMeanAnomaly = mp;
    return result;
}

// The linear count drifts from the formula's lunations by the T^2 and T^3
// terms: 0.2 d by 2100, whole lunations some thousand years away. Where it
// agrees with the formula to this many days it is kept, so the centuries
// around 1900 keep their results to the bit.
constexpr double kCountAgreementDays = 0.5;

// Far from 1900 the count comes from the formula itself: the first lunation
// of this kind whose instant lies after jd. There the T terms of the
// correction series reach several days, so the instant, not the mean phase,
// keeps the kinds in cycle when the next one is sought a few days on.
double FormulaCount(double jd, int kind, double quarter) {
    // Newton's method on the anchor, which rises by 29.5 +- 0.04 d per
    // lunation over all accepted years ...
    double k = (jd - kPhaseEpochJd) * kLunationsPerDay;
    for (int i = 0; i < 60; ++i) {
        const double t = k / 1236.85;
        const double slope = 29.53058868 + (2.0 * 0.0001178 * t - 3.0 * 0.000000155 * t * t) / 1236.85;
        const double step = (LunationAnchor(k) - jd) / slope;
        k -= step;
        if (!(std::fabs(step) > 1e-3)) break;
    }
    // ... then onto this kind's lattice and past the corrections, which move
    // an instant by less than a lunation.
    k = FloorValue(k - quarter) + quarter;
    for (int i = 0; i < 4 && PhaseOfCount(k, kind).jd <= jd; ++i) k += 1.0;
    for (int i = 0; i < 4 && PhaseOfCount(k - 1.0, kind).jd > jd; ++i) k -= 1.0;
    return k;
}

// Distance of two angles on the circle, rad, [0, pi].
double CircularDistance(double a, double b) {
    const double d = NormalizeAngle(a - b);
    return std::min(d, 2.0 * kPi - d);
}

}  // namespace

MoonPhaseResult FindMoonPhase(double jd, int kind) {
    const double quarter = kind * 0.25;
    // Floor, not truncation: before 1900 the count is negative and a
    // truncated one would land a whole lunation late.
    const double linear = FloorValue((jd - kPhaseEpochJd) * kLunationsPerDay - quarter) + quarter + 1.0;
    const bool agrees = LunationAnchor(linear) > jd - kCountAgreementDays &&
                        LunationAnchor(linear - 1.0) <= jd + kCountAgreementDays;
    return PhaseOfCount(agrees ? linear : FormulaCount(jd, kind, quarter), kind);
}

bool MoonNearNode(double angle, double nodeLongitude, double limitDegrees) {
    const double toNode = CircularDistance(nodeLongitude, angle) * 180.0 / kPi;
    const double toOppositeNode = CircularDistance(NormalizeAngle(nodeLongitude + kPi), angle) * 180.0 / kPi;
    return toNode < limitDegrees || toOppositeNode < limitDegrees;
}

}  // namespace velmarin
