#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "core/ephemeris/year_inputs.h"
#include "core/sky/night_passes.h"
#include "core/targets/target.h"
#include "core/targets/target_events.h"

namespace velmarin {

// The observer's targets over the twilight chart ("mit Zielen"): each
// target's rise, transit and set on every civil day of the year, in local
// time, as curves like the planets' ([target][kind], one point a day; a
// point with valid false where the target does not rise, set or stand
// above the horizon at transit that day). The events are the exact ones of
// the planner (fixed targets in closed form at their place of date, orbits
// searched on tables).
struct TargetPassYear {
    std::vector<std::array<std::vector<CurvePoint>, kPassEventKinds>> curves;
};

TargetPassYear ComputeTargetPassYear(const YearInputs& inputs, const std::vector<Target>& targets);
// The same from the targets' year sky of inputs' civil days (its place
// aside), the targets shared out among the cores.
TargetPassYear ComputeTargetPassYear(const TargetYearSky& sky, const YearInputs& inputs);
// The same into `year`, reusing its curves' storage.
void ComputeTargetPassYear(const TargetYearSky& sky, const YearInputs& inputs, TargetPassYear& year);

// The passes kept while the year, place, clock and list stay the same (a
// list is the same while it is the same shared value); the year's sky of
// the list is kept across places.
class TargetPassCache {
public:
    const TargetPassYear& Passes(const YearInputs& inputs, const std::shared_ptr<const std::vector<Target>>& targets);

private:
    std::optional<YearInputs> inputs_;
    std::shared_ptr<const std::vector<Target>> targets_;
    TargetPassYear passes_;
    std::optional<TargetYearSky> sky_;
    std::shared_ptr<const std::vector<Target>> skyTargets_;
    YearInputs skyClock_;
};

}  // namespace velmarin
