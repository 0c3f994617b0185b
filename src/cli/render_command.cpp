#include "cli/render_command.h"

#include <cstdio>

namespace velmarin {

// Placeholder until the chart can be drawn.
int RunRenderCommand(const std::vector<std::string>&) {
    std::fprintf(stderr, "velmarin: render is not available in this build\n");
    return 2;
}

}  // namespace velmarin
