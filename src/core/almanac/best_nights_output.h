#pragma once

#include <string>
#include <vector>

#include "core/almanac/visibility_output.h"
#include "core/targets/best_nights.h"

namespace velmarin {

// `visibility --best`: per target the runs of dates on which it culminates
// in astronomical darkness with the Moon below the horizon. ranges[i]
// belongs to names[i]; dates are the days' local dates.

// {"year":Y, "latitude":…, "longitude":…, "zone":…, "targets":[{"name":N,
//  "nights":[{"from":"YYYY-MM-DD","to":"YYYY-MM-DD"}, …]}, …]}
std::string BestNightsJson(const VisibilityHeader& header, const std::vector<VisibilityDay>& days,
                           const std::vector<std::string>& names, const std::vector<std::vector<DayRange>>& ranges);
// One row per run: name, from, to, days.
std::string BestNightsCsv(const std::vector<VisibilityDay>& days, const std::vector<std::string>& names,
                          const std::vector<std::vector<DayRange>>& ranges);
// A German list, one line per target.
std::string BestNightsText(const VisibilityHeader& header, const std::vector<VisibilityDay>& days,
                           const std::vector<std::string>& names, const std::vector<std::vector<DayRange>>& ranges);

}  // namespace velmarin
