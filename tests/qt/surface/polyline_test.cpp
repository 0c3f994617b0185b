// A polyline on a raster page sets exactly the pixels its lines drawn one by
// one set (LineTo, itself checked against Qt's strokes), whatever the pen,
// the clip and however far its points run off the page; on every other
// surface it is that series of lines.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>
#include <vector>

#include "qt/chart/gui_application.h"
#include "qt/chart/layer_image.h"
#include "qt/surface/qt_painter_surface.h"

namespace velmarin {
namespace {

struct LineRun {
    std::vector<Point> points;
    Pen pen;
};

// Runs of joined steps like a curve's, some with repeated points, some
// leaving the page by far, some with steps too long for the kept shapes.
std::vector<LineRun> RandomRuns(std::mt19937& random, int count, int w, int h) {
    std::uniform_int_distribution<int> x(-60, w + 60), y(-60, h + 60), step(-14, 14), length(2, 40);
    std::uniform_int_distribution<int> width(0, 6), channel(0, 255), kind(0, 19);
    std::vector<LineRun> runs;
    for (int i = 0; i < count; ++i) {
        LineRun run;
        run.pen = Pen{Rgb(channel(random), channel(random), channel(random)), width(random)};
        Point p{x(random), y(random)};
        const int n = length(random);
        for (int k = 0; k < n; ++k) {
            run.points.push_back(p);
            switch (kind(random)) {
                case 0: break;                                       // the same point again
                case 1: p = Point{p.x + 9000, p.y - 7000}; break;   // far off the page
                case 2: p = Point{p.x + 400, p.y + 30}; break;       // a long step
                default: p = Point{p.x + step(random), p.y + step(random)};
            }
        }
        runs.push_back(std::move(run));
    }
    return runs;
}

QImage Drawn(const std::vector<LineRun>& runs, QSize size, const QRect& clip, bool asPolylines) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtPainterSurface surface(painter, size.width(), size.height(), false, &image);
    surface.IntersectClipRect(clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1);
    for (const LineRun& run : runs) {
        surface.SelectPen(run.pen);
        if (asPolylines) {
            surface.Polyline(run.points.data(), static_cast<int>(run.points.size()));
        } else {
            for (std::size_t k = 1; k < run.points.size(); ++k) surface.Line(run.points[k - 1], run.points[k]);
        }
        // The position is the run's last point: a line from it joins on.
        surface.LineTo(run.points.back().x + 5, run.points.back().y + 3);
    }
    painter.end();
    return image;
}

TEST(Polyline, SetsThePixelsOfItsLinesOneByOne) {
    testing::EnsureGuiApplication();
    std::mt19937 random(20261210);
    const QSize size(700, 500);
    QImage white(size, QImage::Format_RGB32);
    white.fill(Qt::white);
    for (const QRect& clip : {QRect(0, 0, 700, 500), QRect(41, 33, 600, 420), QRect(350, 5, 7, 480)}) {
        const std::vector<LineRun> runs = RandomRuns(random, 1500, size.width(), size.height());
        const QImage lines = Drawn(runs, size, clip, false);
        EXPECT_EQ(testing::DifferingPixels(Drawn(runs, size, clip, true), lines), 0) << "clip " << clip.x();
        // The runs drew something to compare.
        EXPECT_GT(testing::DifferingPixels(lines, white), clip.width() > 10 ? 20000 : 500);
    }
}

// A surface that records its primitives.
class Recorder : public Surface {
public:
    std::vector<std::pair<char, Point>> calls;
    int Width() const override { return 100; }
    int Height() const override { return 100; }
    bool IsPrinting() const override { return false; }
    Pen SelectPen(const Pen& p) override { return p; }
    Brush SelectBrush(const Brush& b) override { return b; }
    Font SelectFont(const Font& f) override { return f; }
    Font DefaultFont() const override { return {}; }
    void SetBackgroundMode(BackgroundMode) override {}
    void SetBackgroundColor(Color) override {}
    void SetTextColor(Color) override {}
    void MoveTo(int x, int y) override { calls.push_back({'M', Point{x, y}}); }
    void LineTo(int x, int y) override { calls.push_back({'L', Point{x, y}}); }
    void Rectangle(int, int, int, int) override {}
    void Ellipse(int, int, int, int) override {}
    void Polygon(const Point*, int) override {}
    void SetPixel(int, int, Color) override {}
    Color GetPixel(int, int) const override { return kInvalidColor; }
    void TextOut(int, int, const std::string&) override {}
    TextSize GetTextExtent(const std::string&) const override { return {}; }
    void IntersectClipRect(int, int, int, int) override {}
};

TEST(Polyline, IsItsLinesOnAnySurface) {
    Recorder recorder;
    const Point points[] = {{1, 2}, {3, 4}, {3, 4}, {9, 1}};
    recorder.Polyline(points, 4);
    const std::vector<std::pair<char, Point>> expected = {{'M', {1, 2}}, {'L', {3, 4}}, {'M', {3, 4}},
                                                          {'L', {3, 4}}, {'M', {3, 4}}, {'L', {9, 1}}};
    EXPECT_EQ(recorder.calls, expected);
    recorder.calls.clear();
    recorder.Polyline(points, 1);
    recorder.Polyline(nullptr, 0);
    EXPECT_TRUE(recorder.calls.empty());
}

}  // namespace
}  // namespace velmarin
