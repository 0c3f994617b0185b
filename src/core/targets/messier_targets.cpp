#include <cmath>

#include "core/ephemeris/fixed_numbers.h"
#include "core/targets/messier_list.h"

namespace velmarin {

std::vector<FixedTarget> MessierTargets() {
    constexpr double kRadiansPerDegree = fixed::kExactPi / 180.0;
    std::vector<FixedTarget> targets;
    for (const MessierEntry& e : MessierEntries()) {
        targets.push_back({e.name, e.raHours * 15.0 * kRadiansPerDegree, e.decDegrees * kRadiansPerDegree,
                           e.magnitude, e.kind});
    }
    return targets;
}

}  // namespace velmarin
