#pragma once

#include <cmath>

#include "core/ephemeris/fixed_numbers.h"

namespace velmarin {

// The root search of the event instants: the exact rise, set, transit and
// twilight search (rise_set) and the twilight chart's passes both find their
// instants here, to the same stated tolerance.

// Every event instant is found to within a second of time.
inline constexpr double kEventToleranceDays = 1.0 / 86400.0;

// Angle reduced to (-pi, pi]: the offset of an hour angle from its target.
inline double SignedAngle(double x) {
    double r = std::remainder(x, 2.0 * kPi);
    if (r <= -kPi) r += 2.0 * kPi;
    return r;
}

// Given: f continuous on [a, b] (Julian Days), fa = f(a) and fb = f(b) of
// different sign.
// Returned: an instant within kEventToleranceDays of a root of f in [a, b]:
// the bracket is narrowed below half the tolerance and its middle taken, or
// an exact zero of f where one is met.
// Notes: the Illinois variant of false position (the end that stays has its
// value halved, so both ends keep moving); a step that would leave the
// bracket bisects instead. At most 100 steps.
template <typename F>
double FindBracketedRoot(F f, double a, double fa, double b, double fb) {
    int side = 0;
    for (int i = 0; i < 100 && b - a > 0.5 * kEventToleranceDays; ++i) {
        double c = (a * fb - b * fa) / (fb - fa);
        if (!(c > a && c < b)) c = 0.5 * (a + b);
        const double fc = f(c);
        if (fc == 0.0) return c;
        if ((fc < 0.0) == (fa < 0.0)) {
            a = c;
            fa = fc;
            if (side == -1) fb /= 2.0;
            side = -1;
        } else {
            b = c;
            fb = fc;
            if (side == 1) fa /= 2.0;
            side = 1;
        }
    }
    return 0.5 * (a + b);
}

// Given: a first guess t (Julian Day) and newtonStep(t), the Newton step
// (days) from t towards the root, already divided by the rate.
// Returned: t after the first step smaller than kEventToleranceDays (that
// step taken), or after mostSteps steps.
// Notes: for smooth functions near their root (an hour angle against its
// target), where a bracket would cost more evaluations than it saves.
template <typename Step>
double NewtonRoot(double t, Step newtonStep, int mostSteps) {
    for (int i = 0; i < mostSteps; ++i) {
        const double step = newtonStep(t);
        t -= step;
        if (std::fabs(step) < kEventToleranceDays) break;
    }
    return t;
}

}  // namespace velmarin
