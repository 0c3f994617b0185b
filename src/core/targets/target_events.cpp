#include "core/targets/target_events.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <system_error>
#include <thread>

#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/horizon.h"
#include "core/ephemeris/place_of_date.h"
#include "core/ephemeris/position_table.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

// Sidereal turns per solar day, as GreenwichSiderealHours counts them.
constexpr double kSiderealTurnsPerDay = 1.0027379093;
constexpr double kHourAngleRate = 2.0 * kPi * kSiderealTurnsPerDay;  // rad per day
constexpr double kSiderealDay = 1.0 / kSiderealTurnsPerDay;          // days
// Orbits are tabulated this often (days): cubic interpolation then stays
// within an arc second for anything not grazing the Earth.
constexpr double kOrbitTableStep = 0.5;
constexpr std::size_t kDaysPerTake = 4;

// What every point's search in one day shares: the sidereal time's
// equation of the equinoxes (of the day's start, as FindPointEvents takes
// it) and the observer.
struct DaySky {
    double longitude = 0.0;
    double sinLatitude = 0.0;
    double cosLatitude = 0.0;
    double nutationHours = 0.0;
};

DaySky MakeDaySky(double start, const Observer& observer) {
    EphemerisContext context;
    ComputeNutation(context, start);
    return {observer.longitude, std::sin(observer.latitude), std::cos(observer.latitude),
            SiderealTimeParts(context, start).nutationHours};
}

double LocalSidereal(const DaySky& sky, double t) {
    return LocalSiderealTimeAt({GreenwichSiderealHours(t), sky.nutationHours}, sky.longitude);
}

struct Crossing {
    double t;
    bool rising;
};

// The events of a fixed point; without the stretches up (kStretches
// false) only the first rise, transit (with its altitude) and set, the
// same instants, and none of the counts and flags.
// startSidereal: the local sidereal time at start (rad).
template <bool kStretches>
BodyDayEvents FixedPointEventsOf(const DaySky& sky, double startSidereal, double ra, double sinDec, double cosDec,
                                 double start, double end) {
    BodyDayEvents events;
    const double horizon = HorizonGeometricAltitude();
    const auto altitude = [&](double cosHourAngle) {
        return std::asin(std::clamp(sinDec * sky.sinLatitude + cosDec * cosHourAngle * sky.cosLatitude, -1.0, 1.0));
    };
    const double startHourAngle = NormalizeAngle(startSidereal - ra);
    // Every instant in [start, end) at which the hour angle is `target`. The
    // sidereal time grows at exactly kHourAngleRate within a UT day; across
    // 0 h UT its formula steps by under a millisecond, so the instants need
    // no refining.
    const auto instants = [&](double target, auto&& use) {
        for (double t = start + NormalizeAngle(target - startHourAngle) / kHourAngleRate; t < end;
             t += kSiderealDay) {
            if (t > start) use(t);
        }
    };
    instants(0.0, [&](double t) {
        if (!events.transit) {
            events.transit = t;
            events.transitAltitude = ApparentAltitude(altitude(1.0));
        }
    });
    const double across = sky.cosLatitude * cosDec;
    const double cosSetting = (std::sin(horizon) - sinDec * sky.sinLatitude) / across;
    // A day holds at most two of each (it lasts at most 25 hours).
    Crossing crossings[6];
    int count = 0;
    if (across > 1e-12 && cosSetting > -1.0 && cosSetting < 1.0) {
        const double setting = std::acos(cosSetting);
        instants(2.0 * kPi - setting, [&](double t) { if (count < 6) crossings[count++] = {t, true}; });
        instants(setting, [&](double t) { if (count < 6) crossings[count++] = {t, false}; });
        // Into time order (a handful, so by insertion).
        for (int k = 1; k < count; ++k) {
            for (int j = k; j > 0 && crossings[j].t < crossings[j - 1].t; --j) std::swap(crossings[j], crossings[j - 1]);
        }
    }
    if constexpr (!kStretches) {
        for (int k = 0; k < count; ++k) {
            const Crossing& c = crossings[k];
            std::optional<double>& first = c.rising ? events.rise : events.set;
            if (!first) first = c.t;
        }
        return events;
    }
    const bool upAtStart = altitude(std::cos(startHourAngle)) > horizon;
    bool up = upAtStart;
    double from = start;
    for (int k = 0; k < count; ++k) {
        const Crossing& c = crossings[k];
        if (c.rising) {
            if (!events.rise) events.rise = c.t;
            ++events.riseCount;
            if (!up) from = c.t;
            up = true;
        } else {
            if (!events.set) events.set = c.t;
            ++events.setCount;
            if (up && c.t > from) events.up.push_back({from, c.t});
            up = false;
        }
    }
    if (up && end > from) events.up.push_back({from, end});
    if (count == 0) {
        events.alwaysUp = upAtStart;
        events.neverUp = !upAtStart;
    }
    return events;
}

BodyDayEvents FixedPointEvents(const DaySky& sky, double ra, double dec, double start, double end) {
    return FixedPointEventsOf<true>(sky, LocalSidereal(sky, start), ra, std::sin(dec), std::cos(dec), start, end);
}

