#include "chart/twilight_sampling.h"

#include <cmath>

#include "ephemeris/body_position.h"
#include "ephemeris/horizon.h"
#include "ephemeris/time_calendar.h"

namespace velmarin {

namespace {

// Lunar phases aside, nothing else reads the context: one per year keeps
// the sequence of values the chart would see.
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
    std::vector<TwilightDay> days;
    days.reserve(184);
    SunAltitudeSampler sampler{EphemerisContext{}, inputs.longitude, std::sin(inputs.latitude),
                               std::cos(inputs.latitude)};
    const double startJd = JulianDayFromDate(1, 1, inputs.year, 0.0);
    ComputeNutation(sampler.context, startJd);
    ComputeBodyPosition(sampler.context, kSun, startJd);
    const std::array<double, kTwilightSamplesPerDay>& hours = TwilightSampleHours();

    for (double jd = startJd;; jd += 2.0) {
        const CalendarInstant date = CalendarFromJulianDay(jd);
        if (date.year != inputs.year) break;
        double tz = inputs.timeZoneHours / 24.0;
        if (inputs.summerTime && IsSummerTime(date.month, date.day, date.weekday)) tz = tz + 1.0 / 24.0;
        TwilightDay day;
        day.jd = jd;
        double sunshine = 0.0;
        double darkness = 0.0;
        for (int i = 0; i < kTwilightSamplesPerDay; ++i) {
            const double t = jd + hours[i] / 24.0 - tz;
            const int band = TwilightBand(sampler.AltitudeAt(t));
            day.bands[i] = static_cast<std::uint8_t>(band);
            if (band == 0) sunshine += 0.1;
            if (band == 4) darkness += 0.1;
        }
        day.sunshineHours = sunshine;
        day.darknessHours = darkness;
        days.push_back(day);
    }
    return days;
}

}  // namespace velmarin
