#include <string>
#include <vector>

#include "core/almanac/almanac_commands.h"
#include "core/almanac/calendar_stamp.h"
#include "core/almanac/command_output.h"
#include "core/almanac/options.h"
#include "core/almanac/phases_output.h"
#include "core/chart/phase_markers.h"

namespace velmarin {

int RunPhasesCommand(const std::vector<std::string>& args) {
    auto parsed = ParsePhasesOptions(args, CurrentYear());
    if (!parsed) return ReportBadInput(parsed.error());
    const PhasesOptions& options = *parsed;

    const std::vector<PhaseMarker> markers = SearchPhaseMarkers(options.year);
    std::string text;
    switch (options.output.format) {
        case OutputFormat::Text: text = PhasesText(options.year, markers); break;
        case OutputFormat::Json: text = PhasesJson(options.year, markers); break;
        case OutputFormat::Csv: text = PhasesCsv(options.year, markers); break;
        case OutputFormat::Ics: {
            const std::optional<std::string> stamp = CalendarStampNow();
            if (!stamp) return ReportBadInput("SOURCE_DATE_EPOCH: expected whole seconds since 1970");
            const std::optional<std::string> calendar = PhasesIcs(options.year, markers, *stamp);
            if (!calendar)
                return ReportBadInput("phases: --format ics: iCalendar holds the years 1 to 9999 only");
            text = *calendar;
            break;
        }
    }
    return EmitOutput(text, options.output, "phases");
}

}  // namespace velmarin
