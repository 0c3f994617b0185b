// Temporary: the plot layers draw nothing until their implementations land.
#include "chart/layers.h"

namespace velmarin {

void DrawBodyTracks(ChartPass&) {}
void DrawTwilightChart(ChartPass&) {}
void DrawDayLine(ChartPass&) {}
void DrawEcliptic(ChartPass&) {}
void DrawMoonPhases(ChartPass&) {}
void DrawPhaseMarker(Surface&, int, int, int, int) {}
Color PhaseMarkerColor(int) { return Rgb(0, 0, 0); }

}  // namespace velmarin
