// The twilight chart with "mit Planeten" and "mit Mondlicht" on raster
// output: the planets' curves pass through PyEphem's rises and sets, the
// moonlit night has its own colours, and the legend stays on the page
// without text over text.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/chart/draw_chart.h"
#include "core/chart/night_overlay.h"
#include "core/ephemeris/time_calendar.h"
#include "core/ephemeris/pyephem_events.h"
#include "qt/chart/layer_image.h"

namespace velmarin {
namespace {

using testing::PaintOnImage;
using testing::PixelAt;

constexpr double kTwilightPi = 3.14159;

// PyEphem's rises and sets of `body` at 52 N 13.4 E in 2026.
std::vector<double> Reference(int body, char kind) { return testing::PyEphemEvents("52N", body, std::string(1, kind)); }

ChartSettings Settings(bool planets, bool moonlight) {
    ChartSettings s;
    s.displayMode = DisplayMode::Twilight;
    s.latitude = 52.0 * degToRad;
    s.longitude = 13.4 * degToRad;
    s.timeZoneHours = 1.0;
    s.summerTime = 0;
    s.showPlanets = planets;
    s.showMoonlight = moonlight;
    return s;
}

QImage Chart(int width, int height, const ChartSettings& settings, ChartViewState& state) {
    return PaintOnImage(width, height, [&](Surface& dc) {
        DrawChart(dc, ScreenCharHeight(), 2026, 0.0, settings, state);
    });
}

// On the 5th, 15th and 25th of every month (away from the grid's days) the
// pixel at PyEphem's rise and set of each planet, or one at most 3 pixels
// from it along the time axis, carries the planet's colour (6 pixels for
// Saturn, Uranus and Neptune, which the ephemeris itself puts 3 to 5 minutes
// off).
// Labels and other planets' curves may cover a few.
TEST(NightOverlayImage, PlanetCurvesPassThroughTheReferenceEvents) {
    for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{1080, 1920}}) {
        ChartViewState state;
        const QImage image = Chart(width, height, Settings(true, false), state);
        const ChartLayout& l = state.layout;
        for (int body = IndexOf(BodyId::kMercury); body <= IndexOf(BodyId::kNeptune); ++body) {
            const Color colour = state.catalogue.entries[body].color;
            int checked = 0, found = 0;
            for (const char kind : {'r', 's'}) {
                for (double jd : Reference(body, kind)) {
                    const double local = jd + 1.0 / 24.0;
                    const double dayJd = std::floor(local - 0.5) + 0.5;
                    const int day = CalendarFromJulianDay(dayJd).day;
                    if ((day != 5 && day != 15 && day != 25) || CalendarFromJulianDay(dayJd).year != 2026) continue;
                    const Point p = MapToPage(l, dayJd, (24 - (local - dayJd) * 24.0) * kTwilightPi / 12);
                    if (p.y <= l.plotTop + 4 || p.y >= l.plotBottom - 4 || p.x <= l.plotLeft + 4 ||
                        p.x >= l.plotRight - 4)
                        continue;
                    ++checked;
                    bool hit = false;
                    const int reach = body == IndexOf(BodyId::kSaturn) || body == IndexOf(BodyId::kUranus) || body == IndexOf(BodyId::kNeptune) ? 6 : 3;
                    for (int d = -reach; d <= reach && !hit; ++d) {
                        hit = l.portrait ? PixelAt(image, p.x + d, p.y) == colour : PixelAt(image, p.x, p.y + d) == colour;
                    }
                    found += hit;
                }
            }
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + " body " + std::to_string(body));
            ASSERT_GE(checked, 60);
            EXPECT_GE(found * 10, checked * 9) << found << " of " << checked;
        }
    }
}

int Count(const QImage& image, Color colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += PixelAt(image, x, y) == colour;
    return n;
}

// The moonlit night and the moon-free darkness curve appear with
// "mit Mondlicht" only; the planets add none of their colours.
TEST(NightOverlayImage, MoonlitColoursOnlyWithMoonlight) {
    ChartViewState state;
    const QImage planets = Chart(1280, 960, Settings(true, false), state);
    const QImage moon = Chart(1280, 960, Settings(false, true), state);
    for (Color c : {kMoonlitAstronomicalColor, kMoonlitDarknessColor, kMoonFreeDarknessColor}) {
        EXPECT_EQ(Count(planets, c), 0);
        EXPECT_GT(Count(moon, c), 500);
    }
    // Moonlit darkness stays darkness: both kinds of cell are there.
    EXPECT_GT(Count(moon, NightCellColor(4)), 10000);
}

