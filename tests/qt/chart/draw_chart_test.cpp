// The whole drawing pass: layer order, screen and print passes, pens,
// colour read-back, and pages from 1 x 1 to 8000 x 8000.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "core/chart/draw_chart.h"
#include "core/chart/frame_layers.h"
#include "core/chart/recording_surface.h"
#include "qt/chart/gui_application.h"
#include "qt/surface/qt_painter_surface.h"

namespace velmarin {
namespace {

using testing::RecordingSurface;
using testing::SurfaceCall;

constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kBlack = Rgb(0, 0, 0);

size_t IndexOfClip(const RecordingSurface& dc) {
    for (size_t i = 0; i < dc.calls.size(); ++i) {
        if (dc.calls[i].kind == SurfaceCall::Clip) return i;
    }
    return dc.calls.size();
}

bool HasLineWithPen(const RecordingSurface& dc, const Pen& pen) {
    for (const SurfaceCall& call : dc.calls) {
        if (call.kind == SurfaceCall::Line && call.pen == pen) return true;
    }
    return false;
}

TEST(DrawChartPass, FrameFirstThenClipThenPlotLayers) {
    RecordingSurface dc(1280, 960);
    const Pen kept{Rgb(1, 1, 1), 1};
    dc.SelectPen(kept);
    ChartSettings settings;
    settings.displayMode = DisplayMode::Normal;
    ChartViewState state;
    DrawChart(dc, 16, 2024, 0.0, settings, state);
    const ChartLayout& l = state.layout;

    ASSERT_GT(dc.calls.size(), 100u);
    const SurfaceCall& page = dc.calls[0];
    EXPECT_EQ(page.kind, SurfaceCall::Rectangle);
    EXPECT_EQ((std::vector<int>{page.x1, page.y1, page.x2, page.y2}),
              (std::vector<int>{0, 0, 1280, 960}));
    EXPECT_EQ(page.pen.color, kWhite);
    EXPECT_EQ(page.brush, (Brush{kWhite, false}));
    EXPECT_EQ(dc.calls[1].kind, SurfaceCall::Text);
    EXPECT_EQ(dc.calls[1].text, "Astronomischer Kalender 2024");
    EXPECT_EQ(dc.calls[2].kind, SurfaceCall::Rectangle);
    EXPECT_EQ((std::vector<int>{dc.calls[2].x1, dc.calls[2].y1, dc.calls[2].x2, dc.calls[2].y2}),
              (std::vector<int>{l.plotLeft, l.plotTop, l.plotRight, l.plotBottom}));
    EXPECT_EQ(dc.calls[2].pen, (Pen{kBlack, 1}));
    EXPECT_EQ(dc.calls[2].backgroundMode, BackgroundMode::Opaque);

    // One clip, strictly inside the frame, after the legend's last entry.
    const auto clips = dc.Of(SurfaceCall::Clip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ((std::vector<int>{clips[0].x1, clips[0].y1, clips[0].x2, clips[0].y2}),
              (std::vector<int>{l.plotLeft + 1, l.plotTop + 1, l.plotRight - 1, l.plotBottom - 1}));
    const size_t clip = IndexOfClip(dc);
    EXPECT_EQ(dc.calls[clip - 1].kind, SurfaceCall::Line);  // the last legend sample line
    size_t lastLegendText = 0;
    for (size_t i = 0; i < clip; ++i) {
        if (dc.calls[i].kind == SurfaceCall::Text) lastLegendText = i;
    }
    EXPECT_EQ(dc.calls[lastLegendText].text, "Sternzeit 0h");
    // Grid dots, tracks and markers all come after the clip.
    for (size_t i = 0; i < clip; ++i) {
        EXPECT_NE(dc.calls[i].kind, SurfaceCall::Pixel);
        EXPECT_NE(dc.calls[i].kind, SurfaceCall::Ellipse);
    }
    // The plot layers end with the pen that was selected before the pass.
    EXPECT_EQ(dc.CurrentPen(), kept);
    EXPECT_FALSE(state.colorReadBack);
}

TEST(DrawChartPass, PrintPassMakesPrintPensAndTheScreenGetsItsOwnBack) {
    ChartSettings settings;
    settings.showGrid = 0;
    settings.showDayLine = 1;
    ChartViewState state;
    state.footerText = "Velmarin Version 9.8.7";
    const double today = 2460310.5 + 100;  // inside 2024
    const Color mercury = state.catalogue.entries[1].color;

    RecordingSurface screen(1280, 960);
    DrawChart(screen, 16, 2024, today, settings, state);
    EXPECT_TRUE(state.catalogue.pensMade);
    EXPECT_TRUE(HasLineWithPen(screen, Pen{mercury, 3}));
    EXPECT_TRUE(HasLineWithPen(screen, Pen{Rgb(125, 125, 125), 2}));  // day line

    RecordingSurface paper(1280, 960, true);
    DrawChart(paper, 16, 2024, today, settings, state);
    EXPECT_TRUE(HasLineWithPen(paper, Pen{mercury, 16}));
    EXPECT_FALSE(HasLineWithPen(paper, Pen{mercury, 3}));
    EXPECT_FALSE(HasLineWithPen(paper, Pen{Rgb(125, 125, 125), 2}));  // never a day line on paper
    EXPECT_FALSE(state.catalogue.pensMade);
    const std::vector<std::string> texts = paper.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), state.footerText), texts.end());
    const std::vector<std::string> screenTexts = screen.Texts();
    EXPECT_EQ(std::find(screenTexts.begin(), screenTexts.end(), state.footerText), screenTexts.end());
    // Paper fonts are 0.8 of the screen's.
    EXPECT_EQ(state.fonts.fontNormal.height, -16);

