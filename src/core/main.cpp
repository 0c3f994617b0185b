#include <vector>

#include "core/almanac/command_line.h"
#include "core/almanac/language_choice.h"
#include "core/app/atomic_file.h"
#include "core/app/window_program.h"

// The command-line program: the almanac commands run here; the window and
// `render` are handed to velmarin-qt.
int main(int argc, char* argv[]) {
    // velmarin-qt gets the arguments as given, --lang included.
    std::vector<char*> given(argv, argv + argc + 1);
    velmarin::TreatFileSizeLimitAsWriteError();
    if (const auto status = velmarin::SetLanguageFromCommandLine(argc, argv)) return *status;
    const velmarin::HandOverZoneDatabase zones(given.data());
    if (const auto status = velmarin::RunCommandLineWithoutWindow(argc, argv, &zones)) return *status;
    return velmarin::ExecWindowProgram(given.data());
}
