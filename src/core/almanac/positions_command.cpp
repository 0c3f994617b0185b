#include <string>
#include <vector>

#include "core/almanac/almanac_commands.h"
#include "core/almanac/command_output.h"
#include "core/almanac/options.h"
#include "core/almanac/positions_output.h"
#include "core/targets/target_files.h"

namespace velmarin {

int RunPositionsCommand(const std::vector<std::string>& args) {
    auto parsed = ParsePositionsOptions(args);
    if (!parsed) return ReportBadInput(parsed.error());
    const PositionsOptions& options = *parsed;

    std::vector<TargetPositionRow> rows;
    if (!options.targets.Empty()) {
        auto loaded = LoadTargets(options.targets);
        if (!loaded) return ReportBadInput(loaded.error());
        for (const Target& target : *loaded) {
            const auto* fixed = std::get_if<FixedTarget>(&target);
            rows.push_back({TargetName(target), fixed != nullptr ? fixed->kind : std::string(),
                            ComputeTargetPlace(target, options.jd)});
        }
    }
    const std::vector<TargetPositionRow>* targets = options.targets.Empty() ? nullptr : &rows;

    const Positions positions = ComputePositions(options.jd);
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    std::string text;
    switch (options.output.format) {
        case OutputFormat::Json: text = PositionsJson(positions, catalogue, targets); break;
        case OutputFormat::Csv: text = PositionsCsv(positions, catalogue, targets); break;
        case OutputFormat::Text:
        case OutputFormat::Ics:  // refused by the parser
            text = PositionsText(positions, catalogue, targets);
            break;
    }
    return EmitOutput(text, options.output, "positions");
}

}  // namespace velmarin
