// Lunar phase and eclipse markers.
#include <cmath>

#include "core/chart/layers.h"
#include "core/chart/phase_markers.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {
// Corners of a half disc: 19 points over half a turn.
constexpr int kHalfDiscPoints = 19;
}  // namespace

void DrawPhaseMarker(Surface& dc, int x, int y, int radius, int style) {
    const Color color = PhaseMarkerColor(style);
    if (color == kInvalidColor) return;
    dc.SetBackgroundMode(BackgroundMode::Opaque);
    const Brush previous = dc.SelectBrush(Brush{color, false});
    if (style == kStyleFirstQuarter || style == kStyleLastQuarter) {
        // First quarter: the half right of x; last quarter: the half left.
        const int sign = style == kStyleFirstQuarter ? 1 : -1;
        Point points[kHalfDiscPoints];
        for (int i = 0; i < kHalfDiscPoints; ++i) {
            const double theta = i * kPi / 18;
            points[i] = {x + sign * static_cast<int>(std::sin(theta) * radius),
                         y + sign * static_cast<int>(std::cos(theta) * radius)};
        }
        dc.Polygon(points, kHalfDiscPoints);
    } else {
        dc.Ellipse(x - radius, y - radius, x + radius, y + radius);
    }
    dc.SelectBrush(previous);
}

void DrawMoonPhases(ChartPass& pass, const YearSky& sky) {
    if (!pass.settings.showMoon) return;
    const std::vector<PhaseMarker>& markers = *sky.markers;
    const int radius = DiameterPenWidth(pass.catalogue, pass.layout, IndexOf(BodyId::kVenus), 35.0).width;
    for (const PhaseMarker& marker : markers) {
        double angle = marker.moonRa;
        if (pass.mode == DisplayMode::Sun) angle = NormalizeAngle(kPi + marker.moonRa - marker.sunRa);
        if (pass.mode == DisplayMode::Midnight) angle = NormalizeAngle(marker.moonRa - marker.sunRa);
        const Point p = MapToPage(pass.layout, marker.jd, angle);
        DrawPhaseMarker(pass.dc, p.x, p.y, radius, marker.style);
    }
}

}  // namespace velmarin
