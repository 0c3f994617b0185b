#pragma once

#include "core/ephemeris/fixed_numbers.h"

namespace velmarin {

// The sky values that a sequence of ephemeris calls leaves behind for the
// next call. One context per thread (or per chart pass) keeps computations
// independent while each one sees exactly the sequence of values it would
// see in a single sequential program.
struct EphemerisContext {
    double sunLongitude = 0.0;       // rad, written by every Sun computation
    double sunDistance = 0.0;        // AU, written by every Sun computation
    double moonNodeLongitude = 0.0;  // rad, [0, 2pi), written by every Moon computation
    double localSiderealTime = 0.0;  // rad, [0, 2pi), written by LocalSiderealTime
    double nutationLongitude = 0.0;  // rad, written by ComputeNutation
    double trueObliquity = 0.0;      // rad, written by ComputeNutation
};

}  // namespace velmarin
