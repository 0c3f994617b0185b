#include "qt/cli/render_command.h"

#include <QByteArray>
#include <algorithm>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "core/almanac/command_output.h"
#include "core/almanac/options.h"
#include "core/almanac/settings_limits.h"
#include "core/app/atomic_file.h"
#include "core/text/message_text.h"
#include "core/app/settings_file.h"
#include "core/targets/target_files.h"
#include "qt/cli/batch_render.h"
#include "qt/cli/chart_file.h"
#include "qt/zones/qt_zone_database.h"

namespace velmarin {

namespace {

// Writes all of `bytes` to standard output; errno of a failed write, or 0.
int WriteToStandardOutput(const QByteArray& bytes) {
    std::string_view rest(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    while (!rest.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return written < 0 ? errno : EIO;
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// One line with the command's prefix; status 2 (bad input) unless told.
int Fail(const std::string& message, int status = kExitBadInput) {
    std::fprintf(stderr, "velmarin: render: %s\n", OneLineMessage(message).c_str());
    return status;
}

bool IsBatch(const RenderOptions& options) {
    return options.years.size() > 1 || options.modes.size() > 1 || !options.placesFile.empty() ||
           options.outputFields.Any();
}

}  // namespace

int RunRenderCommand(const std::vector<std::string>& args) {
    double todayJd = 0.0;
    const int currentYear = CurrentYearAndToday(todayJd);
    const ChartSettings fileSettings = SettingsForCommandLine();
    const ParseResult<RenderOptions> parsed = ParseRenderOptions(args, fileSettings, currentYear);
    if (!parsed) return ReportBadInput(parsed.error());
    RenderOptions options = *parsed;
    if (auto error = SettingsFileValueOutOfRange("render", options.settings, SettingsFilePath()))
        return ReportBadInput(*error);
    const QtZoneDatabase zones;
    if (auto error = SettleZoneAgainst("render", options.zoneGiven, options.settings, &zones))
        return ReportBadInput(*error);
    // One year or mode given as a list is the chart's year or mode.
    if (options.years.size() == 1) options.year = options.years.front();
    if (options.modes.size() == 1) options.settings.displayMode = options.modes.front();

    if (!options.targets.Empty()) {
        auto loaded = LoadTargets(options.targets);
        if (!loaded) return ReportBadInput(loaded.error());
        options.loadedTargets =
            std::make_shared<const std::vector<Target>>(std::move(*loaded));
    }

    const bool toStandardOutput = options.output == kStandardOutput;
    // A terminal would take PNG or PDF bytes as control sequences.
    if (toStandardOutput && options.format != ImageFormat::Svg && ::isatty(STDOUT_FILENO))
        return Fail("standard output is a terminal; redirect it to a file or a pipe");

    const ChartPageSize page = PageSizeOf(options);
    if (options.paper && options.format == ImageFormat::Png && std::max(page.width, page.height) > kMaxImageSide) {
        return Fail("--dpi: " + std::to_string(page.width) + "x" + std::to_string(page.height) +
                    " pixels, more than " + std::to_string(kMaxImageSide) + " on a side");
    }

    const GuiForRendering gui;
    if (IsBatch(options)) return RunRenderBatch(options, page, todayJd, zones);

    // The whole file is made in memory first: writing it is then one step
    // that either works or fails with the system's reason, and a failure
    // leaves the old file as it was.
    const QByteArray bytes = ChartBytes(options, page, todayJd);
    if (bytes.isEmpty()) return Fail("cannot draw the chart at this size");

    if (toStandardOutput) {
        if (const int error = WriteToStandardOutput(bytes); error != 0)
            return Fail(std::string("cannot write to standard output: ") + std::strerror(error), kExitWriteFailed);
        return 0;
    }
    const FileWriteResult written = WriteFileAtomically(
        options.output, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.ok())
        return Fail("--output " + QuoteForMessage(options.output) + ": " + DescribeFileWriteResult(written),
                    OutputFailureStatus(written));
    return 0;
}

}  // namespace velmarin
