#include "core/app/target_night_readout.h"

#include <cmath>
#include <cstdio>

#include "core/chart/target_tracks.h"
#include "core/ephemeris/fixed_numbers.h"
#include "core/ephemeris/rise_set.h"
#include "core/ephemeris/time_calendar.h"
#include "core/targets/target_events.h"
#include "core/text/local_clock_time.h"
#include "core/text/number_text.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

namespace {

// An event further than this from the pointer's hour is not the curve under it.
constexpr double kReachHours = 0.5;

std::vector<TimeInterval> Common(const std::vector<TimeInterval>& a, const std::vector<TimeInterval>& b) {
    return SubtractIntervals(a, SubtractIntervals(a, b));
}

std::string HoursText(double hours) { return FixedNumber(hours, 1) + " h"; }

}  // namespace

std::optional<ReadoutDecision> TargetNightReadout(const std::vector<Target>& targets, Color pixel, Point point,
                                                  const ChartLayout& layout, const ChartSettings& settings,
                                                  const std::vector<VisibilityDay>& year, bool moonlight) {
    if (!InsideReadoutArea(layout, point) || PlotCollapsed(layout) || year.empty()) return std::nullopt;
    const double dayJd = std::round(MapToDate(layout, point) - 0.5) + 0.5;
    const double first = JulianDayFromDate(year.front().day, year.front().month, year.front().year, 0.0);
    const double index = dayJd - first;
    if (!(index >= 0.0 && index < static_cast<double>(year.size()))) return std::nullopt;
    const VisibilityDay& day = year[static_cast<std::size_t>(index)];
    const double hours = 24.0 - MapToAngle(layout, point) * 12.0 / fixed::kTwilightPi;
    const Observer observer{settings.latitude, settings.longitude};

    std::optional<std::size_t> nearest;
    BodyDayEvents nearestEvents;
    double nearestGap = kReachHours;
    for (std::size_t k = 0; k < targets.size(); ++k) {
        if (TargetColor(static_cast<int>(k)) != pixel) continue;
        const BodyDayEvents events = ComputeTargetEvents({targets[k]}, {day}, observer, 1).front().front();
        for (const std::optional<double>& t : {events.rise, events.transit, events.set}) {
            if (!t) continue;
            const double gap = std::fabs(std::remainder((*t - day.start) * 24.0 - hours, 24.0));
            if (gap <= nearestGap) {
                nearest = k;
                nearestEvents = events;
                nearestGap = gap;
            }
        }
    }
    if (!nearest) return std::nullopt;

    const BodyDayEvents& e = nearestEvents;
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%02d.%02d.%4d: ", day.day, day.month, day.year);
    std::string transit = LocalClockTimeOrNone(day.start, e.transit);
    if (e.transit) transit += " (" + FixedNumber(e.transitAltitude * 180.0 / fixed::kExactPi, 0) + "\u00b0)";
    std::string text = prefix + TargetName(targets[*nearest]) + Text(TextId::ReadoutRise) +
                       LocalClockTimeOrNone(day.start, e.rise) + Text(TextId::ReadoutTransit) + transit +
                       Text(TextId::ReadoutSet) + LocalClockTimeOrNone(day.start, e.set);
    const std::vector<TimeInterval> dark = Common(day.darkness, e.up);
    const double darkHours = IntervalHours(dark);
    if (darkHours <= 0.0) return ReadoutDecision{ReadoutDecision::Action::Show, text + Text(TextId::ReadoutNotUpInDarkness)};
    text += Text(TextId::ReadoutUpInDarkness) + HoursText(darkHours);
    if (moonlight) text += Text(TextId::ReadoutMoonDown) + HoursText(IntervalHours(SubtractIntervals(dark, day.bodies[IndexOf(BodyId::kMoon)].up)));
    return ReadoutDecision{ReadoutDecision::Action::Show, text};
}

}  // namespace velmarin
