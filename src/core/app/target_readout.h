#pragma once

#include <optional>
#include <vector>

#include "core/app/hover_readout.h"
#include "core/chart/chart_layout.h"
#include "core/chart/chart_settings.h"
#include "core/targets/target.h"

namespace velmarin {

// The readout over a target's line or track on the angle charts: of the
// targets drawn in the pixel's colour, the one whose place on the
// pointer's date lies nearest the pointer (and within a few pixels).
// Shown: "DD.MM.YYYY: NAME|RA, Dec°" and the magnitude where it is known.
// nullopt when no target lies there.
std::optional<ReadoutDecision> TargetReadout(const std::vector<Target>& targets, Color pixel, Point point,
                                             const ChartLayout& layout, DisplayMode mode);

}  // namespace velmarin
