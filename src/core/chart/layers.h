#pragma once

#include <vector>

#include "core/chart/chart_pass.h"
#include "core/sky/year_sky.h"

namespace velmarin {

// The plot layers drawn inside the clip rectangle of the frame. The layers
// that draw the year's sky only draw: they read the year's model
// (ChartYearSky for the pass's year, mode and settings) and compute nothing
// of the sky themselves.

// Modes 0..2: body tracks, Moon node lines and the sidereal-time line, from
// sky.tracks.
void DrawBodyTracks(ChartPass& pass, const YearSky& sky);
// DisplayMode::Twilight: band cells and the sunshine and darkness curves from
// sky.bands, and what "mit Planeten" and "mit Mondlicht" add as the settings
// ask (sky.passes; sky.moonlight, which may be null without "mit Mondlicht"),
// and the targets' curves "mit Zielen" adds.
struct NightTargets;
void DrawTwilightChart(ChartPass& pass, const YearSky& sky, const NightTargets& targets);
void DrawTwilightChart(ChartPass& pass, const YearSky& sky);  // without targets
// Screen only, when showDayLine: the line at todayJd.
void DrawDayLine(ChartPass& pass);
// DisplayMode::Normal: ecliptic, zodiac labels and declination scale.
void DrawEcliptic(ChartPass& pass);
// Modes 0..2 with showMoon: lunar phase and eclipse markers from sky.markers.
void DrawMoonPhases(ChartPass& pass, const YearSky& sky);
void DrawPhaseMarker(Surface& dc, int x, int y, int radius, int style);

}  // namespace velmarin
