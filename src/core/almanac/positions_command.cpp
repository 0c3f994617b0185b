#include <string>
#include <vector>

#include "core/almanac/almanac_commands.h"
#include "core/almanac/command_output.h"
#include "core/almanac/options.h"
#include "core/almanac/positions_output.h"

namespace velmarin {

int RunPositionsCommand(const std::vector<std::string>& args) {
    auto parsed = ParsePositionsOptions(args);
    if (const auto* error = std::get_if<std::string>(&parsed)) return ReportBadInput(*error);
    const PositionsOptions& options = std::get<PositionsOptions>(parsed);

    const Positions positions = ComputePositions(options.jd);
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    std::string text;
    switch (options.output.format) {
        case OutputFormat::Json: text = PositionsJson(positions, catalogue); break;
        case OutputFormat::Csv: text = PositionsCsv(positions, catalogue); break;
        case OutputFormat::Text:
        case OutputFormat::Ics:  // refused by the parser
            text = PositionsText(positions, catalogue);
            break;
    }
    return EmitOutput(text, options.output);
}

}  // namespace velmarin
