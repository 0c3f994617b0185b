#pragma once

#include <bitset>
#include <vector>

#include "core/ephemeris/civil_offsets.h"
#include "core/ephemeris/rise_set.h"
#include "core/sky/twilight_sampling.h"

namespace velmarin {

// The Moon over the twilight chart's samples.
struct MoonlitNight {
    // Per sampled day, per sample: the Moon's upper limb above the horizon.
    std::vector<std::bitset<kTwilightSamplesPerDay>> moonUp;
    // Per sampled day: hours of darkness with the Moon down, counted in the
    // chart's 0.1 h samples as its darkness curve is.
    std::vector<double> moonFreeDarknessHours;
};
MoonlitNight MoonlitSamples(const std::vector<TwilightDay>& days, const std::vector<TimeInterval>& moonUp,
                            const YearOffsets& offsets);

}  // namespace velmarin
