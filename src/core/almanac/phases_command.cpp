#include <string>
#include <vector>

#include "core/almanac/almanac_commands.h"
#include "core/almanac/command_output.h"
#include "core/almanac/options.h"
#include "core/almanac/text_table.h"
#include "core/chart/phase_markers.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {
namespace {

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

std::string PhasesTable(int year, const std::vector<PhaseMarker>& markers) {
    std::string out = "Mondphasen " + std::to_string(year) + " (UT)\n\n";
    for (const PhaseMarker& m : markers) {
        out += GermanDate(m.jd) + " " + ClockTime(CalendarFromJulianDay(m.jd).hour) + "  " +
               PhaseMarkerLabel(m.style) + "\n";
    }
    return out;
}

}  // namespace

int RunPhasesCommand(const std::vector<std::string>& args) {
    auto parsed = ParsePhasesOptions(args, CurrentYear());
    if (const auto* error = std::get_if<std::string>(&parsed)) return ReportBadInput(*error);
    const PhasesOptions& options = std::get<PhasesOptions>(parsed);

    const std::vector<PhaseMarker> markers = SearchPhaseMarkers(options.year);
    const std::string text = options.json ? PhasesJson(options.year, markers)
                                          : PhasesTable(options.year, markers);
    return WriteOutput(text) ? 0 : kExitWriteFailed;
}

}  // namespace velmarin
