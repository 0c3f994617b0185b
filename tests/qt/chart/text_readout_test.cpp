// Smoothed chart text must never read as a track or a marker: its edges
// blend greys and tints that can equal their colours (a new moon's (1,1,1),
// the Moon's (100,100,100), a quarter's (200,200,200)). Each chart is drawn
// twice, once without its text; the pixels that differ are the text the user
// sees, and no pointer on one of them may open the readout.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "core/app/hover_readout.h"
#include "core/chart/draw_chart.h"
#include "qt/chart/gui_application.h"
#include "qt/surface/qt_chart_output.h"
#include "qt/surface/qt_painter_surface.h"
#include "qt/surface/qt_text_pixels.h"

namespace velmarin {
namespace {

// Everything but text reaches the page beneath.
class TextlessSurface : public Surface {
public:
    explicit TextlessSurface(Surface& page) : page_(page) {}
    int Width() const override { return page_.Width(); }
    int Height() const override { return page_.Height(); }
    bool IsPrinting() const override { return page_.IsPrinting(); }
    Pen SelectPen(const Pen& pen) override { return page_.SelectPen(pen); }
    Brush SelectBrush(const Brush& brush) override { return page_.SelectBrush(brush); }
    Font SelectFont(const Font& font) override { return page_.SelectFont(font); }
    Font DefaultFont() const override { return page_.DefaultFont(); }
    void SetBackgroundMode(BackgroundMode mode) override { page_.SetBackgroundMode(mode); }
    void SetBackgroundColor(Color color) override { page_.SetBackgroundColor(color); }
    void SetTextColor(Color color) override { page_.SetTextColor(color); }
    void MoveTo(int x, int y) override { page_.MoveTo(x, y); }
    void LineTo(int x, int y) override { page_.LineTo(x, y); }
    void Rectangle(int l, int t, int r, int b) override { page_.Rectangle(l, t, r, b); }
    void Ellipse(int l, int t, int r, int b) override { page_.Ellipse(l, t, r, b); }
    void Polygon(const Point* points, int count) override { page_.Polygon(points, count); }
    void SetPixel(int x, int y, Color color) override { page_.SetPixel(x, y, color); }
    Color GetPixel(int x, int y) const override { return page_.GetPixel(x, y); }
    void TextOut(int, int, const std::string&) override {}
    TextSize GetTextExtent(const std::string& text) const override { return page_.GetTextExtent(text); }
    void IntersectClipRect(int l, int t, int r, int b) override { page_.IntersectClipRect(l, t, r, b); }

private:
    Surface& page_;
};

struct ChartCase {
    int width, height, year;
    DisplayMode mode;
    int codeByDiameter, codeByBrightness;
};

void PrintTo(const ChartCase& c, std::ostream* out) {
    *out << c.width << "x" << c.height << " " << c.year << " mode " << static_cast<int>(c.mode);
}

struct TextCount {
    int textPixels = 0;        // inside the readout area
    int recognisedAsIs = 0;    // of those, read as a body or marker when taken at face value
    int shownThroughGuard = 0; // of those, read as one through the guard (must stay 0)
    int hiddenOther = 0;       // pixels that are not text but the guard passes over
};

TextCount CountText(const ChartCase& c) {
    testing::EnsureGuiApplication();
    ChartSettings settings;
    settings.displayMode = c.mode;
    settings.codeByDiameter = c.codeByDiameter;
    settings.codeByBrightness = c.codeByBrightness;
    const double today = 2460500.5;
    ChartViewState state;
    TextPixels text;
    const QImage page = DrawOnImage(QImage(), c.width, c.height, false, [&](Surface& dc) {
        DrawChart(dc, ScreenCharHeight(), c.year, today, settings, state);
    }, nullptr, &text);
    ChartViewState textlessState;
    const QImage textless = DrawOnImage(c.width, c.height, false, [&](Surface& dc) {
        TextlessSurface without(dc);
        DrawChart(without, ScreenCharHeight(), c.year, today, settings, textlessState);
    });

    TextCount count;
    EphemerisContext context;
    using Action = ReadoutDecision::Action;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const Point p{x, y};
            if (!InsideReadoutArea(state.layout, p)) continue;
            if (page.pixel(x, y) == textless.pixel(x, y)) {
                // Not text (or drawn over since): the guard leaves it alone.
                if (ReadableColor(page, text, QPoint(x, y)) == kInvalidColor) ++count.hiddenOther;
                continue;
            }
            ++count.textPixels;
            const QRgb raw = page.pixel(x, y);
            const Color asIs = Rgb(qRed(raw), qGreen(raw), qBlue(raw));
            if (HoverReadout(context, asIs, p, state.layout, state.catalogue, settings).action ==
                Action::Show) {
                ++count.recognisedAsIs;
            }
            const Color guarded = ReadableColor(page, text, QPoint(x, y));
            if (HoverReadout(context, guarded, p, state.layout, state.catalogue, settings).action ==
                Action::Show) {
                ++count.shownThroughGuard;
                ADD_FAILURE() << "text pixel (" << x << ", " << y << ") reads as a track or marker";
            }
        }
    }
    return count;
}

TEST(ChartTextReadout, NoTextPixelOpensTheReadout) {
    // Landscape and portrait, small to large, the three readable modes, with
    // and without line coding.
    const ChartCase cases[] = {
        {1280, 960, 2025, DisplayMode::Normal, 0, 0},  {640, 480, 2024, DisplayMode::Normal, 1, 1},
        {1920, 1080, 2026, DisplayMode::Normal, 1, 0}, {800, 1100, 2025, DisplayMode::Normal, 0, 1},
        {1000, 593, 2025, DisplayMode::Sun, 0, 0},     {900, 1200, 2023, DisplayMode::Sun, 1, 1},
        {1212, 800, 2025, DisplayMode::Midnight, 0, 0}, {600, 900, 2030, DisplayMode::Midnight, 1, 0},
    };
    int recognisedAsIs = 0;
    for (const ChartCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c));
        const TextCount count = CountText(c);
        EXPECT_EQ(count.shownThroughGuard, 0);
        EXPECT_EQ(count.hiddenOther, 0);
        recognisedAsIs += count.recognisedAsIs;
        if (c.mode == DisplayMode::Normal) {
            EXPECT_GT(count.textPixels, 0);  // the zodiac labels
        }
    }
    // The guard has work to do: some text pixels carry a readout colour.
    EXPECT_GT(recognisedAsIs, 0);
}

}  // namespace
}  // namespace velmarin
