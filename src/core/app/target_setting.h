#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/chart/chart_settings.h"
#include "core/targets/target.h"
#include "core/targets/target_files.h"

namespace velmarin {

// The window's targets ("Ansicht → Ziele…") in the settings file's
// extension lines, kept among the lines a version without targets writes
// back untouched:
//   "targets FILE" or "targets messier"  a CSV list, or the built-in one
//   "elements FILE"                      MPC one-line elements
//   "target RA DEC NAME"                 one added by hand: RA in hours and
//                                        Dec in degrees (J2000, decimal),
//                                        the name to the end of the line
//   "hidetarget NAME"                    a target of those the chart leaves
//                                        out, the name to the end of the line
inline constexpr std::string_view kTargetsKeyword = "targets";
inline constexpr std::string_view kHideTargetKeyword = "hidetarget";
inline constexpr std::string_view kElementsKeyword = "elements";
inline constexpr std::string_view kTargetKeyword = "target";

struct SavedTargets {
    TargetSources sources;
    std::vector<FixedTarget> own;  // added by hand, in the order added
    std::vector<std::string> hidden;  // names of targets not drawn, in the order saved
    bool operator==(const SavedTargets&) const = default;
};

// What the settings' extension lines name, in their order; a "target" line
// whose numbers cannot be read, or out of range, is left out.
SavedTargets SettingsTargets(const ChartSettings& settings);

// settings with `targets` as their lines: every line SettingsTargets reads
// replaced by the new ones, after the other extension lines (a "target"
// line it cannot read is kept as it was).
ChartSettings WithSettingsTargets(ChartSettings settings, const SavedTargets& targets);

// Every target the saved lines name: the lists first, then the orbits, then
// the ones added by hand. A file that cannot be read, or has a bad line,
// adds nothing and its one-line message ("FILE:LINE: ...") is returned in
// `problems`; the other files still count.
struct LoadedTargets {
    std::vector<Target> targets;
    std::vector<std::string> problems;
};
LoadedTargets LoadSavedTargets(const SavedTargets& saved);

// The targets the chart draws: those of `all` whose names `saved.hidden`
// does not hold, in their order (their colours follow that order).
std::vector<Target> DrawnTargets(std::vector<Target> all, const SavedTargets& saved);

}  // namespace velmarin
