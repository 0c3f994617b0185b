#include "core/app/night_readout.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "core/chart/band_legend.h"
#include "core/chart/night_overlay.h"
#include "core/chart/shown_bodies.h"
#include "core/chart/twilight_chart.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/rise_set.h"
#include "core/ephemeris/time_calendar.h"
#include "core/text/local_clock_time.h"
#include "core/text/number_text.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

namespace {

using fixed::kTwilightPi;  // the twilight chart's hour axis
// How near (in hours) to one of its events a colour shared with the chart's
// own curves must be to count as the planet.
constexpr double kSharedColourHours = 1.0;

struct CivilDay {
    double dayJd = 0.0;  // 0 h of the date
    VisibilityDay span;  // start and end (UT) as the visibility table has them
};

CivilDay DayAt(const ChartLayout& layout, Point point, const YearOffsets& offsets) {
    CivilDay day;
    day.dayJd = std::round(MapToDate(layout, point) - 0.5) + 0.5;
    const CalendarInstant date = CalendarFromJulianDay(day.dayJd);
    day.span.year = date.year;
    day.span.month = date.month;
    day.span.day = date.day;
    day.span.start = day.dayJd - offsets.OfDay(day.dayJd).days;
    day.span.end = day.dayJd + 1.0 - offsets.OfDay(day.dayJd + 1.0).days;
    return day;
}

std::string DatePrefix(const VisibilityDay& day) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%4d: ", day.day, day.month, day.year);
    return text;
}

// Local hour of the day that the pointer's position on the time axis stands for.
double PointerHours(const ChartLayout& layout, Point point) {
    return 24.0 - MapToAngle(layout, point) * 12.0 / kTwilightPi;
}

bool NearAnEvent(const BodyDayEvents& events, const VisibilityDay& day, double hours) {
    for (const std::optional<double>& t : {events.rise, events.transit, events.set}) {
        if (!t) continue;
        const double h = (*t - day.start) * 24.0;
        if (std::fabs(std::remainder(h - hours, 24.0)) <= kSharedColourHours) return true;
    }
    return false;
}

// The entry of `year` for the civil day `day`, or nullptr.
const VisibilityDay* DayOf(const std::vector<VisibilityDay>& year, const CivilDay& day) {
    if (year.empty()) return nullptr;
    const double first = JulianDayFromDate(year.front().day, year.front().month, year.front().year, 0.0);
    const double index = day.dayJd - first;
    if (!(index >= 0.0 && index < static_cast<double>(year.size()))) return nullptr;
    const VisibilityDay& found = year[static_cast<std::size_t>(index)];
    const bool same = found.year == day.span.year && found.month == day.span.month && found.day == day.span.day;
    return same ? &found : nullptr;
}

double IlluminatedFraction(double jd) {
    EphemerisContext context;
    const BodyPosition sun = ComputeBodyPosition(context, BodyId::kSun, jd);
    const BodyPosition moon = ComputeBodyPosition(context, BodyId::kMoon, jd);
    const double cosElongation = std::sin(sun.dec) * std::sin(moon.dec) +
                                 std::cos(sun.dec) * std::cos(moon.dec) * std::cos(sun.ra - moon.ra);
    return (1.0 - cosElongation) / 2.0;
}

}  // namespace

NightTarget FindNightTarget(Color pixel, const BodyCatalogue& catalogue, const ChartSettings& settings) {
    if (settings.showPlanets != 0) {
        const BodySelection shown = ShownBodies(settings);
        for (const BodyId body : kPlanets) {
            if (shown[IndexOf(body)] && catalogue.entries[IndexOf(body)].color == pixel)
                return {NightTarget::Kind::Planet, body};
        }
    }
    if (settings.showMoonlight != 0 && (pixel == kMoonlitAstronomicalColor || pixel == kMoonlitDarknessColor)) {
        return {NightTarget::Kind::Moonlight, BodyId::kMoon};
    }
    return {};
}

