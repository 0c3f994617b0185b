#include "core/sky/year_sky.h"

#include "core/ephemeris/time_calendar.h"

namespace velmarin {

TrackYear ComputeTrackYear(int year) {
    TrackYear result;
    result.year = year;
    result.days.reserve(184);
    EphemerisContext context;
    for (double jd = JulianDayFromDate(1, 1, year, 0.0); CalendarFromJulianDay(jd).year == year;
         jd += 2) {
        TrackDay day;
        day.jd = jd;
        // Sun first: the others read the Sun's values of the same instant.
        for (const BodyId body : kAllBodies) day.bodies[IndexOf(body)] = ComputeBodyPosition(context, body, jd);
        day.moonNodeLongitude = context.moonNodeLongitude;
        result.days.push_back(day);
    }
    result.sunLongitude = context.sunLongitude;
    result.sunDistance = context.sunDistance;
    return result;
}

YearSky YearSkyCache::Build(const YearInputs& inputs, const YearSkyParts& parts) {
    YearSky sky;
    sky.inputs = inputs;
    if (parts.tracks) sky.tracks = &Tracks(inputs.year);
    if (parts.markers) sky.markers = &PhaseMarkers(inputs.year);
    if (parts.bands || parts.moonlight) sky.bands = &Twilight(inputs);
    if (parts.passes || parts.moonlight) sky.passes = &NightPasses(inputs);
    if (parts.moonlight) sky.moonlight = &Moonlit(inputs);
    return sky;
}

const std::vector<TwilightDay>& YearSkyCache::Twilight(const YearInputs& inputs) {
    if (twilightInputs_ != inputs) {
        // A new place reuses the year's Sun; a new year or clock computes it again.
        YearInputs clock = inputs;
        clock.latitude = 0.0;
        clock.longitude = 0.0;
        const int threads = TwilightThreads();
        if (!twilightSun_ || !(twilightSun_->clock == clock)) {
            twilightSun_ = ComputeTwilightSunYear(inputs, threads);
        }
        twilight_ = SampleTwilightPlace(*twilightSun_, inputs.latitude, inputs.longitude, threads);
        twilightInputs_ = inputs;
    }
    return twilight_;
}

const std::vector<PhaseMarker>& YearSkyCache::PhaseMarkers(int year) {
    if (phaseYear_ != year) {
        phases_ = SearchPhaseMarkers(year);
        phaseYear_ = year;
    }
    return phases_;
}

const std::vector<VisibilityDay>& YearSkyCache::Visibility(const YearInputs& inputs) {
    if (visibilityInputs_ != inputs) {
        visibility_ = ComputeVisibilityYear(inputs);
        visibilityInputs_ = inputs;
    }
    return visibility_;
}

const NightPassYear& YearSkyCache::NightPasses(const YearInputs& inputs) {
    if (passInputs_ != inputs) {
        // A new place reuses the year's positions.
        if (!nightTables_ || nightTables_->year != inputs.year) nightTables_ = ComputeNightSkyTables(inputs.year);
        passes_ = ComputeNightPassYear(*nightTables_, inputs);
        passInputs_ = inputs;
    }
    return passes_;
}

const MoonlitNight& YearSkyCache::Moonlit(const YearInputs& inputs) {
    if (moonlitInputs_ != inputs) {
        moonlit_ = MoonlitSamples(Twilight(inputs), NightPasses(inputs).moonUp, inputs.offsets);
        moonlitInputs_ = inputs;
    }
    return moonlit_;
}

const TrackYear& YearSkyCache::Tracks(int year) {
    if (!tracks_ || tracks_->year != year) tracks_ = ComputeTrackYear(year);
    return *tracks_;
}

}  // namespace velmarin
