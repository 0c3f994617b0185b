#include "core/app/hover_readout.h"

#include <cstdio>

#include "core/chart/phase_markers.h"
#include "core/chart/shown_bodies.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/moon_phase.h"
#include "core/ephemeris/time_calendar.h"
#include "core/text/number_text.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

namespace {

constexpr Color kWhite = Rgb(255, 255, 255);

// Markers are dated by the first phase after a point half a lunation before
// the pointer's date, which is the marker's own phase.
constexpr double kPhaseSearchLeadDays = 15.0;

// First catalogue entry (body) drawn in `pixel`, or -1.
std::optional<BodyId> FindBody(Color pixel, const BodyCatalogue& catalogue, const ChartSettings& settings) {
    const BodySelection shown = ShownBodies(settings);
    for (const BodyId body : kAllBodies) {
        if (body == BodyId::kMoon && settings.showMoon == 0) break;
        if (body != BodyId::kMoon && !shown[IndexOf(body)]) continue;
        if (catalogue.entries[IndexOf(body)].color == pixel) return body;
    }
    return std::nullopt;
}

// "DD.MM.YYYY: " as the readout dates its lines.
std::string DatePrefix(const CalendarInstant& date) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%4d: ", date.day, date.month, date.year);
    return text;
}

const PhaseMarkerLook* FindMarker(Color pixel) {
    for (const PhaseMarkerLook& marker : kPhaseMarkerLooks) {
        if (marker.color == pixel) return &marker;
    }
    return nullptr;
}

std::string BodyText(EphemerisContext& context, BodyId body, const std::string& name, double jd) {
    const CalendarInstant date = CalendarFromJulianDay(jd);
    ComputeBodyPosition(context, BodyId::kSun, jd);  // the planets read the Sun's values
    const BodyPosition position = ComputeBodyPosition(context, body, jd);
    const std::string raText = FormatHoursMinutes(position.ra);
    const double decDegrees = position.dec * 180.0 / kPi;

    // Sun and Moon in arc minutes, the planets in arc seconds.
    const bool large = body == BodyId::kSun || body == BodyId::kMoon;
    std::string text = DatePrefix(date) + name + "|" + raText + ", " +
                       SignedFixedNumber(decDegrees, 1) + "°|" +
                       (large ? FixedNumber(position.diameter / 60, 1) + "'"
                              : FixedNumber(position.diameter, 1) + "\"");
    if (body != BodyId::kSun) text += ", " + FixedNumber(position.magnitude, 1) + "mag";
    return text;
}

std::string MarkerText(const PhaseMarkerLook& marker, double jd) {
    const MoonPhaseResult phase = FindMoonPhase(jd - kPhaseSearchLeadDays, marker.kind);
    const CalendarInstant date = CalendarFromJulianDay(phase.jd);
    return DatePrefix(date) + Translated(marker.label);
}

}  // namespace

bool InsideReadoutArea(const ChartLayout& layout, Point point) {
    return point.x >= layout.plotLeft + 1 && point.x < layout.plotRight - 1 &&
           point.y >= layout.plotTop + 1 && point.y < layout.plotBottom - 1;
}

ReadoutDecision HoverReadout(EphemerisContext& context, Color pixel, Point point,
                             const ChartLayout& layout, const BodyCatalogue& catalogue,
                             const ChartSettings& settings) {
    using Action = ReadoutDecision::Action;
    if (!InsideReadoutArea(layout, point)) return {Action::Hide, {}};
    // A text pixel hides what lies beneath: the readout stays as it was.
    if (pixel == kInvalidColor) return {Action::Keep, {}};
    // Nothing named under the pointer: a readout left standing would name a
    // track or marker far from it.
    if (pixel == kWhite) return {Action::Hide, {}};
    // A damaged displayMode is drawn as the normal chart, so it reads like one.
    if (EffectiveDisplayMode(settings.displayMode) == DisplayMode::Twilight) return {Action::Hide, {}};
    if (PlotCollapsed(layout)) return {Action::Keep, {}};

    if (const std::optional<BodyId> body = FindBody(pixel, catalogue, settings)) {
        const double jd = MapToDate(layout, point);
        return {Action::Show, BodyText(context, *body, Translated(catalogue.entries[IndexOf(*body)].name), jd)};
    }
    if (const PhaseMarkerLook* marker = FindMarker(pixel)) {
        return {Action::Show, MarkerText(*marker, MapToDate(layout, point))};
    }
    return {Action::Hide, {}};
}

}  // namespace velmarin
