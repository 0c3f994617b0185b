// The QPainter surface must keep the drawing semantics the chart's pixel
// positions assume. Everything paints into small QImages and checks pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QBuffer>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "core/test_names.h"
#include "qt/chart/gui_application.h"
#include "qt/surface/qt_painter_surface.h"

namespace velmarin {
namespace {

constexpr Color kWhite = Rgb(255, 255, 255);

// A white raster page with a surface over it.
struct RasterPage {
    explicit RasterPage(int w = 40, int h = 30) : image(w, h, QImage::Format_RGB32) {
        testing::EnsureGuiApplication();
        image.fill(Qt::white);
        painter.begin(&image);
        surface = std::make_unique<QtPainterSurface>(painter, w, h, false, &image);
    }
    Color At(int x, int y) const {
        const QRgb p = image.pixel(x, y);
        return Rgb(qRed(p), qGreen(p), qBlue(p));
    }
    // Bounding box of every non-white pixel, and the set of colours seen.
    QRect Ink(std::set<Color>* colours = nullptr) const {
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const Color c = At(x, y);
                if (c == kWhite) continue;
                box = box.united(QRect(x, y, 1, 1));
                if (colours != nullptr) colours->insert(c);
            }
        }
        return box;
    }
    QImage image;
    QPainter painter;
    std::unique_ptr<QtPainterSurface> surface;
};

struct LineCase {
    Point from, to;
    Point lastDrawn;   // the pixel just before the end point
    Point endPoint;    // must stay white
};

class QtSurfaceLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(QtSurfaceLineTest, OneUnitLineLeavesOutItsEndPoint) {
    const LineCase c = GetParam();
    RasterPage page;
    page.surface->SelectPen(Pen{Rgb(10, 20, 30), 0});
    page.surface->Line(c.from, c.to);
    EXPECT_EQ(page.At(c.from.x, c.from.y), Rgb(10, 20, 30));
    EXPECT_EQ(page.At(c.lastDrawn.x, c.lastDrawn.y), Rgb(10, 20, 30));
    EXPECT_EQ(page.At(c.endPoint.x, c.endPoint.y), kWhite);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, QtSurfaceLineTest,
    ::testing::Values(LineCase{{2, 5}, {12, 5}, {11, 5}, {12, 5}},
                      LineCase{{12, 5}, {2, 5}, {3, 5}, {2, 5}},
                      LineCase{{4, 2}, {4, 20}, {4, 19}, {4, 20}},
                      LineCase{{4, 20}, {4, 2}, {4, 3}, {4, 2}},
                      LineCase{{3, 3}, {13, 13}, {12, 12}, {13, 13}}),
    [](const ::testing::TestParamInfo<LineCase>& info) {
        return "From" + test::NameOfNumber(info.param.from.x) + "_" + test::NameOfNumber(info.param.from.y) + "_To" +
               test::NameOfNumber(info.param.to.x) + "_" + test::NameOfNumber(info.param.to.y);
    });

TEST(QtSurfaceLines, LineToContinuesFromTheEndOfTheLastLine) {
    RasterPage page;
    page.surface->SelectPen(Pen{Rgb(0, 0, 0), 1});
    page.surface->MoveTo(2, 2);
    page.surface->LineTo(10, 2);
    page.surface->LineTo(10, 10);
    EXPECT_EQ(page.At(10, 2), Rgb(0, 0, 0));  // drawn by the second segment
    EXPECT_EQ(page.At(10, 9), Rgb(0, 0, 0));
    EXPECT_EQ(page.At(10, 10), kWhite);
}

TEST(QtSurfaceLines, WidePenCarriesOnlyItsColourAndItsWidth) {
    RasterPage page(60, 60);
    const Color colour = Rgb(160, 220, 220);
    page.surface->SelectPen(Pen{colour, 5});
    page.surface->Line(10, 30, 50, 38);
    std::set<Color> colours;
    const QRect ink = page.Ink(&colours);
    EXPECT_EQ(colours, std::set<Color>{colour});  // no blended edge pixels
    // Across the line at x = 30 the pen covers about its width.
    int covered = 0;
    for (int y = 0; y < 60; ++y) covered += page.At(30, y) == colour;
    EXPECT_GE(covered, 5);
    EXPECT_LE(covered, 6);
    // Round ends reach a little beyond the end points, no further than half the width.
    EXPECT_GE(ink.left(), 10 - 3);
    EXPECT_LE(ink.right(), 50 + 3);
}

