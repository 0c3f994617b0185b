#pragma once

#include <string>

#include "core/chart/chart_pass.h"

namespace velmarin {

// The fixed parts of a chart page around and on the plot frame. Each drawing
// function restores the pen and font it found.

// "Astronomischer Kalender 2024" or, for the twilight chart, "Dämmerung 2024".
std::string ChartTitle(int year, DisplayMode mode);
// The caption below the plot: which axis carries the angle, what it is and,
// outside the twilight chart, the line coding. zoneCaption: the named zone
// the twilight chart's clock follows (ZoneCaption), or empty. brief: the
// line coding in short words ("Linienbreite nach Durchmesser"), for pages
// too narrow for the whole caption.
std::string AxisCaption(DisplayMode mode, const ChartSettings& settings, bool portrait,
                        const std::string& zoneCaption = {}, bool brief = false);
// The location line of the twilight chart; angles in rad.
std::string LocationText(double latitude, double longitude);
// Title above the plot, centred on it; lower on paper.
void DrawTitle(ChartPass& pass);
// Month ticks (1st, 11th, 21st, long on the 1st and on 31 December) on both
// date edges and the month names at the 16th.
void DrawDayAxis(ChartPass& pass);
// Hour ticks and numbers on both angle edges: every hour, or every second
// hour relative to the Sun.
void DrawTimeAxis(ChartPass& pass);
// Caption and legend below the plot; a caption longer than the legend is
// wide is said shorter, set smaller, and at last wrapped. Clears
// colorReadBack at the end.
void DrawCaptions(ChartPass& pass, LegendCursor& legend, bool& colorReadBack);
// One legend entry: name and a sample line in the entry's colour; x or y of
// -1 continue at the legend cursor; an entry that would end beyond the
// right end wraps to a new row. With colorReadBack on a screen pass the
// catalogue colour becomes the colour the surface shows for the sample line.
void DrawLegendEntry(ChartPass& pass, LegendCursor& legend, bool colorReadBack, int entry, int x,
                     int y);
// Grid marks on the 1st, 11th and 21st of each month (drawn when showGrid).
void DrawGrid(ChartPass& pass);
// The printed page's footer line below the legend, kept inside the page.
void DrawFooter(ChartPass& pass, const LegendCursor& legend);

}  // namespace velmarin
