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
std::string VisibilityCsv(const VisibilityHeader& header, const std::vector<VisibilityDay>& days);

// One event per instant of the chosen groups, German summaries, UIDs of
// event, local date and place. nullopt when an instant lies outside the
// years 1..9999 that iCalendar can hold.
std::optional<std::string> VisibilityIcs(const VisibilityHeader& header,
                                         const std::vector<VisibilityDay>& days, unsigned groups,
                                         const std::string& stamp);

}  // namespace velmarin
