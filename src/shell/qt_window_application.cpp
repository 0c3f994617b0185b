#include "shell/window_application.h"

#include <cstdio>

namespace velmarin {

// Placeholder until the main window exists.
int RunWindowApplication(int, char*[]) {
    std::fprintf(stderr, "velmarin: the window is not available in this build\n");
    return 2;
}

}  // namespace velmarin
