#include "core/ephemeris/position_table.h"

#include <algorithm>
#include <cmath>

#include "core/ephemeris/ephemeris_context.h"

namespace velmarin {

void PositionTable::Add(const BodyPosition& p) {
    // Unwrapped so that the interpolation never spans the jump at 2 pi.
    double ra = p.ra;
    if (!entries_.empty()) {
        double step = std::remainder(p.ra - entries_.back().ra, 2.0 * kPi);
        if (step <= -kPi) step += 2.0 * kPi;
        ra = entries_.back().ra + step;
    }
    entries_.push_back({ra, p.dec, p.diameter});
}

PositionTable::Weights PositionTable::WeightsAt(double t) const {
    // Cubic through the grid instants i-1 .. i+2, t between i and i+1.
    const int n = static_cast<int>(entries_.size());
    const double x = (t - first_) * inverseStep_;
    // Held to [-1, n] first (NaN too), where truncation is the floor.
    const double held = x >= -1.0 ? std::min(x, static_cast<double>(n)) : -1.0;
    const int i = std::clamp(static_cast<int>(held + 1.0) - 1, 1, n - 3);
    const double p = x - i;
    const double below = p + 1.0, above = p - 1.0, twoAbove = p - 2.0;
    constexpr double kSixth = 1.0 / 6.0;
    return {i, p, {-p * above * twoAbove * kSixth, below * above * twoAbove * 0.5, -below * p * twoAbove * 0.5,
                   below * p * above * kSixth}};
}

InterpolatedPosition PositionTable::At(double t) const {
    const Weights k = WeightsAt(t);
    const Entry* e = &entries_[static_cast<std::size_t>(k.i - 1)];
    InterpolatedPosition out;
    out.ra = k.w[0] * e[0].ra + k.w[1] * e[1].ra + k.w[2] * e[2].ra + k.w[3] * e[3].ra;
    out.dec = k.w[0] * e[0].dec + k.w[1] * e[1].dec + k.w[2] * e[2].dec + k.w[3] * e[3].dec;
    out.diameter = k.w[0] * e[0].diameter + k.w[1] * e[1].diameter + k.w[2] * e[2].diameter + k.w[3] * e[3].diameter;
    const double p = k.p;
    const double pp = p * p;
    constexpr double kSixth = 1.0 / 6.0;
    const double dw[4] = {-(3.0 * pp - 6.0 * p + 2.0) * kSixth, (3.0 * pp - 4.0 * p - 1.0) * 0.5,
                          -(3.0 * pp - 2.0 * p - 2.0) * 0.5, (3.0 * pp - 1.0) * kSixth};
    out.raRate = (dw[0] * e[0].ra + dw[1] * e[1].ra + dw[2] * e[2].ra + dw[3] * e[3].ra) * inverseStep_;
    return out;
}

double PositionTable::RightAscensionAt(double t) const {
    const Weights k = WeightsAt(t);
    const Entry* e = &entries_[static_cast<std::size_t>(k.i - 1)];
    return k.w[0] * e[0].ra + k.w[1] * e[1].ra + k.w[2] * e[2].ra + k.w[3] * e[3].ra;
}

}  // namespace velmarin
