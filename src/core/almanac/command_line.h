#pragma once

#include <optional>

#include "core/ephemeris/civil_offsets.h"

namespace velmarin {

// The part of the program's command line that needs no window system: the
// almanac subcommands, --help, --version and the usage errors. Returns the
// exit status, or nothing when the command belongs to the Qt face (no
// arguments or only window options: the window; `render`). `zones` serves
// daylight and visibility (may be null: no named zones).
std::optional<int> RunCommandLineWithoutWindow(int argc, char* argv[], const ZoneDatabase* zones);

}  // namespace velmarin
