#include "core/almanac/command_line.h"
#include "core/app/window_program.h"

// The command-line program: the almanac commands run here; the window and
// `render` are handed to velmarin-qt.
int main(int argc, char* argv[]) {
    const velmarin::HandOverZoneDatabase zones(argv);
    if (const auto status = velmarin::RunCommandLineWithoutWindow(argc, argv, &zones)) return *status;
    return velmarin::ExecWindowProgram(argv);
}
