#include "core/sky/twilight_sampling.h"

#include <algorithm>
#include <cmath>

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/horizon.h"
#include "core/ephemeris/run_beside.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

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
    return YearWorkerThreads();
}

namespace {

// The year's sampled days and clock, without the samples themselves.
TwilightSunYear SunYearFrame(const YearInputs& inputs) {
    TwilightSunYear sun;
    sun.clock = inputs;
    sun.clock.latitude = 0.0;
    sun.clock.longitude = 0.0;
    const double startJd = JulianDayFromDate(1, 1, inputs.year, 0.0);
    sun.dayJd.reserve(184);
    sun.dayOffsets.reserve(184);
    for (double jd = startJd;; jd += 2.0) {
        if (CalendarFromJulianDay(jd).year != inputs.year) break;
        sun.dayJd.push_back(jd);
        sun.dayOffsets.push_back(inputs.offsets.OfDay(jd).days);
    }
    // Each instant reads only the nutation of the first day, so days can be
    // shared out among workers, each with its own context, and still give
    // the values of one sequential pass.
    ComputeNutation(sun.nutation, startJd);
    sun.nutationHours = SiderealTimeParts(sun.nutation, startJd).nutationHours;
    return sun;
}

// The kTwilightSamplesPerDay samples of sampled day d.
void ComputeSunDay(const TwilightSunYear& sun, std::size_t d, EphemerisContext& context,
                   TwilightSunYear::Sample* day) {
    std::array<double, kTwilightSamplesPerDay> instants;
    for (int i = 0; i < kTwilightSamplesPerDay; ++i) {
        instants[i] = TwilightSampleInstant(sun, d, i);
        day[i].greenwichHours = GreenwichSiderealHours(instants[i]);
    }
    const auto exactAt = [&](int i) {
        const BodyPosition position = ComputeBodyPosition(context, BodyId::kSun, instants[i]);
        day[i].sunRa = position.ra;
        day[i].sinDeclination = std::sin(position.dec);
        day[i].cosDeclination = std::cos(position.dec);
    };
    exactAt(0);
    for (int from = 0; from < kTwilightSamplesPerDay - 1;) {
        const int to = std::min(from + kTwilightNodeStep, kTwilightSamplesPerDay - 1);
        exactAt(to);
        const TwilightSunYear::Sample& a = day[from];
        const TwilightSunYear::Sample& b = day[to];
        // The right ascension may wrap past 2 pi between nodes.
        double raStep = b.sunRa - a.sunRa;
        if (raStep > kPi) raStep -= 2.0 * kPi;
        if (raStep < -kPi) raStep += 2.0 * kPi;
        const double span = instants[to] - instants[from];
        for (int i = from + 1; i < to; ++i) {
            const double w = (instants[i] - instants[from]) / span;
            day[i].sunRa = a.sunRa + w * raStep;
            day[i].sinDeclination = a.sinDeclination + w * (b.sinDeclination - a.sinDeclination);
            day[i].cosDeclination = a.cosDeclination + w * (b.cosDeclination - a.cosDeclination);
        }
        from = to;
    }
}

}  // namespace

TwilightSunYear ComputeTwilightSunYear(const YearInputs& inputs, int threads) {
    TwilightSunYear sun = SunYearFrame(inputs);
    sun.samples.resize(sun.dayJd.size() * kTwilightSamplesPerDay);
    ParallelFor(sun.dayJd.size(), threads, kDaysPerTake, [&] {
        return [&, context = sun.nutation](std::size_t firstDay, std::size_t lastDay) mutable {
            for (std::size_t d = firstDay; d < lastDay; ++d)
                ComputeSunDay(sun, d, context, &sun.samples[d * kTwilightSamplesPerDay]);
        };
    });
    return sun;
}

double TwilightSampleInstant(const TwilightSunYear& sun, std::size_t day, int sample) {
    return sun.dayJd[day] + TwilightSampleHours()[sample] / 24.0 - sun.dayOffsets[day];
}

namespace {

// sin(altitude) of the band limits as the bands see them: above a geometric
// -0.01 rad refraction lifts the Sun above the horizon (band 0); below it the
// limits are the geometric -6, -12 and -18 degrees. asin of a value rounded
// past 1 is NaN, which counts as darkness: 1 is a limit too.
struct BandLimits {
    std::array<double, 5> sines;
};

const BandLimits& TwilightBandLimits() {
    static const BandLimits limits = [] {
        using fixed::kTwilightDegree;
        return BandLimits{{std::sin(-0.01), std::sin(-6.0 * kTwilightDegree), std::sin(-12.0 * kTwilightDegree),
                           std::sin(-18.0 * kTwilightDegree), 1.0}};
    }();
    return limits;
}

// The band of a sample whose sin(altitude) is known to within
// kTwilightSunTolerance, or -1 where that does not settle it.
int SettledBand(double sinAltitude) {
    const std::array<double, 5>& s = TwilightBandLimits().sines;
    for (const double limit : s)
        if (!(std::fabs(sinAltitude - limit) > kTwilightSunTolerance)) return -1;  // also NaN
    if (sinAltitude > s[0]) return 0;
    if (sinAltitude > s[1]) return 1;
    if (sinAltitude > s[2]) return 2;
    if (sinAltitude > s[3]) return 3;
    return 4;
}

}  // namespace

