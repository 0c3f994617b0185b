#pragma once

#include "core/chart/chart_settings.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

// The angle a mode of the angle charts plots for a right ascension (or the
// Moon's node longitude), given the Sun's right ascension of the day: the
// right ascension itself, or the hour angle from the Sun (it lies at pi) or
// from the anti-Sun (the Sun at 0).
inline double ModeAngle(DisplayMode mode, double ra, double sunRa) {
    switch (mode) {
        case DisplayMode::Sun: return NormalizeAngle(ra + kPi - sunRa);
        case DisplayMode::Midnight: return NormalizeAngle(ra - sunRa);
        default: return ra;
    }
}

}  // namespace velmarin
