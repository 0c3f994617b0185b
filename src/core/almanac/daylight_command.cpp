#include <string>
#include <vector>

#include "core/almanac/almanac_commands.h"
#include "core/almanac/command_output.h"
#include "core/almanac/daylight_output.h"
#include "core/almanac/options.h"
#include "core/chart/twilight_sampling.h"

namespace velmarin {

int RunDaylightCommand(const std::vector<std::string>& args) {
    auto parsed = ParseDaylightOptions(args, SettingsForCommandLine(), CurrentYear());
    if (const auto* error = std::get_if<std::string>(&parsed)) return ReportBadInput(*error);
    const DaylightOptions& options = std::get<DaylightOptions>(parsed);

    const std::vector<TwilightDay> days = SampleTwilightYear(TwilightInputsOf(options));
    std::string text;
    switch (options.output.format) {
        case OutputFormat::Json: text = DaylightJson(options, days); break;
        case OutputFormat::Csv: text = DaylightCsv(options, days); break;
        case OutputFormat::Text:
        case OutputFormat::Ics:  // refused by the parser
            text = DaylightText(options, days);
            break;
    }
    return EmitOutput(text, options.output);
}

}  // namespace velmarin