namespace {

// Most of a day lies far from every band limit: in bright day or deep
// night the Sun cannot reach a limit within half a node step of the nearest
// node, so the node's band is every such sample's band. Per sample of
// distance from the node, the hour angle moves by at most this (0.1 h of
// sidereal time, with room for the Sun's own motion), which moves
// sin(altitude) by at most cos(latitude) times as much.
constexpr double kHourAnglePerSample = 0.0264;
// Room for the declination's change over half a node step and rounding.
constexpr double kNodeReachSlack = 1e-3;

// Whether no band limit lies within `reach` of sinAltitude, with the
// settling tolerance on top: every value within reach then has its band.
bool ClearOfLimits(double sinAltitude, double reach) {
    for (const double limit : TwilightBandLimits().sines)
        if (!(std::fabs(sinAltitude - limit) > reach + kTwilightSunTolerance)) return false;  // also NaN
    return true;
}

// The bands of sampled day d at a place, from that day's samples.
void SampleDayAtPlace(const TwilightSunYear& sun, std::size_t d, const TwilightSunYear::Sample* samples,
                      double sinLatitude, double cosLatitude, double longitude, EphemerisContext& context,
                      TwilightDay& day) {
    const SiderealParts place{0.0, sun.nutationHours};
    day.jd = sun.dayJd[d];
    const auto sinAltitudeAt = [&](int i, double ra, double sinDeclination, double cosDeclination) {
        SiderealParts parts = place;
        parts.greenwichHours = samples[i].greenwichHours;
        const double localSidereal = LocalSiderealTimeAt(parts, longitude);
        // The altitude half of HorizontalFromEquatorial, with the latitude's
        // sine and cosine formed once.
        const double hourAngle = NormalizeAngle(localSidereal - ra);
        return sinDeclination * sinLatitude + cosDeclination * std::cos(hourAngle) * cosLatitude;
    };
    const auto bandAt = [&](int i) {
        const TwilightSunYear::Sample& s = samples[i];
        int band = SettledBand(sinAltitudeAt(i, s.sunRa, s.sinDeclination, s.cosDeclination));
        if (band < 0) {
            const BodyPosition exact = ComputeBodyPosition(context, BodyId::kSun, TwilightSampleInstant(sun, d, i));
            const double sinAltitude = sinAltitudeAt(i, exact.ra, std::sin(exact.dec), std::cos(exact.dec));
            band = TwilightBand(ApparentAltitude(std::asin(sinAltitude)));
        }
        return band;
    };
    const double reachPerSample = std::fabs(cosLatitude) * kHourAnglePerSample;
    // Each node's sin(altitude) and band; the samples nearest a node clear
    // of the limits take its band.
    int node = 0;
    double nodeSin = 0.0;
    int nodeBand = -1;
    const auto visitNode = [&](int i) {
        const TwilightSunYear::Sample& s = samples[i];
        node = i;
        nodeSin = sinAltitudeAt(i, s.sunRa, s.sinDeclination, s.cosDeclination);
        nodeBand = bandAt(i);
    };
    visitNode(0);
    double sunshine = 0.0;
    double darkness = 0.0;
    for (int i = 0; i < kTwilightSamplesPerDay; ++i) {
        // The node nearest i: this one until halfway to the next.
        const int next = std::min(node + kTwilightNodeStep, kTwilightSamplesPerDay - 1);
        if (i > node && 2 * i > node + next) visitNode(next);
        int band = nodeBand;
        if (i != node && !ClearOfLimits(nodeSin, kNodeReachSlack + reachPerSample * std::abs(i - node))) {
            band = bandAt(i);
        }
        day.bands[i] = static_cast<std::uint8_t>(band);
        if (band == 0) sunshine += 0.1;
        if (band == 4) darkness += 0.1;
    }
    day.sunshineHours = sunshine;
    day.darknessHours = darkness;
}

}  // namespace

std::vector<TwilightDay> SampleTwilightPlace(const TwilightSunYear& sun, double latitude,
                                             double longitude, int threads) {
    std::vector<TwilightDay> days(sun.dayJd.size());
    const double sinLatitude = std::sin(latitude);
    const double cosLatitude = std::cos(latitude);
    ParallelFor(days.size(), threads, kDaysPerTake, [&] {
        return [&, context = sun.nutation](std::size_t firstDay, std::size_t lastDay) mutable {
            for (std::size_t d = firstDay; d < lastDay; ++d)
                SampleDayAtPlace(sun, d, &sun.samples[d * kTwilightSamplesPerDay], sinLatitude, cosLatitude,
                                 longitude, context, days[d]);
        };
    });
    return days;
}

std::vector<TwilightDay> SampleTwilightYear(const YearInputs& inputs) {
    return SampleTwilightYear(inputs, TwilightThreads());
}

std::vector<TwilightDay> SampleTwilightYear(const YearInputs& inputs, int threads) {
    // One place only: each day's samples live on the worker's stack, not in
    // a year-long table (whose fresh pages cost more than computing them).
    const TwilightSunYear sun = SunYearFrame(inputs);
    std::vector<TwilightDay> days(sun.dayJd.size());
    const double sinLatitude = std::sin(inputs.latitude);
    const double cosLatitude = std::cos(inputs.latitude);
    ParallelFor(days.size(), threads, kDaysPerTake, [&] {
        return [&, context = sun.nutation](std::size_t firstDay, std::size_t lastDay) mutable {
            std::array<TwilightSunYear::Sample, kTwilightSamplesPerDay> samples;
            for (std::size_t d = firstDay; d < lastDay; ++d) {
                ComputeSunDay(sun, d, context, samples.data());
                SampleDayAtPlace(sun, d, samples.data(), sinLatitude, cosLatitude, inputs.longitude, context,
                                 days[d]);
            }
        };
    });
    return days;
}

}  // namespace velmarin
