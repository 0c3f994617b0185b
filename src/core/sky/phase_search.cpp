#include "core/sky/phase_search.h"

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/moon_phase.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

// A year holds about 12.4 lunations plus the 35 days searched before it;
// the cap only stops a search that a broken calendar could keep going.
constexpr int kLunationCap = 40;

int PlainStyle(int kind) {
    switch (kind) {
        case kNewMoon: return kStyleNewMoon;
        case kFirstQuarter: return kStyleFirstQuarter;
        case kFullMoon: return kStyleFullMoon;
        default: return kStyleLastQuarter;
    }
}

// Positions and style of one phase. Sun first, then Moon, in a context of
// its own: the Moon reads the Sun's values of the same instant.
PhaseMarker MarkerAt(int kind, double jd) {
    EphemerisContext context;
    const BodyPosition sun = ComputeBodyPosition(context, BodyId::kSun, jd);
    const BodyPosition moon = ComputeBodyPosition(context, BodyId::kMoon, jd);
    PhaseMarker marker;
    marker.kind = kind;
    marker.jd = jd;
    marker.sunRa = sun.ra;
    marker.moonRa = moon.ra;
    marker.moonLongitude = moon.eclipticLongitude;
    marker.nodeLongitude = context.moonNodeLongitude;
    // Only a new or full moon near a node can be an eclipse; the Moon's
    // ecliptic longitude is what the node is measured against.
    marker.eclipse = (kind == kNewMoon || kind == kFullMoon) &&
                     MoonNearNode(marker.moonLongitude, marker.nodeLongitude, kEclipseLimitDegrees);
    marker.style = PlainStyle(kind);
    if (marker.eclipse) marker.style = kind == kNewMoon ? kStyleSolarEclipse : kStyleLunarEclipse;
    return marker;
}

}  // namespace

std::vector<PhaseMarker> SearchPhaseMarkers(int year) {
    std::vector<PhaseMarker> markers;
    markers.reserve(56);
    const double startJd = JulianDayFromDate(1, 1, year, 0.0);
    double t = startJd - 35.0;
    for (int lunation = 0; lunation < kLunationCap; ++lunation) {
        double jp = 0.0;
        int phaseYear = 0;
        for (int kind = kNewMoon; kind <= kLastQuarter; ++kind) {
            jp = FindMoonPhase(kind == kNewMoon ? t : jp + 4.0, kind).jd;
            phaseYear = CalendarFromJulianDay(jp).year;
            if (phaseYear == year) markers.push_back(MarkerAt(kind, jp));
        }
        if (phaseYear > year) break;
        t = jp + 4.0 + 1.0;
    }
    return markers;
}

}  // namespace velmarin
