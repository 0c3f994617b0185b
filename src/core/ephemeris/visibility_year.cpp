#include "core/ephemeris/visibility_year.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

void ComputeDay(const Observer& observer, VisibilityDay& day) {
    const SunDayEvents sun = FindSunEvents(day.start, day.end, observer);
    day.bodies[kSun] = sun.sun;
    day.twilight = sun.twilight;
    day.darkness = sun.darkness;
    for (int body = 1; body < kBodyCount; ++body) {
        day.bodies[body] = FindBodyEvents(body, day.start, day.end, observer);
    }
    day.darknessHours = IntervalHours(day.darkness);
    day.moonFreeDarknessHours = IntervalHours(SubtractIntervals(day.darkness, day.bodies[kMoon].up));
}

}  // namespace

std::vector<VisibilityDay> ComputeVisibilityYear(const VisibilityInputs& inputs) {
    const unsigned cores = std::thread::hardware_concurrency();
    return ComputeVisibilityYear(inputs, static_cast<int>(std::clamp(cores, 1u, 4u)));
}

std::vector<VisibilityDay> ComputeVisibilityYear(const VisibilityInputs& inputs, int threads) {
    std::vector<VisibilityDay> days;
    days.reserve(366);
    for (double jd = JulianDayFromDate(1, 1, inputs.year, 0.0);; jd += 1.0) {
        const CalendarInstant date = CalendarFromJulianDay(jd);
        if (date.year != inputs.year) break;
        VisibilityDay day;
        day.year = date.year;
        day.month = date.month;
        day.day = date.day;
        const DayOffset offset = inputs.offsets.OfDay(jd);
        day.utcOffsetHours = offset.hours;
        // Local midnight to local midnight: the next day's offset ends the
        // day, so a day before a clock change is 23 or 25 hours long.
        day.start = jd - offset.days;
        day.end = jd + 1.0 - inputs.offsets.OfDay(jd + 1.0).days;
        days.push_back(day);
    }
    // The table ends with the year: the last day keeps its own offset.
    if (!days.empty()) days.back().end = days.back().start + 1.0;

    const Observer observer{inputs.latitude, inputs.longitude};
    constexpr std::size_t kDaysPerTake = 4;
    const std::size_t count = days.size();
    std::atomic<std::size_t> nextDay{0};
    const auto computeDays = [&] {
        for (;;) {
            const std::size_t first = nextDay.fetch_add(kDaysPerTake);
            if (first >= count) return;
            const std::size_t last = std::min(first + kDaysPerTake, count);
            for (std::size_t k = first; k < last; ++k) ComputeDay(observer, days[k]);
        }
    };
    const std::size_t workers = std::min(static_cast<std::size_t>(std::max(threads, 1)),
                                         std::max<std::size_t>(count / kDaysPerTake, 1));
    std::vector<std::thread> pool;
    for (std::size_t w = 1; w < workers; ++w) {
        try {
            pool.emplace_back(computeDays);
        } catch (const std::system_error&) {
            break;  // no thread to be had: the others do its share
        }
    }
    computeDays();
    for (std::thread& worker : pool) worker.join();
    return days;
}

}  // namespace velmarin
