// The line at today's date.
#include "core/chart/layers.h"
#include "core/ephemeris/ephemeris_context.h"

namespace velmarin {

namespace {
constexpr Color kDayLineColor = Rgb(125, 125, 125);
constexpr int kDayLineWidth = 2;
}  // namespace

void DrawDayLine(ChartPass& pass) {
    // A printed page is kept for later; today's date means nothing on it.
    if (pass.layout.printing || pass.dc.IsPrinting() || !pass.settings.showDayLine) return;
    const Pen previous = pass.dc.SelectPen(Pen{kDayLineColor, kDayLineWidth});
    pass.dc.Line(MapToPage(pass.layout, pass.todayJd, 0.0),
                 MapToPage(pass.layout, pass.todayJd, 2 * kPi));
    pass.dc.SelectPen(previous);
}

}  // namespace velmarin
