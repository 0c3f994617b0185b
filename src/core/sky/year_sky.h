#pragma once

#include <optional>
#include <vector>

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/visibility_year.h"
#include "core/sky/moonlit_night.h"
#include "core/sky/night_passes.h"
#include "core/sky/phase_search.h"
#include "core/sky/twilight_sampling.h"

namespace velmarin {

// Positions of the bodies on one track day, computed Sun first.
struct TrackDay {
    double jd = 0.0;
    BodyPosition bodies[kBodyCount];
    double moonNodeLongitude = 0.0;  // rad, as the Moon's computation leaves it
};

// Every second day of a year from 1 January, as the track layer steps.
struct TrackYear {
    int year = 0;
    std::vector<TrackDay> days;
    // What the last day's Sun leaves in a context (0 when there is no day).
    double sunLongitude = 0.0;
    double sunDistance = 0.0;
};

// The track days of `year`, each computed in the order the layer uses.
TrackYear ComputeTrackYear(int year);

// The parts of the chart that depend only on the year (and, for the twilight
// chart, the place and civil time), kept while those inputs stay the same so
// a repaint after a resize or an expose only draws. Each entry is computed
// again as soon as one of the inputs it reads changes.
class YearSkyCache {
public:
    const std::vector<TwilightDay>& Twilight(const YearInputs& inputs);
    const std::vector<PhaseMarker>& PhaseMarkers(int year);
    const TrackYear& Tracks(int year);
    // Rise, transit and set of every body on every civil day.
    const std::vector<VisibilityDay>& Visibility(const YearInputs& inputs);
    // The planets' passes and the Moon's hours up, as the twilight chart draws them.
    const NightPassYear& NightPasses(const YearInputs& inputs);
    // The Moon over the twilight chart's samples (MoonlitSamples).
    const MoonlitNight& Moonlit(const YearInputs& inputs);

private:
    std::optional<TwilightSunYear> twilightSun_;
    std::optional<YearInputs> twilightInputs_;
    std::vector<TwilightDay> twilight_;
    std::optional<int> phaseYear_;
    std::vector<PhaseMarker> phases_;
    std::optional<TrackYear> tracks_;
    std::optional<YearInputs> visibilityInputs_;
    std::vector<VisibilityDay> visibility_;
    std::optional<NightSkyTables> nightTables_;
    std::optional<YearInputs> passInputs_;
    NightPassYear passes_;
    std::optional<YearInputs> moonlitInputs_;
    MoonlitNight moonlit_;
};

}  // namespace velmarin