ReadoutDecision NightReadout(const NightTarget& target, Point point, const ChartLayout& layout,
                             const BodyCatalogue& catalogue, const ChartSettings& settings,
                             const YearOffsets& offsets, const std::vector<VisibilityDay>* year) {
    using Action = ReadoutDecision::Action;
    if (!InsideReadoutArea(layout, point)) return {Action::Hide, {}};
    if (PlotCollapsed(layout)) return {Action::Keep, {}};
    if (target.kind == NightTarget::Kind::None) return {Action::Hide, {}};

    const CivilDay day = DayAt(layout, point, offsets);
    const VisibilityDay* known = year != nullptr ? DayOf(*year, day) : nullptr;
    const VisibilityDay& span = known != nullptr ? *known : day.span;
    std::optional<BodyDayEvents> searched;
    if (known == nullptr) {
        searched = FindBodyEvents(target.body, span.start, span.end, Observer{settings.latitude, settings.longitude});
    }
    const BodyDayEvents& events = known != nullptr ? known->bodies[IndexOf(target.body)] : *searched;
    const std::string name = Translated(catalogue.entries[IndexOf(target.body)].name);

    if (target.kind == NightTarget::Kind::Planet) {
        const Color color = catalogue.entries[IndexOf(target.body)].color;
        const bool shared = color == catalogue.entries[kEntrySunshine].color ||
                            color == catalogue.entries[kEntryDarkness].color;
        if (shared && !NearAnEvent(events, span, PointerHours(layout, point))) return {Action::Hide, {}};
        std::string transit = LocalClockTimeOrNone(span.start, events.transit);
        if (events.transit) transit += " (" + FixedNumber(events.transitAltitude * 180.0 / kPi, 0) + "\u00b0)";
        return {Action::Show, DatePrefix(span) + name + Text(TextId::ReadoutRise) + LocalClockTimeOrNone(span.start, events.rise) +
                                  Text(TextId::ReadoutTransit) + transit + Text(TextId::ReadoutSet) + LocalClockTimeOrNone(span.start, events.set)};
    }
    const double at = span.start + PointerHours(layout, point) / 24.0;
    return {Action::Show, DatePrefix(span) + name + Text(TextId::ReadoutRise) + LocalClockTimeOrNone(span.start, events.rise) +
                              Text(TextId::ReadoutSet) + LocalClockTimeOrNone(span.start, events.set) + Text(TextId::ReadoutLit) +
                              FixedNumber(IlluminatedFraction(at) * 100.0, 0) + " %"};
}

int TwilightBandOfColour(Color pixel) {
    for (int band = 0; band < kTwilightBandCount; ++band) {
        if (TwilightBandShownColor(band) == pixel) return band;
    }
    return -1;
}

namespace {

// A civil day's span with the Sun's events: read from the year when it holds
// the day, else searched.
VisibilityDay SunDay(const ChartLayout& layout, Point point, double shiftDays, const ChartSettings& settings,
                     const YearOffsets& offsets, const std::vector<VisibilityDay>* year) {
    CivilDay day = DayAt(layout, point, offsets);
    if (shiftDays != 0.0) {
        day.dayJd += shiftDays;
        const CalendarInstant date = CalendarFromJulianDay(day.dayJd);
        day.span.year = date.year;
        day.span.month = date.month;
        day.span.day = date.day;
        day.span.start = day.dayJd - offsets.OfDay(day.dayJd).days;
        day.span.end = day.dayJd + 1.0 - offsets.OfDay(day.dayJd + 1.0).days;
    }
    if (const VisibilityDay* known = year != nullptr ? DayOf(*year, day) : nullptr) return *known;
    const SunDayEvents sun = FindSunEvents(day.span.start, day.span.end, Observer{settings.latitude, settings.longitude});
    day.span.bodies[IndexOf(BodyId::kSun)] = sun.sun;
    day.span.twilight = sun.twilight;
    return day.span;
}

}  // namespace

ReadoutDecision BandReadout(int band, Point point, const ChartLayout& layout, const ChartSettings& settings,
                            const YearOffsets& offsets, const std::vector<VisibilityDay>* year) {
    using Action = ReadoutDecision::Action;
    if (!InsideReadoutArea(layout, point)) return {Action::Hide, {}};
    if (PlotCollapsed(layout) || band < 0 || band >= kTwilightBandCount) return {Action::Keep, {}};
    const VisibilityDay day = SunDay(layout, point, 0.0, settings, offsets, year);
    const BodyDayEvents& sun = day.bodies[IndexOf(BodyId::kSun)];
    const TwilightInstants& t = day.twilight;
    // Which side of noon the pointer is on decides between dawn and dusk.
    const double noonHours = sun.transit ? (*sun.transit - day.start) * 24.0 : 12.0;
    const bool morning = PointerHours(layout, point) < noonHours;
    const VisibilityDay* fromDay = &day;
    const VisibilityDay* toDay = &day;
    std::optional<double> from, to;
    const auto stretch = [&](std::optional<double> a, std::optional<double> b) { from = a, to = b; };
    VisibilityDay other;
    if (band == 0) {
        stretch(sun.rise, sun.set);
    } else if (band == 1) {
        morning ? stretch(t.civilDawn, sun.rise) : stretch(sun.set, t.civilDusk);
    } else if (band == 2) {
        morning ? stretch(t.nauticalDawn, t.civilDawn) : stretch(t.civilDusk, t.nauticalDusk);
    } else if (band == 3) {
        morning ? stretch(t.astronomicalDawn, t.nauticalDawn) : stretch(t.nauticalDusk, t.astronomicalDusk);
    } else {
        // The night runs from one day's dusk into the next day's dawn.
        other = SunDay(layout, point, morning ? -1.0 : 1.0, settings, offsets, year);
        if (morning) {
            fromDay = &other;
            stretch(other.twilight.astronomicalDusk, t.astronomicalDawn);
        } else {
            toDay = &other;
            stretch(t.astronomicalDusk, other.twilight.astronomicalDawn);
        }
    }
    return {Action::Show, DatePrefix(day) + TwilightBandName(band) + " " + LocalClockTimeOrNone(fromDay->start, from) +
                              "\u2013" + LocalClockTimeOrNone(toDay->start, to)};
}

}  // namespace velmarin
