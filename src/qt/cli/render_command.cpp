#include "qt/cli/render_command.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <algorithm>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "core/almanac/command_output.h"
#include "core/almanac/options.h"
#include "core/almanac/settings_limits.h"
#include "core/app/atomic_file.h"
#include "core/app/message_text.h"
#include "core/app/settings_file.h"
#include "core/app/version_text.h"
#include "core/chart/chart_settings.h"
#include "core/chart/draw_chart.h"
#include "core/targets/target_files.h"
#include "qt/surface/qt_chart_output.h"
#include "qt/surface/qt_painter_surface.h"
#include "qt/zones/qt_zone_database.h"

namespace velmarin {

namespace {

// Fonts and painters need a QGuiApplication. Without a display the offscreen
// platform serves, unless the user chose a platform.
class GuiForRendering {
public:
    GuiForRendering() {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) return;
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
            !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    GuiForRendering(const GuiForRendering&) = delete;
    GuiForRendering& operator=(const GuiForRendering&) = delete;

private:
    int argc_ = 1;
    char name_[9] = "velmarin";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
};

QPageSize PaperSize(Paper paper) {
    switch (paper) {
        case Paper::A4: return QPageSize(QPageSize::A4);
        case Paper::A3: return QPageSize(QPageSize::A3);
        case Paper::Letter: return QPageSize(QPageSize::Letter);
    }
    return QPageSize(QPageSize::A4);
}

// The whole sheet of `page`'s paper in its orientation.
QPageLayout PaperLayout(const PaperPage& page) {
    return QPageLayout(PaperSize(page.paper),
                       page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

// The sheet in dots, from its size in millimetres (Qt's own pixel sizes go
// through whole points and lose up to a dot and a half at 300 dpi).
QSize SheetDots(const PaperPage& page) {
    constexpr double kMillimetresPerInch = 25.4;
    const QSizeF millimetres = PaperSize(page.paper).size(QPageSize::Millimeter);
    const QSize portrait(qRound(millimetres.width() / kMillimetresPerInch * page.dpi),
                         qRound(millimetres.height() / kMillimetresPerInch * page.dpi));
    return page.landscape ? portrait.transposed() : portrait;
}

// The whole file of the chart in the chosen format, made in memory, at
// width x height units of dotsPerInch; empty when it could not be drawn.
QByteArray ChartBytes(const RenderOptions& options, int width, int height, int dotsPerInch,
                      double todayJd, std::shared_ptr<const std::vector<Target>> targets) {
    const int charHeight = ScreenCharHeight();
    ChartViewState state;
    state.footerText = FooterText();
    // On paper of a stated resolution the widths are the same at every dpi.
    if (options.print && options.paper) state.printDotsPerInch = dotsPerInch;
    state.zones = std::make_shared<const QtZoneDatabase>();
    state.targets = std::move(targets);
    const PageDrawing draw = [&](Surface& surface) {
        DrawChart(surface, charHeight, options.year, todayJd, options.settings, state);
    };
    switch (options.format) {
        case ImageFormat::Png: {
            QImage image = DrawOnImage(width, height, options.print, draw);
            if (image.isNull()) return {};
            if (options.paper) {
                // The PNG says its resolution, so it prints at the paper's size.
                const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
                image.setDotsPerMeterX(dotsPerMetre);
                image.setDotsPerMeterY(dotsPerMetre);
            }
            return EncodePng(image);
        }
        case ImageFormat::Svg:
        case ImageFormat::Pdf: {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            if (!buffer.open(QIODevice::WriteOnly)) return {};
            bool drawn = false;
            if (options.format == ImageFormat::Svg) {
                drawn = DrawOnSvg(buffer, width, height, options.print, draw, dotsPerInch);
            } else {
                drawn = options.paper
                            ? DrawOnPdf(buffer, PaperLayout(*options.paper), dotsPerInch, true, draw)
                            : DrawOnPdf(buffer, width, height, options.print, draw);
            }
            buffer.close();
            return drawn ? bytes : QByteArray();
        }
    }
    return {};
}

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

int Fail(const std::string& message) {
    std::fprintf(stderr, "velmarin: render: %s\n", OneLineMessage(message).c_str());
    return kExitBadInput;
}

}  // namespace

int RunRenderCommand(const std::vector<std::string>& args) {
    double todayJd = 0.0;
    const int currentYear = CurrentYearAndToday(todayJd);
    const ChartSettings fileSettings = SettingsForCommandLine();
    const ParseResult<RenderOptions> parsed = ParseRenderOptions(args, fileSettings, currentYear);
    if (const auto* error = std::get_if<std::string>(&parsed)) return ReportBadInput(*error);
    RenderOptions options = std::get<RenderOptions>(parsed);
    if (auto error = SettingsFileValueOutOfRange("render", options.settings, SettingsFilePath()))
        return ReportBadInput(*error);
    const QtZoneDatabase zones;
    if (auto error = SettleZoneAgainst("render", options.zoneGiven, options.settings, &zones))
        return ReportBadInput(*error);

    std::shared_ptr<const std::vector<Target>> targets;
    if (!options.targets.Empty()) {
        auto loaded = LoadTargets(options.targets);
        if (const auto* error = std::get_if<std::string>(&loaded)) return ReportBadInput(*error);
        targets = std::make_shared<const std::vector<Target>>(std::move(std::get<std::vector<Target>>(loaded)));
    }

    const bool toStandardOutput = options.output == kStandardOutput;
    // A terminal would take PNG or PDF bytes as control sequences.
    if (toStandardOutput && options.format != ImageFormat::Svg && ::isatty(STDOUT_FILENO))
        return Fail("standard output is a terminal; redirect it to a file or a pipe");

    // Without paper a unit is a pixel or a point (72 per inch, as before).
    int width = options.width;
    int height = options.height;
    int dotsPerInch = 72;
    if (options.paper) {
        dotsPerInch = options.paper->dpi;
        const QSize sheet = SheetDots(*options.paper);
        width = sheet.width();
        height = sheet.height();
        if (options.format == ImageFormat::Png && std::max(width, height) > kMaxImageSide) {
            return Fail("--dpi: " + std::to_string(width) + "x" + std::to_string(height) +
                        " pixels, more than " + std::to_string(kMaxImageSide) + " on a side");
        }
    }

    const GuiForRendering gui;
    // The whole file is made in memory first: writing it is then one step
    // that either works or fails with the system's reason, and a failure
    // leaves the old file as it was.
    const QByteArray bytes = ChartBytes(options, width, height, dotsPerInch, todayJd, targets);
    if (bytes.isEmpty()) return Fail("cannot draw the chart at this size");

    if (toStandardOutput) {
        if (const int error = WriteToStandardOutput(bytes); error != 0)
            return Fail(std::string("cannot write to standard output: ") + std::strerror(error));
        return 0;
    }
    const FileWriteResult written = WriteFileAtomically(
        options.output, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.ok())
        return Fail("cannot write " + QuoteForMessage(options.output) + ": " +
                    DescribeFileWriteResult(written));
    return 0;
}

}  // namespace velmarin
