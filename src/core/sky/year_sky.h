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

// Which parts of a year's model a drawing needs.
struct YearSkyParts {
    bool tracks = false;     // the bodies every second day (the year alone)
    bool markers = false;    // the lunar phase markers (the year alone)
    bool bands = false;      // the twilight samples
    bool passes = false;     // the planets' passes and the Moon's hours up
    bool moonlight = false;  // the Moon over the twilight samples
};

// The year's model: everything the chart draws of a year at a place, as one
// value. Each part points into the YearSkyCache that built it, null where it
// was not asked for, and stays valid until that cache builds again. (Events of
// targets, once the chart draws them, belong here too.)
struct YearSky {
    YearInputs inputs;
    const TrackYear* tracks = nullptr;
    const std::vector<PhaseMarker>* markers = nullptr;
    const std::vector<TwilightDay>* bands = nullptr;
    const NightPassYear* passes = nullptr;
    const MoonlitNight* moonlight = nullptr;
};

// The year's model, built once per input and kept while those inputs stay
// the same, so a repaint after a resize or an expose only draws. Each part is
// computed again as soon as one of the inputs it reads changes.
class YearSkyCache {
public:
    // The parts asked for; tracks and markers read only inputs.year.
    YearSky Build(const YearInputs& inputs, const YearSkyParts& parts);

    // The parts one by one.
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
