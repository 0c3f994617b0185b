#pragma once

#include <array>
#include <vector>

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/ephemeris/rise_set.h"
#include "core/ephemeris/year_inputs.h"

namespace velmarin {

// One civil day [local 00:00, 24:00).
struct VisibilityDay {
    int year = 2000;
    int month = 1;
    int day = 1;
    double utcOffsetHours = 0.0;
    double start = 0.0;  // Julian Day (UT) of the local midnight that begins the day
    double end = 0.0;    // ... and of the one that ends it
    std::array<BodyDayEvents, kBodyCount> bodies;
    TwilightInstants twilight;
    std::vector<TimeInterval> darkness;  // the Sun at or below -18 degrees
    double darknessHours = 0.0;
    double moonFreeDarknessHours = 0.0;  // darkness with the Moon below the horizon
};

// Every day of the year with the events of every body. The days are shared
// out among a few threads; the result does not depend on their number.
std::vector<VisibilityDay> ComputeVisibilityYear(const YearInputs& inputs);
std::vector<VisibilityDay> ComputeVisibilityYear(const YearInputs& inputs, int threads);

}  // namespace velmarin
