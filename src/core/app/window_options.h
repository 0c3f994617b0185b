#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmarin {

// The first argument after the program name that the window would not take:
// anything but the GUI toolkit's own options (-platform NAME, -style NAME,
// -reverse ...; also written with "--" or as "-option=value") and their values.
// Nothing when every argument is one of those.
std::optional<std::string> UnknownWindowArgument(const std::vector<std::string>& args);

}  // namespace velmarin
