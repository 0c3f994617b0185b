#include "core/chart/chart_layout.h"

#include <algorithm>
#include <cmath>

#include "core/chart/truncate.h"
#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

// The reference page everything is laid out on, and its plot rectangle.
constexpr double kReferenceWidth = 640.0;
constexpr double kReferenceHeight = 480.0;
constexpr double kPlotLeft = 28.0, kPlotTop = 50.0, kPlotRight = 612.0, kPlotBottom = 424.0;
using layout_axes::kReferencePlotHeight;
using layout_axes::kReferencePlotWidth;
constexpr double kPrintFontFactor = 0.8;
constexpr double kLinesPerPage = 30.0;

using layout_axes::DateSpan;

}  // namespace

int PrintDots(const ChartLayout& layout, int dots) {
    constexpr double kPrintReferenceDpi = 300.0;
    if (!layout.printing || layout.printDotsPerInch <= 0) return dots;
    return std::max(1, static_cast<int>(std::lround(dots * layout.printDotsPerInch / kPrintReferenceDpi)));
}

ChartLayout LayoutChart(int pageWidth, int pageHeight, bool printing, int charHeight) {
    ChartLayout layout;
    // Pages beyond this are not drawable anyway; the bound keeps every
    // product below within int range.
    constexpr int kLargestPage = 1 << 20;
    layout.pageWidth = std::clamp(pageWidth, 0, kLargestPage);
    layout.pageHeight = std::clamp(pageHeight, 0, kLargestPage);
    layout.printing = printing;
    layout.scaleX = layout.pageWidth / kReferenceWidth;
    layout.scaleY = layout.pageHeight / kReferenceHeight;
    layout.plotLeft = TruncToInt(kPlotLeft * layout.scaleX);
    layout.plotTop = TruncToInt(kPlotTop * layout.scaleY);
    layout.plotRight = TruncToInt(kPlotRight * layout.scaleX);
    layout.plotBottom = TruncToInt(kPlotBottom * layout.scaleY);
    layout.tickShortX = TruncToInt(6 * layout.scaleX);
    layout.tickShortY = TruncToInt(6 * layout.scaleY);
    layout.tickLongX = TruncToInt(15 * layout.scaleX);
    layout.tickLongY = TruncToInt(15 * layout.scaleY);
    layout.gridMarkHalf = std::min(TruncToInt(3 * layout.scaleX), TruncToInt(3 * layout.scaleY));
    layout.penUnit = TruncToInt(10 * layout.scaleY);
    layout.portrait = layout.pageWidth < layout.pageHeight;
    // A surface without text metrics counts as one unit high.
    const int height = std::max(1, charHeight);
    layout.fontScale = static_cast<double>(layout.pageHeight) / height / kLinesPerPage;
    layout.fontFactor = printing ? kPrintFontFactor : 1.0;
    if (printing) layout.gridMarkHalf = TruncToInt(layout.gridMarkHalf * kPrintFontFactor);
    return layout;
}

void SetChartYear(ChartLayout& layout, int year) {
    layout.startJd = JulianDayFromDate(1, 1, year, 0.0);
    layout.leapDay = IsLeapYear(year) ? 1 : 0;
}

bool PlotCollapsed(const ChartLayout& layout) {
    return layout.portrait ? layout.plotBottom <= layout.plotTop
                           : layout.plotRight <= layout.plotLeft;
}

double MapToDate(const ChartLayout& layout, Point point) {
    const int p = layout.portrait ? point.y : point.x;
    const int s = layout.portrait ? layout.plotTop : layout.plotLeft;
    const int e = layout.portrait ? layout.plotBottom : layout.plotRight;
    // A collapsed plot has no dates to tell apart.
    if (e <= s) return layout.startJd;
    return layout.startJd + static_cast<double>(p - s) * DateSpan(layout) / (e - s);
}

double MapToAngle(const ChartLayout& layout, Point point) {
    if (!layout.portrait) {
        const double extent = kReferencePlotHeight * layout.scaleY;
        if (extent <= 0.0) return 0.0;
        return static_cast<double>(point.y - layout.plotTop) * 2 * kPi / extent;
    }
    const double extent = kReferencePlotWidth * layout.scaleX;
    if (extent <= 0.0) return 0.0;
    return 2 * kPi - static_cast<double>(point.x - layout.plotLeft) * 2 * kPi / extent;
}

}  // namespace velmarin
