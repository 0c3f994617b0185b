#pragma once

#include <string_view>

#include "core/chart/chart_settings.h"

namespace velmarin {

// "mit Zielen" on the twilight chart: the targets' rise, transit and set
// drawn as curves beside the planets'. Kept as the settings file's extension
// line "targetcurves 1" (none when off), among the lines a version without
// targets writes back untouched.
inline constexpr std::string_view kTargetCurvesLine = "targetcurves 1";

bool ShowsTargetCurves(const ChartSettings& settings);
ChartSettings WithTargetCurves(ChartSettings settings, bool on);

}  // namespace velmarin
