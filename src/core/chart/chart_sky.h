#pragma once

#include "core/chart/chart_settings.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/ephemeris/year_inputs.h"
#include "core/sky/year_sky.h"

namespace velmarin {

// What the chart of `year` is drawn for with these settings: the year, the
// place and the settings' civil clock; `zones` (may be null) resolves the
// settings' zone (ChartYearOffsets).
YearInputs YearInputsOf(int year, const ChartSettings& settings, const ZoneDatabase* zones);

// The parts of the year's model a pass in `mode` draws with `settings`: the
// tracks (and markers with showMoon) in modes 0..2, the twilight samples in
// DisplayMode::Twilight, with the passes and the moonlit samples as "mit
// Planeten" and "mit Mondlicht" ask.
YearSkyParts ChartSkyParts(DisplayMode mode, const ChartSettings& settings);

// The year's model for such a pass, built in (or found in) `cache`. The
// tracks' modes need no civil clock: their inputs are the year alone.
YearSky ChartYearSky(YearSkyCache& cache, int year, DisplayMode mode, const ChartSettings& settings,
                     const ZoneDatabase* zones);

}  // namespace velmarin
