#include "core/ephemeris/visibility_year.h"

#include <cmath>

#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/place_of_date.h"
#include "core/ephemeris/position_table.h"
#include "core/ephemeris/run_beside.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

// Grid steps (days) of the bodies' tables. Cubic interpolation on them
// stays within 0.2 arc seconds of the ephemeris (the Moon 0.15, Mercury
// 0.05), a few hundredths of a second in an event's time.
constexpr double kMoonStep = 0.25;
constexpr double kPlanetBaseStep = 0.5;
// Steps of the Sun and the planets, in kPlanetBaseStep: the Sun and
// Mercury every half day, Venus every day, the others every second day.
constexpr std::array<int, kBodyCount> kStepsPerEntry = {1, 1, 2, 4, 4, 4, 4, 4, 0};

using BodyTables = std::array<PositionTable, kBodyCount>;

// Tables of every body over [from, to]: the Moon on one thread, the Sun and
// the planets on another.
BodyTables ComputeBodyTables(double from, double to) {
    BodyTables tables;
    const auto count = [&](double step) { return static_cast<int>(std::ceil((to - from) / step)) + 1; };
    RunBeside(
        [&] {
            // The Moon's place does not depend on the Sun's values in the context.
            tables[IndexOf(BodyId::kMoon)] = PositionTable(from, kMoonStep);
            EphemerisContext context;
            for (int i = 0, n = count(kMoonStep); i < n; ++i) {
                tables[IndexOf(BodyId::kMoon)].Add(ComputeBodyPosition(context, BodyId::kMoon, from + i * kMoonStep));
            }
        },
        [&] {
            for (int body = IndexOf(BodyId::kSun); body < IndexOf(BodyId::kMoon); ++body) {
                tables[body] = PositionTable(from, kPlanetBaseStep * kStepsPerEntry[body]);
            }
            EphemerisContext context;
            const int perEntryMost = kStepsPerEntry[IndexOf(BodyId::kMars)];
            // Past `to` until the sparsest table has its last entry.
            const int n = (count(kPlanetBaseStep * perEntryMost) - 1) * perEntryMost + 1;
            for (int i = 0; i < n; ++i) {
                const double t = from + i * kPlanetBaseStep;
                // Sun first: the planets read the Sun's values of the same instant.
                const BodyPosition sun = ComputeBodyPosition(context, BodyId::kSun, t);
                const PlaceOfDate ofDate(t);
                tables[IndexOf(BodyId::kSun)].Add(PlannerPlace(ofDate, BodyId::kSun, sun));
                for (const BodyId body : kPlanets) {
                    if (i % kStepsPerEntry[IndexOf(body)] == 0) {
                        tables[IndexOf(body)].Add(PlannerPlace(ofDate, body, ComputeBodyPosition(context, body, t)));
                    }
                }
            }
        });
    return tables;
}

void ComputeDay(const BodyTables& tables, const Observer& observer, VisibilityDay& day) {
    const SunDayEvents sun = FindSunEvents(tables[IndexOf(BodyId::kSun)], day.start, day.end, observer);
    day.bodies[IndexOf(BodyId::kSun)] = sun.sun;
    day.twilight = sun.twilight;
    day.darkness = sun.darkness;
    for (const BodyId body : kAllBodies) {
        if (body == BodyId::kSun) continue;  // the Sun's came with the twilight above
        day.bodies[IndexOf(body)] = FindBodyEvents(body, tables[IndexOf(body)], day.start, day.end, observer);
    }
    day.darknessHours = IntervalHours(day.darkness);
    day.moonFreeDarknessHours = IntervalHours(SubtractIntervals(day.darkness, day.bodies[IndexOf(BodyId::kMoon)].up));
}

}  // namespace

std::vector<VisibilityDay> ComputeVisibilityYear(const YearInputs& inputs) {
    return ComputeVisibilityYear(inputs, YearWorkerThreads());
}

std::vector<VisibilityDay> ComputeVisibilityYear(const YearInputs& inputs, int threads) {
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

    if (days.empty()) return days;
    // Two days past either end, so the interpolation never extrapolates.
    const BodyTables tables = ComputeBodyTables(days.front().start - 2.0, days.back().end + 2.0);
    const Observer observer{inputs.latitude, inputs.longitude};
    constexpr std::size_t kDaysPerTake = 4;
    ParallelFor(days.size(), threads, kDaysPerTake, [&] {
        return [&](std::size_t first, std::size_t last) {
            for (std::size_t k = first; k < last; ++k) ComputeDay(tables, observer, days[k]);
        };
    });
    return days;
}

}  // namespace velmarin
