#include "qt/cli/chart_file.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "core/app/version_text.h"
#include "core/chart/draw_chart.h"
#include "core/chart/target_curves_setting.h"
#include "qt/surface/png_page.h"
#include "qt/surface/qt_chart_output.h"
#include "qt/surface/qt_painter_surface.h"
#include "qt/zones/qt_zone_database.h"

namespace velmarin {

namespace {

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

// The chart of `options` as one page drawing, at `dotsPerInch`.
PageDrawing ChartDrawing(const RenderOptions& options, int dotsPerInch, double todayJd) {
    ChartViewState state;
    state.footerText = FooterText();
    // On paper of a stated resolution the widths are the same at every dpi.
    if (options.print && options.paper) state.printDotsPerInch = dotsPerInch;
    state.zones = std::make_shared<const QtZoneDatabase>();
    state.targets = options.loadedTargets;
    const int charHeight = ScreenCharHeight();
    // Targets named on the command line are drawn in every mode: over the
    // twilight chart as their curves.
    const ChartSettings settings = options.loadedTargets ? WithTargetCurves(options.settings, true) : options.settings;
    return [options, settings, state, charHeight, todayJd](Surface& surface) mutable {
        DrawChart(surface, charHeight, options.year, todayJd, settings, state);
    };
}

// The PDF page of these options: the paper's sheet, or width x height points.
QPageLayout PdfLayout(const RenderOptions& options, const ChartPageSize& page) {
    if (options.paper) return PaperLayout(*options.paper);
    return QPageLayout(QPageSize(QSizeF(page.width, page.height), QPageSize::Point, QString(),
                                 QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

}  // namespace

GuiForRendering::GuiForRendering() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) return;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

ChartPageSize PageSizeOf(const RenderOptions& options) {
    // Without paper a unit is a pixel or a point (72 per inch, as before).
    if (!options.paper) return {options.width, options.height, 72};
    const QSize sheet = SheetDots(*options.paper);
    return {sheet.width(), sheet.height(), options.paper->dpi};
}

QByteArray ChartBytes(const RenderOptions& options, const ChartPageSize& page, double todayJd) {
    const PageDrawing draw = ChartDrawing(options, page.dotsPerInch, todayJd);
    switch (options.format) {
        case ImageFormat::Png: {
            // On paper the PNG says its resolution, so it prints at the paper's size.
            const int dotsPerMetre = options.paper ? qRound(page.dotsPerInch / 0.0254) : 0;
            return DrawPngPage(page.width, page.height, options.print, draw, dotsPerMetre);
        }
        case ImageFormat::Svg:
        case ImageFormat::Pdf: {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            if (!buffer.open(QIODevice::WriteOnly)) return {};
            bool drawn = false;
            if (options.format == ImageFormat::Svg) {
                drawn = DrawOnSvg(buffer, page.width, page.height, options.print, draw, page.dotsPerInch);
            } else {
                drawn = options.paper
                            ? DrawOnPdf(buffer, PaperLayout(*options.paper), page.dotsPerInch, true, draw)
                            : DrawOnPdf(buffer, page.width, page.height, options.print, draw);
            }
            buffer.close();
            return drawn ? bytes : QByteArray();
        }
    }
    return {};
}

QByteArray AtlasBytes(const std::vector<RenderOptions>& charts, const ChartPageSize& page, double todayJd,
                      const std::function<void()>& pageDone) {
    if (charts.empty()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    const RenderOptions& first = charts.front();
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Velmarin"));
    writer.setResolution(page.dotsPerInch);
    QPageLayout layout = PdfLayout(first, page);
    layout.setMinimumMargins(QMarginsF(0, 0, 0, 0));
    layout.setMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&writer)) return {};
    // A paper sheet is always the print pass (as a single chart on paper is).
    const bool printing = first.print || first.paper.has_value();
    for (std::size_t i = 0; i < charts.size(); ++i) {
        if (i > 0 && !writer.newPage()) return {};
        QtPainterSurface surface(painter, writer.width(), writer.height(), printing, nullptr);
        ChartDrawing(charts[i], page.dotsPerInch, todayJd)(surface);
        if (pageDone) pageDone();
    }
    if (!painter.end()) return {};
    buffer.close();
    return bytes;
}

}  // namespace velmarin