TEST(QtSurfaceLines, FarOffPagePointsStillDrawTheVisiblePart) {
    RasterPage page;
    page.surface->SelectPen(Pen{Rgb(0, 0, 255), 1});
    page.surface->Line(-268435456, 10, 268435456, 10);
    EXPECT_EQ(page.At(0, 10), Rgb(0, 0, 255));
    EXPECT_EQ(page.At(39, 10), Rgb(0, 0, 255));
    EXPECT_EQ(page.At(20, 11), kWhite);
}

struct BoxCase {
    int l, t, r, b;
};

class QtSurfaceBoxTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(QtSurfaceBoxTest, RectangleCoversLeftToRightMinusOneWhicheverWayRound) {
    const BoxCase c = GetParam();
    RasterPage page;
    page.surface->SelectPen(Pen{Rgb(0, 0, 0), 1});
    page.surface->SelectBrush(Brush{Rgb(200, 0, 0), false});
    page.surface->Rectangle(c.l, c.t, c.r, c.b);
    EXPECT_EQ(page.Ink(), QRect(QPoint(5, 6), QPoint(14, 19)));
    EXPECT_EQ(page.At(5, 6), Rgb(0, 0, 0));     // outline inside the box
    EXPECT_EQ(page.At(14, 19), Rgb(0, 0, 0));
    EXPECT_EQ(page.At(6, 7), Rgb(200, 0, 0));   // filled with the brush
    EXPECT_EQ(page.At(13, 18), Rgb(200, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Corners, QtSurfaceBoxTest,
                         ::testing::Values(BoxCase{5, 6, 15, 20}, BoxCase{15, 20, 5, 6},
                                           BoxCase{5, 20, 15, 6}, BoxCase{15, 6, 5, 20}),
                         [](const ::testing::TestParamInfo<BoxCase>& info) {
                             return "From" + test::NameOfNumber(info.param.l) + "_" + test::NameOfNumber(info.param.t) +
                                    "_To" + test::NameOfNumber(info.param.r) + "_" + test::NameOfNumber(info.param.b);
                         });

TEST(QtSurfaceShapes, FillsAcrossThePageEdgesAndTheClipMatchQtsOwnFill) {
    // Raster fills write the page's rows themselves; Qt's fillRect on a
    // second page, clipped the same way, is the reference.
    const QRect boxes[] = {{-5, -4, 20, 12},   {30, 20, 25, 25},        {-1000, 10, 3000, 2},
                           {12, -900, 3, 5000}, {-2147483, -2147483, 9, 9}, {39, 29, 1, 1}};
    for (const bool clipped : {false, true}) {
        for (const QRect& box : boxes) {
            RasterPage page;
            if (clipped) page.surface->IntersectClipRect(3, 2, 35, 27);
            page.surface->SelectPen(Pen{Rgb(10, 20, 30), 1});
            page.surface->SelectBrush(Brush{Rgb(10, 20, 30), false});
            page.surface->Rectangle(box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
            QImage expected(40, 30, QImage::Format_RGB32);
            expected.fill(Qt::white);
            QPainter qt(&expected);
            if (clipped) qt.setClipRect(QRect(3, 2, 32, 25));
            qt.fillRect(box, QColor(10, 20, 30));
            qt.end();
            page.painter.end();
            EXPECT_TRUE(page.image == expected) << clipped << " " << box.x() << "," << box.y();
        }
    }
}

TEST(QtSurfaceShapes, AFillAfterAnyDrawingCoversWhatWasDrawn) {
    // The surface skips a fill over an area it knows to be of that colour
    // already; every kind of drawing in between must undo that knowledge.
    const std::vector<std::pair<const char*, std::function<void(Surface&)>>> drawings = {
        {"text", [](Surface& dc) { dc.TextOut(20, 10, "Mg"); }},
        {"turned text", [](Surface& dc) {
             Font font = dc.DefaultFont();
             font.escapement = 900;
             dc.SelectFont(font);
             dc.TextOut(20, 35, "Mg");
         }},
        {"thin line", [](Surface& dc) { dc.Line(5, 5, 50, 30); }},
        {"wide line", [](Surface& dc) {
             dc.SelectPen(Pen{Rgb(0, 0, 0), 5});
             dc.Line(5, 30, 50, 5);
         }},
        {"ellipse", [](Surface& dc) { dc.Ellipse(10, 10, 30, 25); }},
        {"polygon", [](Surface& dc) {
             const Point triangle[] = {{5, 5}, {40, 10}, {20, 30}};
             dc.Polygon(triangle, 3);
         }},
        {"pixel", [](Surface& dc) { dc.SetPixel(30, 20, Rgb(0, 0, 0)); }},
        {"black box", [](Surface& dc) {
             dc.SelectBrush(Brush{Rgb(0, 0, 0), false});
             dc.Rectangle(10, 10, 20, 20);
         }},
    };
    for (const auto& [name, draw] : drawings) {
        RasterPage page(60, 40);
        Surface& dc = *page.surface;
        dc.SelectPen(Pen{kWhite, 1});
        dc.SelectBrush(Brush{kWhite, false});
        dc.Rectangle(0, 0, 60, 40);
        dc.SelectPen(Pen{Rgb(0, 0, 0), 1});
        dc.SelectBrush(Brush{Rgb(0, 120, 0), false});
        dc.SetTextColor(Rgb(0, 0, 0));
        dc.SetBackgroundMode(BackgroundMode::Transparent);
        draw(dc);
        EXPECT_FALSE(page.Ink().isNull()) << name;
        dc.SelectPen(Pen{kWhite, 1});
        dc.SelectBrush(Brush{kWhite, false});
        dc.Rectangle(2, 2, 58, 38);
        EXPECT_EQ(page.Ink(), QRect()) << name;
    }
}

TEST(QtSurfaceShapes, EllipseStaysInsideItsBoxWithExactColours) {
    RasterPage page;
    page.surface->SelectPen(Pen{Rgb(0, 0, 0), 1});
    page.surface->SelectBrush(Brush{Rgb(240, 0, 0), false});
    page.surface->Ellipse(10, 5, 26, 21);
    std::set<Color> colours;
    EXPECT_EQ(page.Ink(&colours), QRect(QPoint(10, 5), QPoint(25, 20)));
    EXPECT_EQ(colours, (std::set<Color>{Rgb(0, 0, 0), Rgb(240, 0, 0)}));
    EXPECT_EQ(page.At(18, 13), Rgb(240, 0, 0));
}

TEST(QtSurfaceShapes, PolygonFillsWithTheBrushAndOutlinesWithThePen) {
    RasterPage page;
    page.surface->SelectPen(Pen{Rgb(0, 0, 0), 1});
    page.surface->SelectBrush(Brush{Rgb(200, 200, 200), false});
    const Point square[] = {{5, 5}, {25, 5}, {25, 25}, {5, 25}};
    page.surface->Polygon(square, 4);
    EXPECT_EQ(page.At(15, 15), Rgb(200, 200, 200));
    EXPECT_EQ(page.At(5, 15), Rgb(0, 0, 0));
    EXPECT_EQ(page.At(15, 5), Rgb(0, 0, 0));
    EXPECT_EQ(page.At(30, 15), kWhite);
}

TEST(QtSurfaceClip, DrawingAndReadingStopAtTheClip) {
    RasterPage page;
    page.surface->IntersectClipRect(10, 10, 20, 20);
    page.surface->IntersectClipRect(0, 0, 15, 40);  // intersects: 10..14 x 10..19
    page.surface->SelectPen(Pen{Rgb(0, 0, 0), 1});
    page.surface->SelectBrush(Brush{Rgb(0, 90, 0), false});
    page.surface->Rectangle(0, 0, 40, 30);
    page.surface->SetPixel(30, 25, Rgb(1, 2, 3));
    EXPECT_EQ(page.Ink(), QRect(QPoint(10, 10), QPoint(14, 19)));
    EXPECT_EQ(page.surface->GetPixel(12, 12), Rgb(0, 90, 0));
    EXPECT_EQ(page.surface->GetPixel(15, 12), kInvalidColor);
    EXPECT_EQ(page.surface->GetPixel(-1, 12), kInvalidColor);
}

TEST(QtSurfaceClip, AnEmptyClipDrawsNothing) {
    RasterPage page;
    page.surface->IntersectClipRect(10, 10, 10, 20);
    page.surface->SelectBrush(Brush{Rgb(0, 90, 0), false});
    page.surface->Rectangle(0, 0, 40, 30);
    page.surface->SetPixel(10, 12, Rgb(1, 2, 3));
    EXPECT_TRUE(page.Ink().isNull());
}

TEST(QtSurfaceClip, SvgOutputIsCutToTheClipToo) {
    // The SVG generator ignores clipping; whatever crosses the clip's edge
    // must still end there once the file is drawn.
    testing::EnsureGuiApplication();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(60, 60));
        svg.setViewBox(QRect(0, 0, 60, 60));
        QPainter painter(&svg);
        QtPainterSurface surface(painter, 60, 60, false, nullptr);
        surface.IntersectClipRect(10, 10, 50, 50);
        surface.SelectPen(Pen{Rgb(0, 0, 255), 5});
        surface.Line(0, 30, 60, 30);
        surface.SelectBrush(Brush{Rgb(240, 0, 0), false});
        surface.Ellipse(40, 0, 60, 20);
        surface.SetPixel(5, 5, Rgb(0, 0, 0));
        Font font = SurfaceDefaultFont();
        font.height = -20;
        surface.SelectFont(font);
        surface.TextOut(35, 40, "Merkur");
    }
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QSvgRenderer(buffer.data()).render(&painter);
    painter.end();
    const QRect inside(10, 10, 40, 40);
    int drawnInside = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            const bool ink = image.pixel(x, y) != qRgb(255, 255, 255);
            if (!inside.contains(x, y)) {
                ASSERT_FALSE(ink) << x << "," << y;
            }
            drawnInside += ink;
        }
    }
    EXPECT_GT(drawnInside, 100);
}

