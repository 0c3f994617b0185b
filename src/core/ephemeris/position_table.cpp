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
    const double x = (t - first_) / step_;
    const int i = std::clamp(static_cast<int>(std::floor(std::clamp(x, -1.0, static_cast<double>(n)))), 1, n - 3);
    const double p = x - i;
    return {i, p,
            {-p * (p - 1.0) * (p - 2.0) / 6.0, (p + 1.0) * (p - 1.0) * (p - 2.0) / 2.0,
             -(p + 1.0) * p * (p - 2.0) / 2.0, (p + 1.0) * p * (p - 1.0) / 6.0}};
}

InterpolatedPosition PositionTable::At(double t) const {
    const Weights k = WeightsAt(t);
    const Entry* e = &entries_[static_cast<std::size_t>(k.i - 1)];
    InterpolatedPosition out;
    out.ra = k.w[0] * e[0].ra + k.w[1] * e[1].ra + k.w[2] * e[2].ra + k.w[3] * e[3].ra;
    out.dec = k.w[0] * e[0].dec + k.w[1] * e[1].dec + k.w[2] * e[2].dec + k.w[3] * e[3].dec;
    out.diameter = k.w[0] * e[0].diameter + k.w[1] * e[1].diameter + k.w[2] * e[2].diameter + k.w[3] * e[3].diameter;
    const double p = k.p;
    const double dw[4] = {-(3.0 * p * p - 6.0 * p + 2.0) / 6.0, (3.0 * p * p - 4.0 * p - 1.0) / 2.0,
                          -(3.0 * p * p - 2.0 * p - 2.0) / 2.0, (3.0 * p * p - 1.0) / 6.0};
    out.raRate = (dw[0] * e[0].ra + dw[1] * e[1].ra + dw[2] * e[2].ra + dw[3] * e[3].ra) / step_;
    return out;
}

double PositionTable::RightAscensionAt(double t) const {
    const Weights k = WeightsAt(t);
    const Entry* e = &entries_[static_cast<std::size_t>(k.i - 1)];
    return k.w[0] * e[0].ra + k.w[1] * e[1].ra + k.w[2] * e[2].ra + k.w[3] * e[3].ra;
}

}  // namespace velmarin
