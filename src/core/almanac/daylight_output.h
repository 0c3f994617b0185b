#pragma once

#include <string>
#include <vector>

#include "core/almanac/options.h"
#include "core/chart/twilight_sampling.h"

namespace velmarin {

// The twilight chart's samples of a year in the almanac's formats; `days`
// are SampleTwilightYear's for the options' year and observer.

std::string DaylightJson(const DaylightOptions& options, const std::vector<TwilightDay>& days);
std::string DaylightText(const DaylightOptions& options, const std::vector<TwilightDay>& days);
// One row per day: the JSON's fields, the year's own repeated on every row.
std::string DaylightCsv(const DaylightOptions& options, const std::vector<TwilightDay>& days);

// The inputs of the twilight sampling for these options.
TwilightInputs TwilightInputsOf(const DaylightOptions& options);

}  // namespace velmarin
