#include "core/sky/target_passes.h"

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

CurvePoint PointOf(const YearOffsets& offsets, const std::optional<double>& t) {
    if (!t) return {};
    const LocalInstant local = ToLocal(offsets, *t);
    return {local.dayJd, local.hours, true, local.offsetDays};
}

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
    year.curves.resize(sky.TargetCount());
    const std::size_t days = sky.DayCount();
    if (days == 0) return year;
    const TargetYearSky::Observing at = TargetYearSky::At(Observer{inputs.latitude, inputs.longitude});
    // A target's year at a time: each worker fills whole curves.
    ParallelFor(year.curves.size(), YearWorkerThreads(), 4, [&] {
        return [&](std::size_t first, std::size_t last) {
            for (std::size_t k = first; k < last; ++k) {
                auto& curves = year.curves[k];
                for (auto& curve : curves) curve.resize(days);
                for (std::size_t d = 0; d < days; ++d) {
                    const BodyDayEvents e = sky.Pass(k, d, at);
                    curves[static_cast<int>(PassEventKind::Rise)][d] = PointOf(inputs.offsets, e.rise);
                    curves[static_cast<int>(PassEventKind::Set)][d] = PointOf(inputs.offsets, e.set);
                    // A transit below the horizon shows nothing.
                    curves[static_cast<int>(PassEventKind::Transit)][d] =
                        PointOf(inputs.offsets, e.transitAltitude > 0.0 ? e.transit : std::nullopt);
                }
            }
        };
    });
    return year;
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
            passes_ = ComputeTargetPassYear(*sky_, inputs);
        }
        inputs_ = inputs;
        targets_ = targets;
    }
    return passes_;
}

}  // namespace velmarin
