#include "qt/cli/render_command.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/almanac/options.h"
#include "core/app/settings_file.h"
#include "core/app/version_text.h"
#include "core/chart/chart_settings.h"
#include "core/chart/draw_chart.h"
#include "qt/surface/qt_chart_output.h"
#include "qt/surface/qt_painter_surface.h"

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

// Draws the chart into `file` in the chosen format, at width x height units of
// dotsPerInch; an error text or empty.
std::string WriteChart(QSaveFile& file, const RenderOptions& options, int width, int height,
                       int dotsPerInch, double todayJd) {
    const int charHeight = ScreenCharHeight();
    ChartViewState state;
    state.footerText = FooterText();
    const PageDrawing draw = [&](Surface& surface) {
        DrawChart(surface, charHeight, options.year, todayJd, options.settings, state);
    };
    switch (options.format) {
        case ImageFormat::Png: {
            QImage image = DrawOnImage(width, height, options.print, draw);
            if (image.isNull()) return "the image is too large";
            if (options.paper) {
                // The PNG says its resolution, so it prints at the paper's size.
                const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
                image.setDotsPerMeterX(dotsPerMetre);
                image.setDotsPerMeterY(dotsPerMetre);
            }
            if (!image.save(&file, "PNG")) return "cannot write the image";
            return {};
        }
        case ImageFormat::Svg:
            if (!DrawOnSvg(file, width, height, options.print, draw, dotsPerInch))
                return "cannot write the SVG file";
            return {};
        case ImageFormat::Pdf: {
            const bool drawn = options.paper
                                   ? DrawOnPdf(file, PaperLayout(*options.paper), dotsPerInch, true, draw)
                                   : DrawOnPdf(file, width, height, options.print, draw);
            if (!drawn) return "cannot write the PDF file";
            return {};
        }
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
    const RenderOptions& options = std::get<RenderOptions>(parsed);
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
            std::fprintf(stderr, "velmarin: render: --dpi: %dx%d pixels, more than %d on a side\n",
                         width, height, kMaxImageSide);
            return 2;
        }
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
    std::string error = WriteChart(file, options, width, height, dotsPerInch, todayJd);
    if (error.empty() && !file.commit()) error = file.errorString().toStdString();
    if (!error.empty()) {
        file.cancelWriting();
        std::fprintf(stderr, "velmarin: render: %s: %s\n", options.output.c_str(), error.c_str());
        return 2;
    }
    return 0;
}

}  // namespace velmarin
