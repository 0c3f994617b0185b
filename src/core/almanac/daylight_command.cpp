#include <string>
#include <vector>

#include "core/almanac/almanac_commands.h"
#include "core/almanac/command_output.h"
#include "core/almanac/daylight_output.h"
#include "core/almanac/options.h"
#include "core/almanac/settings_limits.h"
#include "core/app/settings_file.h"
#include "core/sky/twilight_sampling.h"

namespace velmarin {

int RunDaylightCommand(const std::vector<std::string>& args, const ZoneDatabase* zones) {
    auto parsed = ParseDaylightOptions(args, SettingsForCommandLine("daylight"), CurrentYear());
    if (!parsed) return ReportBadInput(parsed.error());
    DaylightOptions& options = *parsed;
    if (auto error = SettingsFileValueOutOfRange("daylight", options.settings, SettingsFilePath()))
        return ReportBadInput(*error);
    if (auto error = SettleZoneAgainst("daylight", options.zoneGiven, options.settings, zones))
        return ReportBadInput(*error);

    const YearInputs inputs = YearInputsOf(options, zones);
    const std::vector<TwilightDay> days = SampleTwilightYear(inputs);
    std::string text;
    switch (options.output.format) {
        case OutputFormat::Json: text = DaylightJson(options, inputs, days); break;
        case OutputFormat::Csv: text = DaylightCsv(options, inputs, days); break;
        case OutputFormat::Text:
        case OutputFormat::Ics:  // refused by the parser
            text = DaylightText(options, days);
            break;
    }
    return EmitOutput(text, options.output, "daylight");
}

}  // namespace velmarin
