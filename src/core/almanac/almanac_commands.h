#pragma once

#include <string>
#include <vector>

#include "core/ephemeris/civil_offsets.h"

namespace velmarin {

// The almanac subcommands; args are the words after the subcommand's name.
// Each returns the exit status: 0, 2 for bad input (one line on stderr,
// nothing on stdout), 1 when stdout cannot be written.

// `velmarin positions`: the nine bodies at one instant.
int RunPositionsCommand(const std::vector<std::string>& args);
// `velmarin phases`: the lunar-phase and eclipse markers of a year.
int RunPhasesCommand(const std::vector<std::string>& args);
// `velmarin daylight`: the twilight chart's samples of a year; `zones`
// (may be null) serves --zone and the settings file's zone.
int RunDaylightCommand(const std::vector<std::string>& args, const ZoneDatabase* zones);
// `velmarin visibility`: rise, transit and set of the bodies on every day of
// a year; `zones` as for daylight.
int RunVisibilityCommand(const std::vector<std::string>& args, const ZoneDatabase* zones);

}  // namespace velmarin