// Records where text went, drawing it as the surface below does.
class TextBoxes : public Surface {
public:
    explicit TextBoxes(Surface& inner) : inner_(inner) {}
    struct Box {
        int left, top, right, bottom;
        std::string text;
    };
    std::vector<Box> boxes;

    int Width() const override { return inner_.Width(); }
    int Height() const override { return inner_.Height(); }
    bool IsPrinting() const override { return inner_.IsPrinting(); }
    Pen SelectPen(const Pen& p) override { return inner_.SelectPen(p); }
    Brush SelectBrush(const Brush& b) override { return inner_.SelectBrush(b); }
    Font SelectFont(const Font& f) override { return inner_.SelectFont(f); }
    Font DefaultFont() const override { return inner_.DefaultFont(); }
    void SetBackgroundMode(BackgroundMode m) override { inner_.SetBackgroundMode(m); }
    void SetBackgroundColor(Color c) override { inner_.SetBackgroundColor(c); }
    void SetTextColor(Color c) override { inner_.SetTextColor(c); }
    void MoveTo(int x, int y) override { inner_.MoveTo(x, y); }
    void LineTo(int x, int y) override { inner_.LineTo(x, y); }
    void Rectangle(int l, int t, int r, int b) override { inner_.Rectangle(l, t, r, b); }
    void Ellipse(int l, int t, int r, int b) override { inner_.Ellipse(l, t, r, b); }
    void Polygon(const Point* p, int n) override { inner_.Polygon(p, n); }
    void SetPixel(int x, int y, Color c) override { inner_.SetPixel(x, y, c); }
    Color GetPixel(int x, int y) const override { return inner_.GetPixel(x, y); }
    void TextOut(int x, int y, const std::string& text) override {
        const TextSize size = inner_.GetTextExtent(text);
        boxes.push_back({x, y, x + size.cx, y + size.cy, text});
        inner_.TextOut(x, y, text);
    }
    TextSize GetTextExtent(const std::string& text) const override { return inner_.GetTextExtent(text); }
    void IntersectClipRect(int l, int t, int r, int b) override { inner_.IntersectClipRect(l, t, r, b); }

private:
    Surface& inner_;
};

// Below the plot (caption, location and legend) every text lies on the page
// and none overlaps another, 800 to 1920 wide in both orientations, with
// and without the overlays; a wrapped row begins at the captions' left end.
TEST(NightOverlayImage, LegendRowsStayOnThePageWithoutTextOverText) {
    const std::pair<int, int> sizes[] = {{800, 600},  {1024, 768},  {1280, 960},  {1920, 1080}, {1920, 1200},
                                         {800, 1100}, {800, 1280},  {960, 1280},  {1080, 1920}, {1200, 1920},
                                         {800, 1600}, {1920, 1000}};
    for (const auto& [width, height] : sizes) {
        for (const bool overlays : {false, true}) {
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + (overlays ? " with overlays" : ""));
            ChartViewState state;
            std::vector<TextBoxes::Box> boxes;
            PaintOnImage(width, height, [&](Surface& dc) {
                TextBoxes recording(dc);
                DrawChart(recording, ScreenCharHeight(), 2026, 0.0, Settings(overlays, overlays), state);
                boxes = recording.boxes;
            });
            const ChartLayout& l = state.layout;
            std::vector<TextBoxes::Box> below;
            for (const auto& b : boxes) {
                if (b.top > l.plotBottom + l.tickLongY) below.push_back(b);
            }
            ASSERT_GE(below.size(), overlays ? 12u : 4u);
            const int rowStart = l.plotLeft - l.tickLongX;
            const int locationTop = below[1].top;
            for (std::size_t i = 0; i < below.size(); ++i) {
                const auto& a = below[i];
                EXPECT_GE(a.left, 0) << a.text;
                EXPECT_LE(a.right, width) << a.text;
                EXPECT_LE(a.bottom, height) << a.text;
                if (a.top >= below[1].bottom) {
                    EXPECT_GE(a.left, rowStart) << a.text;
                }
                if (a.top > locationTop && a.left < below[1].left + 1) {
                    EXPECT_EQ(a.left, rowStart) << a.text;
                }
                for (std::size_t j = i + 1; j < below.size(); ++j) {
                    const auto& b = below[j];
                    const bool overlap = a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
                    EXPECT_FALSE(overlap) << a.text << " / " << b.text;
                }
            }
        }
    }
}

}  // namespace
}  // namespace velmarin
