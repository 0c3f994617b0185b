#pragma once

#include <span>
#include <vector>

#include "core/targets/target.h"

namespace velmarin {

// One object of the built-in Messier list.
struct MessierEntry {
    const char* name;      // "M1" .. "M110"
    double raHours;        // J2000
    double decDegrees;     // J2000
    double magnitude;      // V
    const char* kind;      // "galaxy", "globular cluster", "open cluster", ...
};

// M1 to M110 in order.
std::span<const MessierEntry> MessierEntries();

// The same as fixed targets.
std::vector<FixedTarget> MessierTargets();

// The name that stands for the built-in list on the command line.
inline constexpr const char* kMessierListName = "messier";

}  // namespace velmarin
