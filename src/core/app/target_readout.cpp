#include "core/app/target_readout.h"

#include <cmath>
#include <cstdio>

#include "core/chart/mode_angle.h"
#include "core/chart/target_tracks.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/fixed_numbers.h"
#include "core/ephemeris/time_calendar.h"
#include "core/targets/target_place.h"
#include "core/text/number_text.h"

namespace velmarin {

namespace {

// Further than this from the pointer a line is not the one under it.
constexpr double kReachPixels = 4.0;

}  // namespace

std::optional<ReadoutDecision> TargetReadout(const std::vector<Target>& targets, Color pixel, Point point,
                                             const ChartLayout& layout, DisplayMode mode) {
    if (mode == DisplayMode::Twilight || !InsideReadoutArea(layout, point) || PlotCollapsed(layout))
        return std::nullopt;
    const double jd = MapToDate(layout, point);
    EphemerisContext context;
    const double sunRa = ComputeBodyPosition(context, BodyId::kSun, jd).ra;
    std::optional<std::size_t> nearest;
    double nearestDistance = kReachPixels;
    TargetPlace nearestPlace;
    for (std::size_t k = 0; k < targets.size(); ++k) {
        if (TargetColor(static_cast<int>(k)) != pixel) continue;
        const TargetPlace place = ComputeTargetPlace(targets[k], jd);
        const Point p = MapToPage(layout, jd, ModeAngle(mode, place.ra, sunRa));
        const double distance = std::hypot(p.x - point.x, p.y - point.y);
        if (distance <= nearestDistance) {
            nearest = k;
            nearestDistance = distance;
            nearestPlace = place;
        }
    }
    if (!nearest) return std::nullopt;
    const CalendarInstant date = CalendarFromJulianDay(jd);
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%02d.%02d.%4d: ", date.day, date.month, date.year);
    std::string text = prefix + TargetName(targets[*nearest]) + "|" + FormatHoursMinutes(nearestPlace.ra) + ", " +
                       SignedFixedNumber(nearestPlace.dec * 180.0 / fixed::kExactPi, 1) + "°";
    if (nearestPlace.magnitude) text += "|" + FixedNumber(*nearestPlace.magnitude, 1) + "mag";
    return ReadoutDecision{ReadoutDecision::Action::Show, text};
}

}  // namespace velmarin
