#pragma once

#include <string>
#include <vector>

#include "core/targets/target.h"
#include "core/text/expected.h"

namespace velmarin {

// What --targets and --elements name, in the order given.
struct TargetSources {
    std::vector<std::string> lists;     // CSV files, or "messier" for the built-in list
    std::vector<std::string> elements;  // MPC one-line element files
    bool Empty() const { return lists.empty() && elements.empty(); }
    bool operator==(const TargetSources&) const = default;
};

// Reads every source: the fixed targets of the lists first, then the orbits.
// Returned: the targets, or the one-line message of the first file that
// cannot be read or has a bad line ("FILE: cannot read", "FILE:LINE: ...").
Expected<std::vector<Target>> LoadTargets(const TargetSources& sources);

}  // namespace velmarin
