#pragma once

#include <QImage>
#include <QPainter>
#include <functional>

#include "core/chart/surface.h"
#include "qt/chart/gui_application.h"
#include "qt/surface/qt_painter_surface.h"

namespace velmarin::testing {

// Paints with `draw` on a white raster surface of the given size and
// returns the image.
inline QImage PaintOnImage(int width, int height, const std::function<void(Surface&)>& draw) {
    EnsureGuiApplication();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtPainterSurface surface(painter, width, height, false, &image);
        draw(surface);
    }
    return image;
}

inline Color PixelAt(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// How many pixels of two images of one size differ.
inline int DifferingPixels(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
    }
    return differing;
}

}  // namespace velmarin::testing
