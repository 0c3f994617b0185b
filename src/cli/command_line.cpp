#include "cli/command_line.h"

#include <cstdio>
#include <cstring>

#include "velmarin_version.h"

namespace velmarin {

int RunVelmarin(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Velmarin %s (%s)\n", VELMARIN_VERSION_TEXT, VELMARIN_BUILD_DATE);
        return 0;
    }
    std::fprintf(stderr, "velmarin: not built yet\n");
    return 2;
}

}  // namespace velmarin