PositionTable OrbitTable(const OrbitTarget& orbit, double from, double to) {
    PositionTable table(from, kOrbitTableStep);
    const int count = static_cast<int>(std::ceil((to - from) / kOrbitTableStep)) + 1;
    for (int i = 0; i < std::max(count, 4); ++i) {
        const double t = from + i * kOrbitTableStep;
        const OrbitPlace place = ComputeOrbitPlace(orbit.elements, orbit.magnitude, t);
        const PlaceOfDate::Place ofDate = PlaceOfDate(t).Apply(place.ra, place.dec);
        BodyPosition p;
        p.ra = ofDate.ra;
        p.dec = ofDate.dec;
        table.Add(p);
    }
    return table;
}

}  // namespace

BodyDayEvents FindFixedPointEvents(double ra, double dec, double start, double end, const Observer& observer) {
    return FixedPointEvents(MakeDaySky(start, observer), ra, dec, start, end);
}

std::vector<std::vector<BodyDayEvents>> ComputeTargetEvents(const std::vector<Target>& targets,
                                                            const std::vector<VisibilityDay>& days,
                                                            const Observer& observer, int threads) {
    std::vector<std::vector<BodyDayEvents>> result(days.size());
    if (days.empty() || targets.empty()) return result;
    // Two days past either end, so the interpolation never extrapolates.
    const double from = days.front().start - 2.0, to = days.back().end + 2.0;
    std::vector<PositionTable> tables(targets.size());
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (const auto* orbit = std::get_if<OrbitTarget>(&targets[i])) tables[i] = OrbitTable(*orbit, from, to);
    }
    std::atomic<std::size_t> nextDay{0};
    const auto computeDays = [&] {
        for (;;) {
            const std::size_t first = nextDay.fetch_add(kDaysPerTake);
            if (first >= days.size()) return;
            const std::size_t last = std::min(first + kDaysPerTake, days.size());
            for (std::size_t d = first; d < last; ++d) {
                const VisibilityDay& day = days[d];
                const DaySky sky = MakeDaySky(day.start, observer);
                const PlaceOfDate frame(0.5 * (day.start + day.end));
                std::vector<BodyDayEvents>& out = result[d];
                out.reserve(targets.size());
                for (std::size_t i = 0; i < targets.size(); ++i) {
                    if (const auto* fixed = std::get_if<FixedTarget>(&targets[i])) {
                        const PlaceOfDate::Place place = frame.Apply(fixed->ra, fixed->dec);
                        out.push_back(FixedPointEvents(sky, place.ra, place.dec, day.start, day.end));
                    } else {
                        out.push_back(FindPointEvents(tables[i], day.start, day.end, observer));
                    }
                }
            }
        }
    };
    const std::size_t workers = std::min(static_cast<std::size_t>(std::max(threads, 1)),
                                         std::max<std::size_t>(days.size() / kDaysPerTake, 1));
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
    return result;
}

TargetYearSky::TargetYearSky(const std::vector<Target>& targets, const std::vector<VisibilityDay>& days)
    : targets_(targets.size()) {
    days_.reserve(days.size());
    for (const VisibilityDay& day : days) {
        EphemerisContext context;
        ComputeNutation(context, day.start);
        days_.push_back({day.start, day.end, GreenwichSiderealHours(day.start),
                         SiderealTimeParts(context, day.start).nutationHours});
    }
    if (days.empty()) return;
    const double from = days.front().start - 2.0, to = days.back().end + 2.0;
    for (std::size_t k = 0; k < targets.size(); ++k) {
        if (const auto* orbit = std::get_if<OrbitTarget>(&targets[k])) {
            targets_[k].orbit = OrbitTable(*orbit, from, to);
        } else {
            targets_[k].places.reserve(days.size());
        }
    }
    for (const VisibilityDay& day : days) {
        const PlaceOfDate frame(0.5 * (day.start + day.end));
        for (std::size_t k = 0; k < targets.size(); ++k) {
            if (const auto* fixed = std::get_if<FixedTarget>(&targets[k])) {
                const PlaceOfDate::Place place = frame.Apply(fixed->ra, fixed->dec);
                targets_[k].places.push_back({place.ra, std::sin(place.dec), std::cos(place.dec)});
            }
        }
    }
}

TargetYearSky::Observing TargetYearSky::At(const Observer& observer) const {
    Observing at{observer, std::sin(observer.latitude), std::cos(observer.latitude), {}};
    at.startSidereal.reserve(days_.size());
    for (const Day& day : days_) {
        at.startSidereal.push_back(LocalSiderealTimeAt({day.greenwichHours, day.nutationHours}, observer.longitude));
    }
    return at;
}

BodyDayEvents TargetYearSky::Pass(std::size_t k, std::size_t d, const Observing& at) const {
    const Day& day = days_[d];
    const PerTarget& target = targets_[k];
    if (target.places.empty()) return FindPointEvents(*target.orbit, day.start, day.end, at.observer);
    const DaySky sky{at.observer.longitude, at.sinLatitude, at.cosLatitude, day.nutationHours};
    const FixedPlace& place = target.places[d];
    return FixedPointEventsOf<false>(sky, at.startSidereal[d], place.ra, place.sinDec, place.cosDec, day.start,
                                     day.end);
}

}  // namespace velmarin
