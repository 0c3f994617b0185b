#include "core/sky/target_passes.h"

#include <algorithm>
#include <cmath>

#include "core/ephemeris/rise_set.h"
#include "core/ephemeris/run_beside.h"
#include "core/ephemeris/time_calendar.h"
#include "core/ephemeris/visibility_year.h"

namespace velmarin {

namespace {

// The civil days of the year, local midnight to local midnight (only the
// span is filled in: it is all the event search reads).
std::vector<VisibilityDay> CivilDays(const YearInputs& inputs) {
    std::vector<VisibilityDay> days;
    for (double jd = JulianDayFromDate(1, 1, inputs.year, 0.0); CalendarFromJulianDay(jd).year == inputs.year;
         jd += 1.0) {
        VisibilityDay day;
        day.start = jd - inputs.offsets.OfDay(jd).days;
        day.end = jd + 1.0 - inputs.offsets.OfDay(jd + 1.0).days;
        days.push_back(day);
    }
    // The table ends with the year: the last day keeps its own offset.
    if (!days.empty()) days.back().end = days.back().start + 1.0;
    return days;
}

// Local time of events found on known civil days. Away from a change of
// the clock (the day and both its neighbours on one offset) an event of
// civil day d is on d's clock, as ToLocal would find with its lookups;
// elsewhere ToLocal decides.
class CivilClock {
public:
    CivilClock(const YearOffsets& offsets, const std::vector<double>& dayJds) : offsets_(offsets) {
        const auto offsetOf = [&](double jd) { return ClampedDayOffset(offsets, jd); };
        days_.reserve(dayJds.size());
        for (const double jd : dayJds) {
            const double offset = offsetOf(jd);
            const bool steady =
                offsetOf(jd - 1.0) == offset && offsetOf(jd + 1.0) == offset && std::fabs(offset) < 1.0;
            days_.push_back({jd, offset, steady});
        }
    }

    CurvePoint PointOf(std::size_t d, const std::optional<double>& t) const {
        if (!t) return {};
        const Day& day = days_[d];
        if (day.steady) {
            const double local = *t + day.offset;
            if (std::floor(local - 0.5) + 0.5 == day.jd) return {day.jd, (local - day.jd) * 24.0, true, day.offset};
        }
        const LocalInstant instant = ToLocal(offsets_, *t);
        return {instant.dayJd, instant.hours, true, instant.offsetDays};
    }

private:
    struct Day {
        double jd, offset;
        bool steady;
    };
    const YearOffsets& offsets_;
    std::vector<Day> days_;
};

// The year's inputs without the place: what the targets' year sky reads.
YearInputs ClockOf(const YearInputs& inputs) {
    YearInputs clock = inputs;
    clock.latitude = 0.0;
    clock.longitude = 0.0;
    return clock;
}

}  // namespace

TargetPassYear ComputeTargetPassYear(const YearInputs& inputs, const std::vector<Target>& targets) {
    return ComputeTargetPassYear(TargetYearSky(targets, CivilDays(inputs)), inputs);
}

TargetPassYear ComputeTargetPassYear(const TargetYearSky& sky, const YearInputs& inputs) {
    TargetPassYear year;
    ComputeTargetPassYear(sky, inputs, year);
    return year;
}

void ComputeTargetPassYear(const TargetYearSky& sky, const YearInputs& inputs, TargetPassYear& year) {
    year.curves.resize(sky.TargetCount());
    const std::size_t days = sky.DayCount();
    for (auto& curves : year.curves) {
        for (auto& curve : curves) curve.resize(days);
    }
    if (days == 0) return;
    const TargetYearSky::Observing at = sky.At(Observer{inputs.latitude, inputs.longitude});
    std::vector<double> dayJds;
    dayJds.reserve(days);
    for (std::size_t d = 0; d < days; ++d) dayJds.push_back(inputs.offsets.firstJd + static_cast<double>(d));
    const CivilClock clock(inputs.offsets, dayJds);
    // A target's year at a time: each worker fills whole curves.
    ParallelFor(year.curves.size(), YearWorkerThreads(), 4, [&] {
        return [&](std::size_t first, std::size_t last) {
            for (std::size_t k = first; k < last; ++k) {
                auto& curves = year.curves[k];
                for (std::size_t d = 0; d < days; ++d) {
                    const BodyDayEvents e = sky.Pass(k, d, at);
                    curves[static_cast<int>(PassEventKind::Rise)][d] = clock.PointOf(d, e.rise);
                    curves[static_cast<int>(PassEventKind::Set)][d] = clock.PointOf(d, e.set);
                    // A transit below the horizon shows nothing.
                    curves[static_cast<int>(PassEventKind::Transit)][d] =
                        clock.PointOf(d, e.transitAltitude > 0.0 ? e.transit : std::nullopt);
                }
            }
        };
    });
}

const TargetPassYear& TargetPassCache::Passes(const YearInputs& inputs,
                                              const std::shared_ptr<const std::vector<Target>>& targets) {
    if (inputs_ != inputs || targets_ != targets) {
        if (!targets) {
            sky_.reset();
            passes_ = TargetPassYear{};
        } else {
            // A new place reuses the year's places of date.
            const YearInputs clock = ClockOf(inputs);
            if (!sky_ || skyTargets_ != targets || skyClock_ != clock) {
                sky_.emplace(*targets, CivilDays(inputs));
                skyTargets_ = targets;
                skyClock_ = clock;
            }
            // Into the kept curves: a new place fills the same buffers.
            ComputeTargetPassYear(*sky_, inputs, passes_);
        }
        inputs_ = inputs;
        targets_ = targets;
    }
    return passes_;
}

}  // namespace velmarin
