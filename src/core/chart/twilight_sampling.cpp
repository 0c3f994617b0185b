#include "core/chart/twilight_sampling.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <system_error>
#include <thread>

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/horizon.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

// Only the nutation set at the start is read back from the context; the
// Sun's values each call leaves behind are never read again.
struct SunAltitudeSampler {
    EphemerisContext context;
    double longitude;
    double sinLatitude;
    double cosLatitude;

    // Apparent altitude of the Sun (rad) at UT instant t.
    double AltitudeAt(double t) {
        const BodyPosition sun = ComputeBodyPosition(context, kSun, t);
        LocalSiderealTime(context, t, longitude);
        const double hourAngle = NormalizeAngle(context.localSiderealTime - sun.ra);
        // The altitude half of HorizontalFromEquatorial, with the
        // latitude's sine and cosine formed once.
        const double sinAltitude = std::sin(sun.dec) * sinLatitude +
                                   std::cos(sun.dec) * std::cos(hourAngle) * cosLatitude;
        return ApparentAltitude(std::asin(sinAltitude));
    }
};

// One day's 240 samples with the day's civil time zone tz (days).
void SampleDay(SunAltitudeSampler& sampler, double tz, TwilightDay& day) {
    const std::array<double, kTwilightSamplesPerDay>& hours = TwilightSampleHours();
    double sunshine = 0.0;
    double darkness = 0.0;
    for (int i = 0; i < kTwilightSamplesPerDay; ++i) {
        const double t = day.jd + hours[i] / 24.0 - tz;
        const int band = TwilightBand(sampler.AltitudeAt(t));
        day.bands[i] = static_cast<std::uint8_t>(band);
        if (band == 0) sunshine += 0.1;
        if (band == 4) darkness += 0.1;
    }
    day.sunshineHours = sunshine;
    day.darknessHours = darkness;
}

}  // namespace

const std::array<double, kTwilightSamplesPerDay>& TwilightSampleHours() {
    static const std::array<double, kTwilightSamplesPerDay> hours = [] {
        std::array<double, kTwilightSamplesPerDay> h{};
        // Accumulated, not multiplied: 0.1 has no exact binary form and the
        // chart's samples are the running sums.
        double hour = 0.0;
        for (double& value : h) {
            value = hour;
            hour += 0.1;
        }
        return h;
    }();
    return hours;
}

std::vector<TwilightDay> SampleTwilightYear(const TwilightInputs& inputs) {
    // Two workers already halve the wait on a dual-core machine; more than a
    // few only add start-up cost for a 184-day year.
    const unsigned cores = std::thread::hardware_concurrency();
    return SampleTwilightYear(inputs, static_cast<int>(std::clamp(cores, 1u, 4u)));
}

std::vector<TwilightDay> SampleTwilightYear(const TwilightInputs& inputs, int threads) {
    const double startJd = JulianDayFromDate(1, 1, inputs.year, 0.0);
    std::vector<TwilightDay> days;
    std::vector<double> dayOffsets;  // civil time's offset of each day, in days
    days.reserve(184);
    dayOffsets.reserve(184);
    for (double jd = startJd;; jd += 2.0) {
        if (CalendarFromJulianDay(jd).year != inputs.year) break;
        TwilightDay day;
        day.jd = jd;
        days.push_back(day);
        dayOffsets.push_back(inputs.offsets.OfDay(jd).days);
    }

    // Each day reads only the nutation of the first day and the Sun values of
    // its own instants, so days can be shared out among workers, each with
    // its own context, and still give the values of one sequential pass.
    // Workers take the next few days as they get free: a worker the system
    // starts late then simply does less.
    constexpr std::size_t kDaysPerTake = 4;
    const std::size_t count = days.size();
    std::atomic<std::size_t> nextDay{0};
    const auto sampleDays = [&] {
        SunAltitudeSampler sampler{EphemerisContext{}, inputs.longitude, std::sin(inputs.latitude),
                                   std::cos(inputs.latitude)};
        ComputeNutation(sampler.context, startJd);
        for (;;) {
            const std::size_t first = nextDay.fetch_add(kDaysPerTake);
            if (first >= count) return;
            const std::size_t last = std::min(first + kDaysPerTake, count);
            for (std::size_t k = first; k < last; ++k) SampleDay(sampler, dayOffsets[k], days[k]);
        }
    };

    const std::size_t workers = std::min(static_cast<std::size_t>(std::max(threads, 1)),
                                         std::max<std::size_t>(count / kDaysPerTake, 1));
    std::vector<std::thread> pool;
    for (std::size_t w = 1; w < workers; ++w) {
        try {
            pool.emplace_back(sampleDays);
        } catch (const std::system_error&) {
            break;  // no thread to be had: the others do its share
        }
    }
    sampleDays();
    for (std::thread& worker : pool) worker.join();
    return days;
}

}  // namespace velmarin
