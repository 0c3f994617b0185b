#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/ephemeris/civil_offsets.h"

namespace velmarin {

inline constexpr int kTwilightSamplesPerDay = 240;  // local time 0.0 .. 23.9 h

struct TwilightInputs {
    int year = 2000;
    double latitude = 0.0;       // rad, north positive
    double longitude = 0.0;      // rad, east positive
    // Civil time of every day of `year` (FixedZoneOffsets, ZoneOffsets);
    // a day the table lacks counts as UT.
    YearOffsets offsets;
    bool operator==(const TwilightInputs&) const = default;
};

struct TwilightDay {
    double jd = 0.0;             // 0 h of the sampled day
    double sunshineHours = 0.0;  // as accumulated, before the curve's 0.05 h adjustment
    double darknessHours = 0.0;
    // Band of each 0.1 h sample of local time: 0 day, 1 civil, 2 nautical,
    // 3 astronomical twilight, 4 darkness.
    std::array<std::uint8_t, kTwilightSamplesPerDay> bands{};
};

// Local times of the samples, accumulated by adding 0.1 as the chart does
// (the chart plots each sample at the angle of 24 - h).
const std::array<double, kTwilightSamplesPerDay>& TwilightSampleHours();

// The half of a year's sampling that does not depend on the place: the
// sampled instants (set by the year and the clock) with the Sun's position
// and the place-free part of the sidereal time at each. A new place needs
// only SampleTwilightPlace.
struct TwilightSunYear {
    struct Sample {
        double greenwichHours = 0.0;  // SiderealParts::greenwichHours
        double sunRa = 0.0;           // rad
        double sinDeclination = 0.0;
        double cosDeclination = 0.0;
    };
    TwilightInputs clock;         // the inputs it was made for, place set to 0
    double nutationHours = 0.0;   // the same for every instant of the year
    std::vector<double> dayJd;    // 0 h of each sampled day
    std::vector<Sample> samples;  // kTwilightSamplesPerDay per day, day after day
};
TwilightSunYear ComputeTwilightSunYear(const TwilightInputs& inputs, int threads);
// The days of SampleTwilightYear for the place of `inputs` (latitude and
// longitude only; the rest comes from `sun`).
std::vector<TwilightDay> SampleTwilightPlace(const TwilightSunYear& sun, double latitude,
                                             double longitude, int threads);
// The worker count SampleTwilightYear uses: one per core, at most four.
int TwilightThreads();

// Every second day of the year from 1 January, as the twilight chart samples them.
// The days are shared out among a few threads (one per core, at most four);
// the result is the same, bit for bit, whatever the number of threads.
std::vector<TwilightDay> SampleTwilightYear(const TwilightInputs& inputs);
// The same with `threads` workers, the calling thread among them (1: all on
// the calling thread).
std::vector<TwilightDay> SampleTwilightYear(const TwilightInputs& inputs, int threads);

}  // namespace velmarin
