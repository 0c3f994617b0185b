#pragma once

#include <string>
#include <vector>

namespace velmarin {

// `velmarin render ...`: args are the words after "render". Returns the exit status.
int RunRenderCommand(const std::vector<std::string>& args);

}  // namespace velmarin
