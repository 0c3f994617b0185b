#pragma once

#include <string>
#include <vector>

#include "core/almanac/options.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/sky/twilight_sampling.h"

namespace velmarin {

// The twilight chart's samples of a year in the almanac's formats; `days`
// are SampleTwilightYear's for the options' year and observer.

// `inputs` are YearInputsOf's, whose per-day offsets JSON and CSV show.
std::string DaylightJson(const DaylightOptions& options, const YearInputs& inputs,
                         const std::vector<TwilightDay>& days);
std::string DaylightText(const DaylightOptions& options, const std::vector<TwilightDay>& days);
// One row per day: the JSON's fields, the year's own repeated on every row.
std::string DaylightCsv(const DaylightOptions& options, const YearInputs& inputs,
                        const std::vector<TwilightDay>& days);

// The inputs of the twilight sampling for these options; `zones` (may be
// null) turns the settings' zone into per-day offsets.
YearInputs YearInputsOf(const DaylightOptions& options, const ZoneDatabase* zones);

}  // namespace velmarin
