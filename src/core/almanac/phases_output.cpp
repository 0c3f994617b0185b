#include "core/almanac/phases_output.h"

#include <cmath>

#include "core/almanac/command_output.h"
#include "core/almanac/csv_writer.h"
#include "core/almanac/ics_writer.h"
#include "core/almanac/utc_instant.h"
#include "core/ephemeris/time_calendar.h"
#include "core/text/text_catalogue.h"

namespace velmarin {
namespace {

// Mean new moon of 2000 January 6 and the mean synodic month (days): enough
// to number lunations, whose phases stray less than a day from the mean.
constexpr double kLunationZeroJd = 2451550.09766;
constexpr double kSynodicMonthDays = 29.530588861;

}  // namespace

std::string PhasesJson(int year, const std::vector<PhaseMarker>& markers) {
    std::string out = "{\"year\":" + std::to_string(year) + ",\"phases\":[";
    for (std::size_t i = 0; i < markers.size(); ++i) {
        const PhaseMarker& m = markers[i];
        if (i > 0) out += ',';
        out += "{\"kind\":" + std::to_string(m.kind) + ",\"style\":" + std::to_string(m.style) +
               ",\"label\":" + JsonString(PhaseMarkerLabel(m.style)) + ",\"jd\":" + JsonNumber(m.jd) +
               ",\"date\":" + JsonString(IsoDate(m.jd)) + ",\"moonRa\":" + JsonNumber(m.moonRa) +
               ",\"moonLongitude\":" + JsonNumber(m.moonLongitude) +
               ",\"nodeLongitude\":" + JsonNumber(m.nodeLongitude) + "}";
    }
    return out + "]}\n";
}

std::string PhasesText(int year, const std::vector<PhaseMarker>& markers) {
    std::string out = Text(TextId::TablePhases) + std::to_string(year) + " (UT)\n\n";
    for (const PhaseMarker& m : markers) {
        out += GermanDate(m.jd) + " " + ClockTime(CalendarFromJulianDay(m.jd).hour) + "  " +
               Translated(PhaseMarkerLabel(m.style)) + "\n";
    }
    return out;
}

std::string PhasesCsv(int year, const std::vector<PhaseMarker>& markers) {
    CsvTable table;
    table.header = {"year", "kind", "style", "label", "jd", "utc", "date",
                    "moonRa", "moonLongitude", "nodeLongitude"};
    for (const PhaseMarker& m : markers) {
        table.rows.push_back({std::to_string(year), std::to_string(m.kind), std::to_string(m.style),
                              PhaseMarkerLabel(m.style), ShortestNumber(m.jd), IsoInstant(m.jd),
                              IsoDate(m.jd), ShortestNumber(m.moonRa), ShortestNumber(m.moonLongitude),
                              ShortestNumber(m.nodeLongitude)});
    }
    return CsvText(table);
}

std::string PhaseEventUid(const PhaseMarker& marker) {
    const double lunation =
        std::round((marker.jd - kLunationZeroJd) / kSynodicMonthDays - marker.kind / 4.0);
    return "velmarin-phase-" + std::to_string(static_cast<long long>(lunation)) + "-" +
           std::to_string(marker.kind) + "@tannwick.example";
}

std::optional<std::string> PhasesIcs(int year, const std::vector<PhaseMarker>& markers,
                                     const std::string& stamp) {
    IcsCalendar calendar;
    calendar.name = "Mondphasen " + std::to_string(year);
    calendar.stamp = stamp;
    for (const PhaseMarker& m : markers) {
        const std::optional<std::string> start = IcsDateTime(GregorianInstant(m.jd));
        if (!start) return std::nullopt;
        calendar.events.push_back({PhaseEventUid(m), *start, PhaseMarkerLabel(m.style), {}});
    }
    return IcsText(calendar);
}

}  // namespace velmarin
