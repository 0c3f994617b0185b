#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "core/ephemeris/civil_offsets.h"
#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/year_inputs.h"

namespace velmarin {

inline constexpr int kTwilightSamplesPerDay = 240;  // local time 0.0 .. 23.9 h

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

// Leaves elements of a resized vector uninitialised: the workers write every
// one of them, and zeroing a year's samples first costs a tenth of the work.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    template <typename U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

// The half of a year's sampling that does not depend on the place: the
// sampled instants (set by the year and the clock) with the Sun's position
// and the place-free part of the sidereal time at each. A new place needs
// only SampleTwilightPlace.
//
// The Sun is computed exactly every kTwilightNodeStep samples and at each
// day's last sample; between these nodes its right ascension and the sine and
// cosine of its declination are interpolated, far within
// kTwilightSunTolerance. SampleTwilightPlace settles a band from them only
// where that tolerance cannot change it, and computes the Sun exactly for the
// few samples that lie that close to a band limit: the bands are those of
// exact positions at every sample, to the bit.
inline constexpr int kTwilightNodeStep = 12;
inline constexpr double kTwilightSunTolerance = 2e-6;  // in sin(altitude)

struct TwilightSunYear {
    struct Sample {  // no initialisers: see UninitialisedAllocator
        double greenwichHours;  // SiderealParts::greenwichHours, exact
        double sunRa;           // rad, interpolated between nodes
        double sinDeclination;  // interpolated between nodes
        double cosDeclination;  // interpolated between nodes
    };
    YearInputs clock;         // the inputs it was made for, place set to 0
    EphemerisContext nutation;    // the first day's nutation, which every instant uses
    double nutationHours = 0.0;   // the same for every instant of the year
    std::vector<double> dayJd;    // 0 h of each sampled day
    std::vector<double> dayOffsets;  // civil time's offset of each sampled day, in days
    std::vector<Sample, UninitialisedAllocator<Sample>> samples;  // kTwilightSamplesPerDay per day, day after day
};
TwilightSunYear ComputeTwilightSunYear(const YearInputs& inputs, int threads);
// The instant (JD, UT) of sample `sample` of sampled day `day`.
double TwilightSampleInstant(const TwilightSunYear& sun, std::size_t day, int sample);
// The days of SampleTwilightYear for the place of `inputs` (latitude and
// longitude only; the rest comes from `sun`).
std::vector<TwilightDay> SampleTwilightPlace(const TwilightSunYear& sun, double latitude,
                                             double longitude, int threads);
// The worker count SampleTwilightYear uses: one per core, at most four.
int TwilightThreads();

// Every second day of the year from 1 January, as the twilight chart samples them.
// The days are shared out among a few threads (one per core, at most four);
// the result is the same, bit for bit, whatever the number of threads.
std::vector<TwilightDay> SampleTwilightYear(const YearInputs& inputs);
// The same with `threads` workers, the calling thread among them (1: all on
// the calling thread).
std::vector<TwilightDay> SampleTwilightYear(const YearInputs& inputs, int threads);

}  // namespace velmarin
