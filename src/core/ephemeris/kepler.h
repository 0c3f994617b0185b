#pragma once

namespace velmarin {

// Eccentric anomaly E (rad) solving Kepler's equation M = E - e sin E for a
// mean anomaly M (rad) and an eccentricity 0 <= e < 1, by Newton's method
// from E = M until two iterates differ by at most 1e-6 rad. Returns the
// newest iterate. The iteration is capped, so NaN or huge inputs return
// (meaningless) values instead of looping forever.
double SolveKepler(double meanAnomaly, double eccentricity);

}  // namespace velmarin
