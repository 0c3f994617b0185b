#include "core/targets/target_place.h"

namespace velmarin {

TargetPlace ComputeTargetPlace(const Target& target, double jd) {
    if (const auto* fixed = std::get_if<FixedTarget>(&target)) {
        return {fixed->ra, fixed->dec, fixed->magnitude, std::nullopt};
    }
    const OrbitTarget& orbit = std::get<OrbitTarget>(target);
    const OrbitPlace place = ComputeOrbitPlace(orbit.elements, orbit.magnitude, jd);
    TargetPlace out{place.ra, place.dec, std::nullopt, place.distance};
    if (orbit.magnitude.law != OrbitMagnitude::Law::None) out.magnitude = place.magnitude;
    return out;
}

}  // namespace velmarin
