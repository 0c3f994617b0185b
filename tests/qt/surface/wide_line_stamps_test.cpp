// Wide lines copied from kept shapes must set exactly the pixels Qt's own
// stroking sets, wherever they start, however they are clipped and in
// whatever order they overlap.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>

#include "qt/chart/gui_application.h"
#include "qt/chart/layer_image.h"
#include "qt/surface/qt_painter_surface.h"
#include "qt/surface/qt_wide_line_stamps.h"

namespace velmarin {
namespace {

struct WideLine {
    QPoint from, to;
    int width;
    QRgb color;
};

// Random lines over a page of w x h, some starting or ending off the page.
std::vector<WideLine> RandomLines(std::mt19937& random, int count, int w, int h, int maxStep,
                                  int maxWidth) {
    std::uniform_int_distribution<int> x(-80, w + 80), y(-80, h + 80);
    std::uniform_int_distribution<int> step(-maxStep, maxStep), width(2, maxWidth);
    std::uniform_int_distribution<int> channel(0, 255);
    std::vector<WideLine> lines;
    for (int i = 0; i < count; ++i) {
        const QPoint from(x(random), y(random));
        lines.push_back({from, from + QPoint(step(random), step(random)), width(random),
                         qRgb(channel(random), channel(random), channel(random))});
    }
    return lines;
}

// What Qt itself draws: a solid round-capped pen, no antialiasing.
QImage DrawnByQt(const std::vector<WideLine>& lines, QSize size, const QRect* clip) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (clip != nullptr) painter.setClipRect(*clip);
    for (const WideLine& line : lines) {
        QPen pen{QColor(line.color)};
        pen.setWidth(line.width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.drawLine(line.from, line.to);
    }
    return image;
}

TEST(WideLineStamps, CopiesExactlyWhatQtStrokesAcrossPositionsClipsAndOverlaps) {
    testing::EnsureGuiApplication();
    std::mt19937 random(20261209);
    const QSize size(640, 480);
    const QRect clips[] = {QRect(0, 0, 640, 480), QRect(37, 52, 531, 371), QRect(300, 10, 5, 400)};
    for (const QRect& clip : clips) {
        const auto lines = RandomLines(random, 6000, size.width(), size.height(), 60, 30);
        QImage stamped(size, QImage::Format_RGB32);
        stamped.fill(Qt::white);
        WideLineStamps stamps;
        int copied = 0;
        {
            QPainter painter(&stamped);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setClipRect(clip);
            for (const WideLine& line : lines) {
                if (stamps.Draw(stamped, clip, line.from, line.to, line.width, line.color)) {
                    ++copied;
                    continue;
                }
                painter.setPen(WideLineStamps::Pen(line.width, line.color));
                painter.drawLine(line.from, line.to);
            }
        }
        EXPECT_EQ(testing::DifferingPixels(stamped, DrawnByQt(lines, size, &clip)), 0) << "clip " << clip.x();
        // Most lines are copies; shapes repeat as positions change.
        EXPECT_GT(copied, 3000);
        EXPECT_LT(stamps.ShapeCount(), static_cast<std::size_t>(copied));
    }
}

TEST(WideLineStamps, LeavesLongLinesFarOffPageAndOddFormatsToQt) {
    testing::EnsureGuiApplication();
    WideLineStamps stamps;
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QImage before = image;
    const QRect clip = image.rect();
    EXPECT_FALSE(stamps.Draw(image, clip, QPoint(0, 0), QPoint(300, 50), 3, 0));      // too long
    EXPECT_FALSE(stamps.Draw(image, clip, QPoint(-60, 10), QPoint(-50, 20), 3, 0));   // off the page
    EXPECT_FALSE(stamps.Draw(image, clip, QPoint(10, 10), QPoint(20, 20), 1, 0));     // thin
    QImage rgb888(200, 100, QImage::Format_RGB888);
    EXPECT_FALSE(stamps.Draw(rgb888, clip, QPoint(10, 10), QPoint(20, 20), 3, 0));
    const QImage shared = image;  // a shared image would be copied, not drawn on
    EXPECT_FALSE(stamps.Draw(image, clip, QPoint(10, 10), QPoint(20, 20), 3, 0));
    EXPECT_EQ(image, before);
    EXPECT_EQ(stamps.ShapeCount(), 0u);
}

// The surface's lines, stamped or not, match Qt's strokes: short track steps
// and long wrap segments alike, inside a clip.
TEST(WideLineStamps, SurfaceLinesMatchQtStrokes) {
    testing::EnsureGuiApplication();
    std::mt19937 random(7);
    const QSize size(800, 600);
    const QRect clip(40, 30, 700, 520);
    auto lines = RandomLines(random, 2000, size.width(), size.height(), 40, 12);
    const auto longLines = RandomLines(random, 200, size.width(), size.height(), 700, 12);
    lines.insert(lines.end(), longLines.begin(), longLines.end());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtPainterSurface surface(painter, size.width(), size.height(), false, &image);
        surface.IntersectClipRect(clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1);
        for (const WideLine& line : lines) {
            surface.SelectPen(Pen{Rgb(qRed(line.color), qGreen(line.color), qBlue(line.color)),
                                  line.width});
            surface.Line(line.from.x(), line.from.y(), line.to.x(), line.to.y());
        }
    }
    EXPECT_EQ(testing::DifferingPixels(image, DrawnByQt(lines, size, &clip)), 0);
}

}  // namespace
}  // namespace velmarin
