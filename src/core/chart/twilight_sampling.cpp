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

// Runs work(first, last) over [0, count) in takes of a few items, on up to
// `threads` workers with the calling thread among them. Workers take the
// next items as they get free: a worker the system starts late simply does
// less. makeWorker() gives each worker its own state.
template <typename MakeWorker>
void ShareOut(std::size_t count, int threads, std::size_t perTake, MakeWorker makeWorker) {
    std::atomic<std::size_t> next{0};
    const auto run = [&] {
        auto work = makeWorker();
        for (;;) {
            const std::size_t first = next.fetch_add(perTake);
            if (first >= count) return;
            work(first, std::min(first + perTake, count));
        }
    };
    const std::size_t workers = std::min(static_cast<std::size_t>(std::max(threads, 1)),
                                         std::max<std::size_t>(count / perTake, 1));
    std::vector<std::thread> pool;
    for (std::size_t w = 1; w < workers; ++w) {
        try {
            pool.emplace_back(run);
        } catch (const std::system_error&) {
            break;  // no thread to be had: the others do its share
        }
    }
    run();
    for (std::thread& worker : pool) worker.join();
}

constexpr std::size_t kDaysPerTake = 4;

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

int TwilightThreads() {
    // Two workers already halve the wait on a dual-core machine; more than a
    // few only add start-up cost for a 184-day year.
    const unsigned cores = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp(cores, 1u, 4u));
}

TwilightSunYear ComputeTwilightSunYear(const TwilightInputs& inputs, int threads) {
    TwilightSunYear sun;
    sun.clock = inputs;
    sun.clock.latitude = 0.0;
    sun.clock.longitude = 0.0;
    const double startJd = JulianDayFromDate(1, 1, inputs.year, 0.0);
    std::vector<double> dayOffsets;  // civil time's offset of each day, in days
    sun.dayJd.reserve(184);
    dayOffsets.reserve(184);
    for (double jd = startJd;; jd += 2.0) {
        if (CalendarFromJulianDay(jd).year != inputs.year) break;
        sun.dayJd.push_back(jd);
        dayOffsets.push_back(inputs.offsets.OfDay(jd).days);
    }
    sun.samples.resize(sun.dayJd.size() * kTwilightSamplesPerDay);

    // Each instant reads only the nutation of the first day, so days can be
    // shared out among workers, each with its own context, and still give
    // the values of one sequential pass.
    EphemerisContext first;
    ComputeNutation(first, startJd);
    sun.nutationHours = SiderealTimeParts(first, startJd).nutationHours;
    const std::array<double, kTwilightSamplesPerDay>& hours = TwilightSampleHours();
    ShareOut(sun.dayJd.size(), threads, kDaysPerTake, [&] {
        return [&, context = first](std::size_t firstDay, std::size_t lastDay) mutable {
            for (std::size_t d = firstDay; d < lastDay; ++d) {
                for (int i = 0; i < kTwilightSamplesPerDay; ++i) {
                    const double t = sun.dayJd[d] + hours[i] / 24.0 - dayOffsets[d];
                    const BodyPosition position = ComputeBodyPosition(context, kSun, t);
                    TwilightSunYear::Sample& sample = sun.samples[d * kTwilightSamplesPerDay + i];
                    sample.greenwichHours = SiderealTimeParts(context, t).greenwichHours;
                    sample.sunRa = position.ra;
                    sample.sinDeclination = std::sin(position.dec);
                    sample.cosDeclination = std::cos(position.dec);
                }
            }
        };
    });
    return sun;
}

std::vector<TwilightDay> SampleTwilightPlace(const TwilightSunYear& sun, double latitude,
                                             double longitude, int threads) {
    std::vector<TwilightDay> days(sun.dayJd.size());
    const SiderealParts place{0.0, sun.nutationHours};
    const double sinLatitude = std::sin(latitude);
    const double cosLatitude = std::cos(latitude);
    ShareOut(days.size(), threads, kDaysPerTake, [&] {
        return [&](std::size_t firstDay, std::size_t lastDay) {
            for (std::size_t d = firstDay; d < lastDay; ++d) {
                TwilightDay& day = days[d];
                day.jd = sun.dayJd[d];
                double sunshine = 0.0;
                double darkness = 0.0;
                for (int i = 0; i < kTwilightSamplesPerDay; ++i) {
                    const TwilightSunYear::Sample& s = sun.samples[d * kTwilightSamplesPerDay + i];
                    SiderealParts parts = place;
                    parts.greenwichHours = s.greenwichHours;
                    const double hourAngle = NormalizeAngle(LocalSiderealTimeAt(parts, longitude) - s.sunRa);
                    // The altitude half of HorizontalFromEquatorial, with the
                    // latitude's sine and cosine formed once.
                    const double sinAltitude = s.sinDeclination * sinLatitude +
                                               s.cosDeclination * std::cos(hourAngle) * cosLatitude;
                    const int band = TwilightBand(ApparentAltitude(std::asin(sinAltitude)));
                    day.bands[i] = static_cast<std::uint8_t>(band);
                    if (band == 0) sunshine += 0.1;
                    if (band == 4) darkness += 0.1;
                }
                day.sunshineHours = sunshine;
                day.darknessHours = darkness;
            }
        };
    });
    return days;
}

std::vector<TwilightDay> SampleTwilightYear(const TwilightInputs& inputs) {
    return SampleTwilightYear(inputs, TwilightThreads());
}

std::vector<TwilightDay> SampleTwilightYear(const TwilightInputs& inputs, int threads) {
    return SampleTwilightPlace(ComputeTwilightSunYear(inputs, threads), inputs.latitude,
                               inputs.longitude, threads);
}

}  // namespace velmarin
