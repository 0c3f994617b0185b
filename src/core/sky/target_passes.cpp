#include "core/sky/target_passes.h"

#include "core/ephemeris/rise_set.h"
#include "core/ephemeris/run_beside.h"
#include "core/ephemeris/time_calendar.h"
#include "core/ephemeris/visibility_year.h"
#include "core/targets/target_events.h"

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

}  // namespace

TargetPassYear ComputeTargetPassYear(const YearInputs& inputs, const std::vector<Target>& targets) {
    TargetPassYear year;
    year.curves.resize(targets.size());
    if (targets.empty()) return year;
    const std::vector<VisibilityDay> days = CivilDays(inputs);
    const std::vector<std::vector<BodyDayEvents>> events =
        ComputeTargetEvents(targets, days, Observer{inputs.latitude, inputs.longitude}, YearWorkerThreads());
    for (std::size_t k = 0; k < targets.size(); ++k) {
        auto& curves = year.curves[k];
        for (auto& curve : curves) curve.reserve(days.size());
        for (std::size_t d = 0; d < days.size(); ++d) {
            const BodyDayEvents& e = events[d][k];
            curves[static_cast<int>(PassEventKind::Rise)].push_back(PointOf(inputs.offsets, e.rise));
            curves[static_cast<int>(PassEventKind::Set)].push_back(PointOf(inputs.offsets, e.set));
            // A transit below the horizon shows nothing.
            curves[static_cast<int>(PassEventKind::Transit)].push_back(
                PointOf(inputs.offsets, e.transitAltitude > 0.0 ? e.transit : std::nullopt));
        }
    }
    return year;
}

const TargetPassYear& TargetPassCache::Passes(const YearInputs& inputs,
                                              const std::shared_ptr<const std::vector<Target>>& targets) {
    if (inputs_ != inputs || targets_ != targets) {
        passes_ = targets ? ComputeTargetPassYear(inputs, *targets) : TargetPassYear{};
        inputs_ = inputs;
        targets_ = targets;
    }
    return passes_;
}

}  // namespace velmarin
