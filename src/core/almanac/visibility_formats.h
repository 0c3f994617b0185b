#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/almanac/visibility_events.h"
#include "core/almanac/visibility_output.h"

namespace velmarin {

// One row per day: the JSON's fields, each body's and the twilight's under
// "<name>.<field>", every instant beside its ISO 8601 UTC form ("…Utc") and
// its local clock time HH:MM ("…Local"); an absent instant is an empty field.
// With `targets`, each target's fields follow, under "<name>.<field>".
std::string VisibilityCsv(const VisibilityHeader& header, const std::vector<VisibilityDay>& days,
                          const VisibilityTargets* targets = nullptr);

// One event per instant of the chosen groups, German summaries, UIDs of
// event, local date and place. nullopt when an instant lies outside the
// years 1..9999 that iCalendar can hold. With `targets` (and the targets
// group), each target's rise, transit and set too.
std::optional<std::string> VisibilityIcs(const VisibilityHeader& header,
                                         const std::vector<VisibilityDay>& days, unsigned groups,
                                         const std::string& stamp, const VisibilityTargets* targets = nullptr);

}  // namespace velmarin
