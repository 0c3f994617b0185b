#pragma once

#include <vector>

#include "core/chart/chart_pass.h"
#include "core/chart/phase_markers.h"
#include "core/sky/twilight_sampling.h"

namespace velmarin {

// The plot layers drawn inside the clip rectangle of the frame.

struct TrackYear;
struct NightPassYear;
struct MoonlitNight;

// Modes 0..2: body tracks, Moon node lines and the sidereal-time line,
// computing the positions as it goes.
void DrawBodyTracks(ChartPass& pass);
// The same from positions computed beforehand for pass.year (ComputeTrackYear).
void DrawBodyTracks(ChartPass& pass, const TrackYear& positions);
// DisplayMode::Twilight: band cells and the sunshine and darkness curves, sampling
// the year as it goes.
void DrawTwilightChart(ChartPass& pass);
// The same from samples taken beforehand with the pass's year and settings.
void DrawTwilightChart(ChartPass& pass, const std::vector<TwilightDay>& days);
// The same with what "mit Planeten" and "mit Mondlicht" add, as the settings
// ask: the planets' passes (ComputeNightPassYear for the pass's year, place
// and civil time) and the moonlit night (MoonlitSamples of `days`; may be
// null without "mit Mondlicht").
void DrawTwilightChart(ChartPass& pass, const std::vector<TwilightDay>& days, const NightPassYear& passes,
                       const MoonlitNight* moonlit);
// Screen only, when showDayLine: the line at todayJd.
void DrawDayLine(ChartPass& pass);
// DisplayMode::Normal: ecliptic, zodiac labels and declination scale.
void DrawEcliptic(ChartPass& pass);
// Modes 0..2 with showMoon: lunar phase and eclipse markers, searched as it goes.
void DrawMoonPhases(ChartPass& pass);
// The same from the markers of pass.year found beforehand (SearchPhaseMarkers).
void DrawMoonPhases(ChartPass& pass, const std::vector<PhaseMarker>& markers);
void DrawPhaseMarker(Surface& dc, int x, int y, int radius, int style);

}  // namespace velmarin
