#pragma once

#include <string>
#include <vector>

#include "core/ephemeris/rise_set.h"

namespace velmarin {

// The targets' events beside the year's days: names[i] is target i, and
// days[d][i] its events on day d.
struct VisibilityTargets {
    std::vector<std::string> names;
    std::vector<std::vector<BodyDayEvents>> days;
};

}  // namespace velmarin