TEST(QtSurfacePixels, SetPixelReadsBackExactlyOnRasterOnly) {
    RasterPage page;
    page.surface->SetPixel(3, 4, Rgb(5, 5, 5));
    EXPECT_EQ(page.surface->GetPixel(3, 4), Rgb(5, 5, 5));
    EXPECT_EQ(page.surface->GetPixel(40, 4), kInvalidColor);

    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(40, 30));
    QPainter painter(&svg);
    QtPainterSurface vector(painter, 40, 30, false, nullptr);
    vector.SetPixel(3, 4, Rgb(5, 5, 5));
    EXPECT_EQ(vector.GetPixel(3, 4), kInvalidColor);
}

TEST(QtSurfaceText, OpaqueTextFillsItsBoxFromTheTopLeftCorner) {
    RasterPage page(120, 60);
    page.surface->SetBackgroundMode(BackgroundMode::Opaque);
    page.surface->SetBackgroundColor(Rgb(255, 255, 0));
    page.surface->SetTextColor(Rgb(0, 0, 0));
    const TextSize size = page.surface->GetTextExtent("Mrz");
    page.surface->TextOut(10, 20, "Mrz");
    EXPECT_EQ(page.Ink(), QRect(10, 20, size.cx, size.cy));
}

TEST(QtSurfaceText, TextIsSmoothedInGreyLevelsOfItsOwnColour) {
    RasterPage page(120, 60);
    page.surface->SetBackgroundMode(BackgroundMode::Transparent);
    page.surface->SetTextColor(Rgb(0, 0, 170));
    page.surface->TextOut(10, 20, "Merkur");
    std::set<Color> colours;
    const QRect ink = page.Ink(&colours);
    const TextSize size = page.surface->GetTextExtent("Merkur");
    EXPECT_TRUE(QRect(10, 20, size.cx, size.cy).contains(ink));
    // Smoothed edges: more levels than the text colour alone.
    EXPECT_GE(colours.size(), 4u);
    EXPECT_TRUE(colours.count(Rgb(0, 0, 170)));
    // Grey-scale, not coloured subpixels: one coverage per pixel, so red and
    // green fall alike and blue lies on the same mix towards 170 (1 level
    // of rounding).
    for (const Color c : colours) {
        EXPECT_EQ(RedOf(c), GreenOf(c)) << std::hex << c;
        EXPECT_NEAR(BlueOf(c), 170 + (255 - 170) * RedOf(c) / 255.0, 1.0) << std::hex << c;
    }
}

