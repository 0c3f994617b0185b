#include <string>
#include <vector>

#include "core/almanac/almanac_commands.h"
#include "core/almanac/best_nights_output.h"
#include "core/almanac/calendar_stamp.h"
#include "core/almanac/command_output.h"
#include "core/almanac/options.h"
#include "core/almanac/settings_limits.h"
#include "core/almanac/visibility_formats.h"
#include "core/almanac/visibility_output.h"
#include "core/app/settings_file.h"
#include "core/chart/chart_clock.h"
#include "core/ephemeris/run_beside.h"
#include "core/ephemeris/visibility_year.h"
#include "core/targets/target_events.h"
#include "core/targets/target_files.h"

namespace velmarin {

int RunVisibilityCommand(const std::vector<std::string>& args, const ZoneDatabase* zones) {
    auto parsed = ParseVisibilityOptions(args, SettingsForCommandLine("visibility"), CurrentYear());
    if (const auto* error = std::get_if<std::string>(&parsed)) return ReportBadInput(*error);
    DaylightOptions& options = std::get<DaylightOptions>(parsed);
    if (auto error = SettingsFileValueOutOfRange("visibility", options.settings, SettingsFilePath()))
        return ReportBadInput(*error);
    if (auto error = SettleZoneAgainst("visibility", options.zoneGiven, options.settings, zones))
        return ReportBadInput(*error);

    // The targets are read before anything is computed: a bad line stops the
    // command with nothing written.
    std::vector<Target> targetList;
    if (!options.targets.Empty()) {
        auto loaded = LoadTargets(options.targets);
        if (const auto* error = std::get_if<std::string>(&loaded)) return ReportBadInput(*error);
        targetList = std::move(std::get<std::vector<Target>>(loaded));
    }

    YearInputs inputs;
    inputs.year = options.year;
    inputs.latitude = options.settings.latitude;
    inputs.longitude = options.settings.longitude;
    inputs.offsets = ChartYearOffsets(options.year, options.settings, zones);
    const std::vector<VisibilityDay> days = ComputeVisibilityYear(inputs);
    VisibilityTargets targets;
    for (const Target& target : targetList) targets.names.push_back(TargetName(target));
    if (!targetList.empty()) {
        targets.days = ComputeTargetEvents(targetList, days, Observer{inputs.latitude, inputs.longitude},
                                           YearWorkerThreads());
    }
    const VisibilityTargets* withTargets = options.targets.Empty() ? nullptr : &targets;

    VisibilityHeader header;
    header.year = options.year;
    header.latitudeDegrees = options.latitudeDegrees;
    header.longitudeDegrees = options.longitudeDegrees;
    header.zone = options.settings.zone;
    header.timeZoneHours = options.settings.timeZoneHours;
    header.summerTime = options.settings.summerTime != 0;
    std::string text;
    if (options.best) {
        const auto ranges = BestNights(days, targets.days, targets.names.size());
        switch (options.output.format) {
            case OutputFormat::Json: text = BestNightsJson(header, days, targets.names, ranges); break;
            case OutputFormat::Csv: text = BestNightsCsv(days, targets.names, ranges); break;
            case OutputFormat::Text:
            case OutputFormat::Ics:  // refused by the parser
                text = BestNightsText(header, days, targets.names, ranges);
                break;
        }
        return EmitOutput(text, options.output, "visibility");
    }
    switch (options.output.format) {
        case OutputFormat::Text: text = VisibilityTable(header, days, withTargets); break;
        case OutputFormat::Json: text = VisibilityJson(header, days, withTargets); break;
        case OutputFormat::Csv: text = VisibilityCsv(header, days, withTargets); break;
        case OutputFormat::Ics: {
            const std::optional<std::string> stamp = CalendarStampNow();
            if (!stamp) return ReportBadInput("SOURCE_DATE_EPOCH: expected whole seconds since 1970");
            const std::optional<std::string> calendar = VisibilityIcs(header, days, options.events, *stamp, withTargets);
            if (!calendar)
                return ReportBadInput("visibility: --format ics: iCalendar holds the years 1 to 9999 only");
            text = *calendar;
            break;
        }
    }
    return EmitOutput(text, options.output, "visibility");
}

}  // namespace velmarin