    RecordingSurface again(1280, 960);
    DrawChart(again, 16, 2024, today, settings, state);
    EXPECT_TRUE(HasLineWithPen(again, Pen{mercury, 3}));
    EXPECT_FALSE(HasLineWithPen(again, Pen{mercury, 16}));
}

TEST(DrawChartPass, ModesChooseTheirLayers) {
    const Color mercury = MakeBodyCatalogue().entries[1].color;
    struct Case {
        DisplayMode displayMode;
        const char* title;
        bool tracks;
    };
    for (const Case c : {Case{DisplayMode::Twilight, "Dämmerung 2024", false},
                         Case{DisplayMode::Sun, "Astronomischer Kalender 2024", true},
                         Case{static_cast<DisplayMode>(17), "Astronomischer Kalender 2024", true}}) {  // damaged: as normal
        RecordingSurface dc(640, 480);
        ChartSettings settings;
        settings.displayMode = c.displayMode;
        ChartViewState state;
        DrawChart(dc, 16, 2024, 0.0, settings, state);
        EXPECT_EQ(dc.Texts()[0], c.title);
        bool mercuryAfterClip = false;
        for (size_t i = IndexOfClip(dc); i < dc.calls.size(); ++i) {
            mercuryAfterClip |= dc.calls[i].kind == SurfaceCall::Line && dc.calls[i].pen.color == mercury;
        }
        EXPECT_EQ(mercuryAfterClip, c.tracks) << static_cast<int>(c.displayMode);
    }
}

TEST(DrawChartPass, AnyPageSizeDrawsWithBoundedCoordinates) {
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{
             {1, 1}, {2, 2}, {1, 900}, {900, 1}, {37, 23}, {8000, 8000}, {3000, 8000}}) {
        for (const DisplayMode mode : {DisplayMode::Normal, DisplayMode::Midnight, DisplayMode::Twilight}) {
            RecordingSurface dc(w, h);
            ChartSettings settings;
            settings.displayMode = mode;
            ChartViewState state;
            // A day line far outside the year must not overflow either.
            DrawChart(dc, 16, 999999, 2460310.5, settings, state);
            for (const SurfaceCall& call : dc.calls) {
                for (const int v : {call.x1, call.y1, call.x2, call.y2}) {
                    ASSERT_LE(std::abs(v), 1 << 29) << w << "x" << h << " mode " << static_cast<int>(mode);
                }
            }
        }
    }
}