// Text whose spacing the font's kerning tightens; the ink must end where the
// measured width says, so layout and drawing agree.
struct KerningCase {
    const char* text;
    const char* unkerned[2];  // the same text in two parts that share no kerned pair
};

void PrintTo(const KerningCase& c, std::ostream* out) { *out << c.text; }

class QtSurfaceKerningTest : public ::testing::TestWithParam<KerningCase> {};

TEST_P(QtSurfaceKerningTest, KernedTextIsMeasuredAsItIsDrawn) {
    const KerningCase c = GetParam();
    RasterPage page(400, 80);
    Font font = SurfaceDefaultFont();
    font.height = -40;
    page.surface->SelectFont(font);
    page.surface->SetBackgroundMode(BackgroundMode::Transparent);
    const TextSize whole = page.surface->GetTextExtent(c.text);
    const int parts = page.surface->GetTextExtent(c.unkerned[0]).cx +
                      page.surface->GetTextExtent(c.unkerned[1]).cx;
    // Liberation Sans kerns these pairs by several pixels at 40 px.
    EXPECT_LE(whole.cx, parts - 2) << c.text;
    page.surface->TextOut(10, 10, c.text);
    const QRect ink = page.Ink();
    // The last glyph ends within a few pixels of the measured width.
    EXPECT_NEAR(ink.right() + 1, 10 + whole.cx, 4) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Pairs, QtSurfaceKerningTest,
                         ::testing::Values(KerningCase{"AVAV", {"AV", "AV"}},
                                           KerningCase{"Ta", {"T", "a"}},
                                           KerningCase{"Y-Achse", {"Y", "-Achse"}}),
                         [](const ::testing::TestParamInfo<KerningCase>& info) {
                             return test::IdentifierOf(info.param.text);
                         });

