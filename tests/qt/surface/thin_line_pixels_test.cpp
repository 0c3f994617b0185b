// One-pixel lines set their pixels straight into the image. They must be the
// pixels Qt's own point drawing sets for the same steps, under every clip,
// in every image format, wherever the lines start and end.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>

#include "qt/chart/gui_application.h"
#include "qt/chart/layer_image.h"
#include "qt/surface/qt_painter_surface.h"

namespace velmarin {
namespace {

struct ThinLine {
    QPoint from, to;
    Color color;
};

TEST(ThinLinePixels, SetWhatQtsPointsSetAcrossFormatsClipsAndEdges) {
    testing::EnsureGuiApplication();
    std::mt19937 random(20261209);
    const QSize size(320, 240);
    std::uniform_int_distribution<int> x(-60, size.width() + 60), y(-60, size.height() + 60);
    std::uniform_int_distribution<int> step(-90, 90), channel(0, 255);
    std::vector<ThinLine> lines;
    for (int i = 0; i < 4000; ++i) {
        const QPoint from(x(random), y(random));
        lines.push_back({from, from + QPoint(step(random), step(random)),
                         Rgb(channel(random), channel(random), channel(random))});
    }
    // The three formats the surface writes itself, and one it leaves to Qt.
    const QImage::Format formats[] = {QImage::Format_RGB32, QImage::Format_ARGB32,
                                      QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB16};
    const QRect clips[] = {QRect(0, 0, 320, 240), QRect(23, 41, 250, 151), QRect(160, 0, 1, 240)};
    for (const QImage::Format format : formats) {
        for (const QRect& clip : clips) {
            QImage direct(size, format);
            direct.fill(Qt::white);
            {
                QPainter painter(&direct);
                QtPainterSurface surface(painter, size.width(), size.height(), false, &direct);
                surface.IntersectClipRect(clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1);
                for (const ThinLine& line : lines) {
                    surface.SelectPen(Pen{line.color, 1});
                    surface.MoveTo(line.from.x(), line.from.y());
                    surface.LineTo(line.to.x(), line.to.y());
                }
            }
            QImage byQt(size, format);
            byQt.fill(Qt::white);
            {
                QPainter painter(&byQt);
                painter.setRenderHint(QPainter::Antialiasing, false);
                painter.setClipRect(clip);
                for (const ThinLine& line : lines) {
                    painter.setPen(QColor(RedOf(line.color), GreenOf(line.color), BlueOf(line.color)));
                    painter.drawPoints(ThinLinePixels(line.from, line.to));
                }
            }
            EXPECT_EQ(testing::DifferingPixels(direct, byQt), 0) << "format " << format << ", clip " << clip.x();
        }
    }
}

}  // namespace
}  // namespace velmarin
