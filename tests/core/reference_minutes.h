#pragma once

// Comparing event times with a reference table's (PyEphem's) in minutes.
#include <algorithm>
#include <cmath>
#include <vector>

namespace velmarin::testing {

// Minutes from jd to the nearest of `in` (Julian Days); 1e9 when empty.
inline double NearestMinutes(const std::vector<double>& in, double jd) {
    double best = 1e9;
    for (double x : in) best = std::min(best, std::fabs(x - jd) / (1.0 / 1440.0));
    return best;
}

// The upper median (0 for none).
inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

}  // namespace velmarin::testing
