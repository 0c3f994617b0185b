#pragma once

#include "chart/chart_pass.h"

namespace velmarin {

// The plot layers drawn inside the clip rectangle of the frame.

// Modes 0..2: body tracks, Moon node lines and the sidereal-time line.
void DrawBodyTracks(ChartPass& pass);
// ModeTwilight: band cells and the sunshine and darkness curves.
void DrawTwilightChart(ChartPass& pass);
// Screen only, when showDayLine: the line at todayJd.
void DrawDayLine(ChartPass& pass);
// ModeNormal: ecliptic, zodiac labels and declination scale.
void DrawEcliptic(ChartPass& pass);
// Modes 0..2 with showMoon: lunar phase and eclipse markers.
void DrawMoonPhases(ChartPass& pass);
void DrawPhaseMarker(Surface& dc, int x, int y, int radius, int style);
// Brush colour of a marker style.
Color PhaseMarkerColor(int style);

}  // namespace velmarin
