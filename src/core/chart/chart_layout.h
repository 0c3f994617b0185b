#pragma once

#include "core/chart/surface.h"

namespace velmarin {

// Every coordinate of a drawing pass, recomputed before each pass from the
// page size. All integers are device units; "trunc" is toward zero.
struct ChartLayout {
    int pageWidth = 0;
    int pageHeight = 0;
    double scaleX = 0.0;  // pageWidth / 640
    double scaleY = 0.0;  // pageHeight / 480
    int plotLeft = 0, plotTop = 0, plotRight = 0, plotBottom = 0;
    int tickShortX = 0, tickShortY = 0;
    int tickLongX = 0, tickLongY = 0;
    int gridMarkHalf = 0;
    int penUnit = 0;       // unit of all line widths
    // The paper's resolution when a print pass knows it (0: unknown); the
    // print pens' fixed dot counts are meant for 300 dpi and scale with it,
    // so that widths on paper do not depend on the resolution.
    int printDotsPerInch = 0;
    bool portrait = false; // page taller than wide: days run down the page
    bool printing = false;
    double fontScale = 0.0;
    double fontFactor = 1.0;  // 0.8 when printing
    double startJd = 0.0;     // 1 January 0 h of the chart year
    int leapDay = 0;          // 1 when the chart year has a 29 February
};

// Layout of a page; charHeight is the height of "A" in the screen's default
// font (see ScreenCharHeight). startJd and leapDay come from SetChartYear.
// Dots on this page for `dots` print dots of 300 dpi (as many when the
// resolution is unknown or the pass is for the screen), at least one.
int PrintDots(const ChartLayout& layout, int dots);

ChartLayout LayoutChart(int pageWidth, int pageHeight, bool printing, int charHeight);
void SetChartYear(ChartLayout& layout, int year);

// (date, angle) to a page point; angle in rad, not normalised or clipped.
Point MapToPage(const ChartLayout& layout, double jd, double angle);
// MapToPage's two coordinates apart, for grids of dates and angles: the
// date's along the date axis (x in landscape, y in portrait), the angle's
// along the other; PagePoint puts them together as MapToPage does.
int DateToPage(const ChartLayout& layout, double jd);
int AngleToPage(const ChartLayout& layout, double angle);
inline Point PagePoint(const ChartLayout& layout, int date, int angle) {
    return layout.portrait ? Point{angle, date} : Point{date, angle};
}
// True when the plot has no extent along the date axis (MapToDate must not be used).
bool PlotCollapsed(const ChartLayout& layout);
// Page point back to a Julian Day (date axis) and to an angle (angle axis).
double MapToDate(const ChartLayout& layout, Point point);
double MapToAngle(const ChartLayout& layout, Point point);

}  // namespace velmarin