TEST(QtSurfaceText, EscapementTurnsTextAboutItsTopLeftCorner) {
    Font up = SurfaceDefaultFont();
    up.escapement = up.orientation = 900;
    Font down = up;
    down.escapement = down.orientation = 2700;

    RasterPage upPage(80, 80);
    upPage.surface->SetBackgroundColor(Rgb(255, 255, 0));
    upPage.surface->SelectFont(up);
    const TextSize size = upPage.surface->GetTextExtent("Jan");
    upPage.surface->TextOut(30, 60, "Jan");  // runs upward, cell to the right of x
    EXPECT_EQ(upPage.Ink(), QRect(30, 60 - size.cx, size.cy, size.cx));

    RasterPage downPage(80, 80);
    downPage.surface->SetBackgroundColor(Rgb(255, 255, 0));
    downPage.surface->SelectFont(down);
    downPage.surface->TextOut(30, 10, "Jan");  // runs downward, cell to the left of x
    EXPECT_EQ(downPage.Ink(), QRect(30 - size.cy, 10, size.cy, size.cx));
}

TEST(QtSurfaceText, FontHeightsAreCharacterHeightsInDeviceUnits) {
    RasterPage page;
    Font font = SurfaceDefaultFont();
    font.height = -10;
    page.surface->SelectFont(font);
    const int small = page.surface->GetTextExtent("A").cy;
    font.height = -20;
    page.surface->SelectFont(font);
    const int large = page.surface->GetTextExtent("A").cy;
    EXPECT_NEAR(large, 2 * small, 2);
    EXPECT_GT(small, 10);  // the line is taller than the character height
    EXPECT_LT(small, 14);
    // The fixed default font gives a 16-unit line on every desktop.
    EXPECT_EQ(ScreenCharHeight(), 16);
}

struct WeightCase {
    int weight;
    int sameAs;  // the weight whose face it must draw with
};
class QtSurfaceFontWeight : public ::testing::TestWithParam<WeightCase> {};

// Regular and bold faces only: a weight draws with the same face at every
// size (the title's 600 came out bold at some page sizes and regular at
// others).
TEST_P(QtSurfaceFontWeight, OneFaceAtEverySize) {
    auto render = [](int weight, int height) {
        RasterPage page(400, 80);
        Font font = SurfaceDefaultFont();
        font.weight = weight;
        font.height = height;
        page.surface->SelectFont(font);
        page.surface->TextOut(2, 2, "D\u00e4mmerung 2025");
        page.painter.end();
        return page.image;
    };
    // Character heights (negative) and cell heights (positive), as the
    // chart's fonts come at different page sizes.
    for (int size = 8; size <= 60; ++size) {
        for (const int height : {-size, size}) {
            EXPECT_EQ(render(GetParam().weight, height), render(GetParam().sameAs, height))
                << GetParam().weight << " at " << height;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Weights, QtSurfaceFontWeight,
                         ::testing::Values(WeightCase{0, 400}, WeightCase{599, 400}, WeightCase{600, 700},
                                           WeightCase{1000, 700}),
                         [](const ::testing::TestParamInfo<WeightCase>& info) {
                             return "Weight" + test::NameOfNumber(info.param.weight);
                         });

}  // namespace
}  // namespace velmarin
