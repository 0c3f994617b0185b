#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/ephemeris/civil_offsets.h"

namespace velmarin {

// The command-line program `velmarin` links no window system, so that the
// almanac commands start in a few milliseconds. The window and `render` live
// in a second program, velmarin-qt, which this one becomes (exec, same
// process and arguments) when they are asked for.

// Where velmarin-qt may be, for the command-line program at `self`: beside
// it in the build folder's libexec/velmarin, or in the installed
// <prefix>/libexec/velmarin for <prefix>/bin/velmarin. First match wins.
std::vector<std::filesystem::path> WindowProgramCandidates(const std::filesystem::path& self);

// Replaces this process by velmarin-qt with the same arguments. Returns only
// when that fails, with exit status 1 after one line on stderr.
int ExecWindowProgram(char* argv[]);

// The named zones are read through the Qt face: the first question about
// one hands the whole command over to velmarin-qt, before anything has been
// written. Commands without a named zone never ask.
class HandOverZoneDatabase final : public ZoneDatabase {
public:
    explicit HandOverZoneDatabase(char* argv[]) : argv_(argv) {}
    bool HasZone(std::string_view zone) const override;
    std::vector<int> NoonOffsetSeconds(std::string_view zone, CivilDate first, int count) const override;
    std::string Abbreviations(std::string_view zone, int year) const override;

private:
    [[noreturn]] void HandOver() const;
    char** argv_;
};

}  // namespace velmarin
