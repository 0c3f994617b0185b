#pragma once

#include "core/chart/surface.h"
#include "core/chart/truncate.h"
#include "core/ephemeris/fixed_numbers.h"

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

namespace layout_axes {
// The angle axis is scaled from the reference plot's extents.
inline constexpr double kReferencePlotHeight = 374.0;
inline constexpr double kReferencePlotWidth = 584.0;
// Days spanned by the date axis before the leap day: 31 December falls 0.4
// day short of the far edge.
inline constexpr double kDateSpanDays = 364.4;
inline double DateSpan(const ChartLayout& layout) { return kDateSpanDays + layout.leapDay; }
}  // namespace layout_axes

// MapToPage's two coordinates apart, for grids of dates and angles: the
// date's along the date axis (x in landscape, y in portrait), the angle's
// along the other; PagePoint puts them together as MapToPage does. Inline:
// the curves map hundreds of thousands of points a pass.
inline int DateToPage(const ChartLayout& layout, double jd) {
    const double days = jd - layout.startJd;
    if (!layout.portrait) {
        return TruncToInt((layout.plotRight - layout.plotLeft) * days / layout_axes::DateSpan(layout) +
                          layout.plotLeft);
    }
    return TruncToInt((layout.plotBottom - layout.plotTop) * days / layout_axes::DateSpan(layout) + layout.plotTop);
}
inline int AngleToPage(const ChartLayout& layout, double angle) {
    using layout_axes::kReferencePlotHeight;
    using layout_axes::kReferencePlotWidth;
    if (!layout.portrait) return TruncToInt(angle * 0.5 / kPi * kReferencePlotHeight * layout.scaleY + layout.plotTop);
    return TruncToInt((2 * kPi - angle) * 0.5 / kPi * kReferencePlotWidth * layout.scaleX + layout.plotLeft);
}
inline Point PagePoint(const ChartLayout& layout, int date, int angle) {
    return layout.portrait ? Point{angle, date} : Point{date, angle};
}
// (date, angle) to a page point; angle in rad, not normalised or clipped.
inline Point MapToPage(const ChartLayout& layout, double jd, double angle) {
    return PagePoint(layout, DateToPage(layout, jd), AngleToPage(layout, angle));
}
// True when the plot has no extent along the date axis (MapToDate must not be used).
bool PlotCollapsed(const ChartLayout& layout);
// Page point back to a Julian Day (date axis) and to an angle (angle axis).
double MapToDate(const ChartLayout& layout, Point point);
double MapToAngle(const ChartLayout& layout, Point point);

}  // namespace velmarin