// Renders a pass onto a white raster page.
QImage Render(int width, int height, const ChartSettings& settings, ChartViewState& state,
              bool printing = false, QImage::Format format = QImage::Format_RGB32) {
    testing::EnsureGuiApplication();
    QImage image(width, height, format);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtPainterSurface surface(painter, width, height, printing, &image);
    DrawChart(surface, ScreenCharHeight(), 2024, 2460400.5, settings, state);
    return image;
}

Color PixelAt(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return Rgb(qRed(p), qGreen(p), qBlue(p));
}

TEST(DrawChartPixels, FrameIsBlackAndTheReadBackFindsTheTableColours) {
    ChartSettings settings;
    settings.showGrid = 0;
    ChartViewState state;
    const BodyCatalogue table = MakeBodyCatalogue();
    const QImage image = Render(640, 480, settings, state);
    const ChartLayout& l = state.layout;
    EXPECT_EQ(PixelAt(image, l.plotLeft, l.plotTop), kBlack);
    EXPECT_EQ(PixelAt(image, l.plotRight - 1, l.plotBottom - 1), kBlack);
    EXPECT_EQ(PixelAt(image, l.plotRight + 2, l.plotTop + 5), kWhite);
    EXPECT_EQ(PixelAt(image, 1, 1), kWhite);
    // A true-colour page shows every table colour exactly.
    for (int entry = 0; entry < kCatalogueSize; ++entry) {
        EXPECT_EQ(state.catalogue.entries[entry].color, table.entries[entry].color) << entry;
    }
}

TEST(DrawChartPixels, ReadBackTakesWhatAPoorerPageShows) {
    // 16-bit pixels cannot show most table colours; the legend learns the
    // colours the page really holds, and only on the first pass.
    ChartSettings settings;
    ChartViewState state;
    const BodyCatalogue table = MakeBodyCatalogue();
    const QImage image = Render(640, 480, settings, state, false, QImage::Format_RGB16);
    int changed = 0;
    for (const int entry : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11}) {
        const Color learnt = state.catalogue.entries[entry].color;
        QImage probe(1, 1, QImage::Format_RGB16);
        probe.fill(ToQColor(table.entries[entry].color));
        EXPECT_EQ(learnt, PixelAt(probe, 0, 0)) << entry;
        changed += learnt != table.entries[entry].color;
    }
    EXPECT_GT(changed, 5);
    EXPECT_EQ(state.catalogue.entries[kEntryEcliptic].color, table.entries[kEntryEcliptic].color);
    EXPECT_FALSE(state.colorReadBack);
}

TEST(DrawChartPixels, PlotLayersStayInsideTheFrame) {
    for (const DisplayMode mode : {DisplayMode::Normal, DisplayMode::Twilight}) {
        ChartSettings settings;
        settings.displayMode = mode;
        settings.codeByDiameter = 1;
        ChartViewState state;
        const QImage image = Render(400, 300, settings, state);
        const ChartLayout& l = state.layout;
        // The frame stays black all round: nothing of the plot paints over it.
        for (int x = l.plotLeft; x < l.plotRight; ++x) {
            ASSERT_EQ(PixelAt(image, x, l.plotTop), kBlack) << x;
            ASSERT_EQ(PixelAt(image, x, l.plotBottom - 1), kBlack) << x;
        }
        for (int y = l.plotTop; y < l.plotBottom; ++y) {
            ASSERT_EQ(PixelAt(image, l.plotLeft, y), kBlack) << y;
            ASSERT_EQ(PixelAt(image, l.plotRight - 1, y), kBlack) << y;
        }
    }
}

TEST(DrawChartPixels, TinyImagesDraw) {
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1, 1}, {3, 2}, {2, 30}, {60, 9}}) {
        for (const bool printing : {false, true}) {
            ChartSettings settings;
            ChartViewState state;
            const QImage image = Render(w, h, settings, state, printing);
            EXPECT_EQ(image.size(), QSize(w, h));
            // The legend read back nothing useful on so small a page: the table colours stay.
            EXPECT_EQ(state.catalogue.entries[0].color, MakeBodyCatalogue().entries[0].color);
        }
    }
}

}  // namespace
}  // namespace velmarin
