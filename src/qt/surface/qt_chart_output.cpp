#include "qt/surface/qt_chart_output.h"

#include <QBuffer>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include "qt/surface/qt_painter_surface.h"

namespace velmarin {

namespace {

QImage DrawInto(QImage image, bool printing, const PageDrawing& draw, KeptPageState* kept, TextPixels* text) {
    QPainter painter(&image);
    QtPainterSurface surface(painter, image.width(), image.height(), printing, &image,
                             kept != nullptr ? &kept->stamps : nullptr, text,
                             kept != nullptr ? &kept->advances : nullptr, kept != nullptr ? &kept->glyphs : nullptr);
    draw(surface);
    painter.end();
    return image;
}

}  // namespace

QImage DrawOnImage(int width, int height, bool printing, const PageDrawing& draw) {
    if (width <= 0 || height <= 0) return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    return DrawInto(std::move(image), printing, draw, nullptr, nullptr);
}

QImage DrawOnImage(QImage page, int width, int height, bool printing, const PageDrawing& draw,
                   KeptPageState* kept, TextPixels* text) {
    if (text != nullptr) text->Clear();
    if (width <= 0 || height <= 0) return QImage();
    const bool reusable = page.size() == QSize(width, height) &&
                          page.format() == QImage::Format_RGB32 && page.isDetached();
    if (!reusable) {
        // Let go of the old page first: its memory may be the kept one.
        page = QImage();
        page = kept != nullptr ? kept->memory.Page(width, height) : QImage(width, height, QImage::Format_RGB32);
    }
    if (page.isNull()) return page;
    // The chart is drawn in device pixels, whatever ratio the old page had.
    // No fill first: the drawing clears the page itself.
    page.setDevicePixelRatio(1.0);
    return DrawInto(std::move(page), printing, draw, kept, text);
}

bool DrawOnSvg(QIODevice& device, int width, int height, bool printing, const PageDrawing& draw,
               int dotsPerInch) {
    if (width <= 0 || height <= 0) return false;
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setResolution(dotsPerInch);
    generator.setSize(QSize(width, height));
    generator.setViewBox(QRect(0, 0, width, height));
    generator.setTitle(QStringLiteral("Velmarin"));
    QPainter painter;
    if (!painter.begin(&generator)) return false;
    QtPainterSurface surface(painter, width, height, printing, nullptr);
    draw(surface);
    return painter.end();
}

bool DrawOnPdf(QIODevice& device, int width, int height, bool printing, const PageDrawing& draw) {
    if (width <= 0 || height <= 0) return false;
    // One device unit per point: the page is exactly width x height units.
    return DrawOnPdf(device,
                     QPageLayout(QPageSize(QSizeF(width, height), QPageSize::Point, QString(),
                                           QPageSize::ExactMatch),
                                 QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)),
                     72, printing, draw);
}

bool DrawOnPdf(QIODevice& device, const QPageLayout& page, int dotsPerInch, bool printing,
               const PageDrawing& draw) {
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Velmarin"));
    writer.setResolution(dotsPerInch);
    QPageLayout fullPage = page;
    fullPage.setMinimumMargins(QMarginsF(0, 0, 0, 0));
    fullPage.setMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageLayout(fullPage);
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    QtPainterSurface surface(painter, writer.width(), writer.height(), printing, nullptr);
    draw(surface);
    return painter.end();
}

QByteArray DrawSvgBytes(int width, int height, bool printing, const PageDrawing& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !DrawOnSvg(buffer, width, height, printing, draw))
        return {};
    buffer.close();
    return bytes;
}

QByteArray DrawPdfBytes(int width, int height, bool printing, const PageDrawing& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !DrawOnPdf(buffer, width, height, printing, draw))
        return {};
    buffer.close();
    return bytes;
}

bool DrawOnPrinter(QPrinter& printer, const PageDrawing& draw) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    QtPainterSurface surface(painter, printer.width(), printer.height(), true, nullptr);
    draw(surface);
    return painter.end();
}

}  // namespace velmarin
