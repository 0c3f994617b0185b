#pragma once

#include <optional>
#include <vector>

#include "core/app/hover_readout.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/ephemeris/visibility_year.h"
#include "core/targets/target.h"

namespace velmarin {

// The readout over a target's curve on the twilight chart ("mit Zielen"):
// of the targets drawn in the pixel's colour, the one with an event of the
// pointer's civil day nearest the pointer's hour (within half an hour).
// Shown: its rise, transit (with the altitude) and set in local time, and
// how long it stands above the horizon in astronomical darkness that day
// ("| in astronomischer Dunkelheit über dem Horizont: 6.2 h"), with
// `moonlight` how much of that with the Moon below the horizon. `day` is
// the chart year's entry for the pointer's day (darkness, the Moon's hours
// up). nullopt when no target's curve lies there.
std::optional<ReadoutDecision> TargetNightReadout(const std::vector<Target>& targets, Color pixel, Point point,
                                                  const ChartLayout& layout, const ChartSettings& settings,
                                                  const std::vector<VisibilityDay>& year, bool moonlight);

}  // namespace velmarin
