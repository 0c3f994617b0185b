#pragma once

#include <vector>

#include "core/ephemeris/body_position.h"

namespace velmarin {

// A body's position between the grid instants of a PositionTable.
struct InterpolatedPosition {
    double ra = 0.0;        // unwrapped, rad
    double dec = 0.0;       // rad
    double diameter = 0.0;  // arc seconds
    double raRate = 0.0;    // rad per day
};

// Positions of one body on an even grid of instants, read back by
// four-point (cubic) interpolation (the right ascension unwrapped first). Searches
// that need a body's position thousands of times a day read it here: the
// ephemeris is computed once per grid instant.
class PositionTable {
public:
    PositionTable() = default;
    PositionTable(double first, double step) : first_(first), inverseStep_(1.0 / step) {}
    // The position at the next grid instant.
    void Add(const BodyPosition& p);
    // Needs at least four instants; beyond the grid it extrapolates.
    InterpolatedPosition At(double t) const;
    // At(t).ra alone, for searches that step through the hour angle.
    double RightAscensionAt(double t) const;

private:
    struct Entry {
        double ra, dec, diameter;
    };
    // Index i of the cubic's nodes i-1 .. i+2 and the weights of each at t.
    struct Weights {
        int i;
        double p;
        double w[4];
    };
    Weights WeightsAt(double t) const;

    double first_ = 0.0;
    double inverseStep_ = 1.0;
    std::vector<Entry> entries_;
};

}  // namespace velmarin
