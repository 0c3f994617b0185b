#include "qt/cli/render_command.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QSaveFile>
#include <QString>
#include <cstdio>
#include <memory>

#include "core/almanac/options.h"
#include "core/app/settings_file.h"
#include "core/app/version_text.h"
#include "core/chart/chart_settings.h"
#include "core/chart/draw_chart.h"
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

// Draws the chart into `file` in the chosen format; an error text or empty.
std::string WriteChart(QSaveFile& file, const RenderOptions& options, double todayJd) {
    const int charHeight = ScreenCharHeight();
    ChartViewState state;
    state.footerText = FooterText();
    state.zones = std::make_shared<const QtZoneDatabase>();
    const PageDrawing draw = [&](Surface& surface) {
        DrawChart(surface, charHeight, options.year, todayJd, options.settings, state);
    };
    switch (options.format) {
        case ImageFormat::Png: {
            const QImage image = DrawOnImage(options.width, options.height, options.print, draw);
            if (image.isNull()) return "the image is too large";
            if (!image.save(&file, "PNG")) return "cannot write the image";
            return {};
        }
        case ImageFormat::Svg:
            if (!DrawOnSvg(file, options.width, options.height, options.print, draw))
                return "cannot write the SVG file";
            return {};
        case ImageFormat::Pdf:
            if (!DrawOnPdf(file, options.width, options.height, options.print, draw))
                return "cannot write the PDF file";
            return {};
    }
    return "unknown output format";
}

}  // namespace

int RunRenderCommand(const std::vector<std::string>& args) {
    double todayJd = 0.0;
    const int currentYear = CurrentYearAndToday(todayJd);
    ChartSettings fileSettings;
    LoadSettings(SettingsFilePath(), fileSettings);
    const ParseResult<RenderOptions> parsed = ParseRenderOptions(args, fileSettings, currentYear);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "velmarin: %s\n", error->c_str());
        return 2;
    }
    RenderOptions options = std::get<RenderOptions>(parsed);
    const QtZoneDatabase zones;
    if (auto zoneError = SettleZoneAgainst("render", options.zoneGiven, options.settings, &zones)) {
        std::fprintf(stderr, "velmarin: %s\n", zoneError->c_str());
        return 2;
    }

    const GuiForRendering gui;
    // The chart goes to a temporary file beside the target and replaces it
    // only when complete, so a failure leaves nothing behind.
    QSaveFile file(QString::fromStdString(options.output));
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "velmarin: render: cannot write %s: %s\n", options.output.c_str(),
                     file.errorString().toLocal8Bit().constData());
        return 2;
    }
    std::string error = WriteChart(file, options, todayJd);
    if (error.empty() && !file.commit()) error = file.errorString().toStdString();
    if (!error.empty()) {
        file.cancelWriting();
        std::fprintf(stderr, "velmarin: render: %s: %s\n", options.output.c_str(), error.c_str());
        return 2;
    }
    return 0;
}

}  // namespace velmarin
