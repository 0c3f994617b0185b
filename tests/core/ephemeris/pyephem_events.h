#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace velmarin::testing {

// PyEphem's instants (JD, UT) of one kind ("r", "s", "T", ...) of event of
// `body` at `place` ("52N", ...), from data/rise_set_pyephem.txt; its
// script, make_rise_set_reference.py, says how they were made.
inline std::vector<double> PyEphemEvents(const std::string& place, int body, const std::string& kind) {
    std::vector<double> out;
    std::ifstream in(VELMARIN_TEST_DATA_DIR "/rise_set_pyephem.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string p, k;
        int b = 0;
        double jd = 0.0;
        if (!(fields >> p >> b >> k >> jd)) continue;
        if (p == place && b == body && k == kind) out.push_back(jd);
    }
    return out;
}

}  // namespace velmarin::testing
