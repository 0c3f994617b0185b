#pragma once

#include <optional>
#include <string_view>

namespace velmarin {

// A number written decimal ("10.6847", "-5.39") or sexagesimal with colons
// ("0:42:44.3", "+41:16:09", "-0:30"): degrees or hours, minutes (0..59),
// seconds (0..<60), the sign before the first field applying to all. Blanks
// around are ignored. nullopt for anything else, a non-finite value included.
std::optional<double> ParseSexagesimal(std::string_view text);

}  // namespace velmarin
