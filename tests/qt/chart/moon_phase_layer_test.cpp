// Lunar phase markers: shapes and exact colours on raster output, their
// places per display mode, and the Moon switch.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/chart/layer_fixture.h"
#include "core/chart/layers.h"
#include "core/chart/phase_markers.h"
#include "core/chart/recording_surface.h"
#include "core/ephemeris/moon_phase.h"
#include "core/ephemeris/time_calendar.h"
#include "core/test_names.h"
#include "qt/chart/layer_image.h"

namespace velmarin {
namespace {

using testing::LayerFixture;
using testing::SurfaceCall;
using testing::RecordingSurface;
using testing::PaintOnImage;
using testing::PixelAt;

constexpr Color kWhite = Rgb(255, 255, 255);

struct MarkerCase {
    int style;
    Color color;
    int filledDx;  // offset from the centre that lies inside the shape
    int emptyDx;   // offset that lies outside (0: none, full disc)
};

class PhaseMarkerShapes : public ::testing::TestWithParam<MarkerCase> {};

// Each style paints its exact colour where the readout will look for it:
// full discs around the centre, the first quarter right of it, the last
// quarter left of it; the outline comes from the selected pen.
TEST_P(PhaseMarkerShapes, StylePaintsItsColourAndShape) {
    const MarkerCase c = GetParam();
    EXPECT_EQ(PhaseMarkerColor(c.style), c.color);
    const int r = 12;
    const QImage image = PaintOnImage(64, 64, [&](Surface& dc) {
        dc.SelectPen(Pen{Rgb(0, 0, 0), 1});
        DrawPhaseMarker(dc, 32, 32, r, c.style);
    });
    EXPECT_EQ(PixelAt(image, 32 + c.filledDx, 32), c.color);
    EXPECT_EQ(PixelAt(image, 32 + c.filledDx, 32 + r / 2), c.color);
    if (c.emptyDx != 0) {
        EXPECT_EQ(PixelAt(image, 32 + c.emptyDx, 32), kWhite);
    }
    // Black outline on the shape's top edge, nothing beyond its radius.
    EXPECT_EQ(PixelAt(image, 32 + c.filledDx / 4, 32 - r), Rgb(0, 0, 0));
    EXPECT_EQ(PixelAt(image, 32, 32 - r - 2), kWhite);
    EXPECT_EQ(PixelAt(image, 32 + r + 2, 32), kWhite);
}

std::string MarkerCaseName(const ::testing::TestParamInfo<MarkerCase>& info) {
    static constexpr std::pair<int, const char*> kStyles[] = {
        {kStyleNewMoon, "NewMoon"},           {kStyleSolarEclipse, "SolarEclipse"},
        {kStyleFullMoon, "FullMoon"},         {kStyleLunarEclipse, "LunarEclipse"},
        {kStyleFirstQuarter, "FirstQuarter"}, {kStyleLastQuarter, "LastQuarter"}};
    for (const auto& [style, name] : kStyles) {
        if (style == info.param.style) return std::string(name);
    }
    return "Style" + std::to_string(info.param.style);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, PhaseMarkerShapes,
    ::testing::Values(MarkerCase{kStyleNewMoon, Rgb(1, 1, 1), 0, 0},
                      MarkerCase{kStyleSolarEclipse, Rgb(240, 0, 0), 0, 0},
                      MarkerCase{kStyleFullMoon, Rgb(250, 250, 250), 0, 0},
                      MarkerCase{kStyleLunarEclipse, Rgb(250, 0, 0), 0, 0},
                      MarkerCase{kStyleFirstQuarter, Rgb(200, 200, 200), 5, -5},
                      MarkerCase{kStyleLastQuarter, Rgb(190, 190, 190), -5, 5}),
    MarkerCaseName);

TEST(PhaseMarkerShapesUnknown, UnknownStyleDrawsNothing) {
    RecordingSurface dc(64, 64);
    DrawPhaseMarker(dc, 32, 32, 10, 7);
    EXPECT_TRUE(dc.calls.empty());
    EXPECT_EQ(PhaseMarkerColor(7), kInvalidColor);
}

// Centre of a recorded marker, from its ellipse box or its half-disc polygon.
Point MarkerCentre(const SurfaceCall& op, int radius) {
    if (op.kind == SurfaceCall::Ellipse) return {op.x1 + radius, op.y1 + radius};
    // The first corner lies straight below the centre (first quarter) or above it.
    return op.points.size() == 19 && op.points[0].y > op.points[18].y
               ? Point{op.points[0].x, op.points[0].y - radius}
               : Point{op.points[0].x, op.points[0].y + radius};
}

class MoonPhaseLayerPlaces : public ::testing::TestWithParam<std::tuple<DisplayMode, bool>> {};

// Markers come in the order and styles of the search, each at the Moon's
// plotted angle: in DisplayMode::Sun new moons sit by the middle line (the Sun) and
// full moons by the edge, in DisplayMode::Midnight the other way round.
TEST_P(MoonPhaseLayerPlaces, MarkersSitWhereTheModePlotsTheMoon) {
    const auto [mode, portrait] = GetParam();
    LayerFixture f(portrait ? 960 : 1280, portrait ? 1280 : 960, 2026);
    RecordingSurface dc(f.layout.pageWidth, f.layout.pageHeight);
    ChartPass pass = f.Pass(dc, mode);
    DrawMoonPhases(pass, f.Sky(pass));

    const std::vector<PhaseMarker> markers = SearchPhaseMarkers(2026);
    const int radius = DiameterPenWidth(f.catalogue, f.layout, 2, 35.0).width;
    ASSERT_EQ(dc.calls.size(), markers.size());
    ASSERT_GE(markers.size(), 48u);
    for (size_t i = 0; i < markers.size(); ++i) {
        const SurfaceCall& op = dc.calls[i];
        const PhaseMarker& m = markers[i];
        EXPECT_EQ(op.brush.color, PhaseMarkerColor(m.style));
        EXPECT_EQ(op.pen, Pen{});  // outlined with the pen selected on entry
        const bool half = m.style == kStyleFirstQuarter || m.style == kStyleLastQuarter;
        EXPECT_EQ(op.kind, half ? SurfaceCall::Polygon : SurfaceCall::Ellipse);
        if (op.kind == SurfaceCall::Ellipse) {
            EXPECT_EQ(op.x2 - op.x1, 2 * radius);
        }
        const Point centre = MarkerCentre(op, radius);
        if (mode == DisplayMode::Normal) {
            EXPECT_EQ(centre, MapToPage(f.layout, m.jd, m.moonRa));
            continue;
        }
        // Where the Moon stands seen from the Sun: 0 at new moon, pi at full moon.
        const double fromSun = NormalizeAngle(MapToAngle(f.layout, centre) - (mode == DisplayMode::Sun ? kPi : 0.0));
        const double expected = m.kind == kNewMoon ? 0.0 : m.kind == kFullMoon ? kPi
                                : m.kind == kFirstQuarter ? kPi / 2 : 3 * kPi / 2;
        const double off = std::abs(NormalizeAngle(fromSun - expected + kPi) - kPi);
        EXPECT_LT(off, 0.2) << "marker " << i;
    }
    EXPECT_EQ(CalendarFromJulianDay(markers.front().jd).year, 2026);
    EXPECT_EQ(CalendarFromJulianDay(markers.back().jd).year, 2026);
}

INSTANTIATE_TEST_SUITE_P(ModesOrientations, MoonPhaseLayerPlaces,
                         ::testing::Combine(::testing::Values(DisplayMode::Normal, DisplayMode::Sun, DisplayMode::Midnight),
                                            ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<DisplayMode, bool>>& info) {
                             return test::NameOfMode(static_cast<int>(std::get<0>(info.param))) +
                                    (std::get<1>(info.param) ? "_Portrait" : "_Landscape");
                         });

TEST(MoonPhaseLayerSwitch, NothingWithoutTheMoon) {
    LayerFixture f(640, 480, 2026);
    f.settings.showMoon = 0;
    RecordingSurface dc(640, 480);
    ChartPass pass = f.Pass(dc, DisplayMode::Normal);
    DrawMoonPhases(pass, f.Sky(pass));
    EXPECT_TRUE(dc.calls.empty());
}

// On raster output the pixel at every marker's centre carries the marker's
// colour (markers far enough apart not to overlap).
TEST(MoonPhaseLayerPixels, MarkerCentresCarryMarkerColours) {
    LayerFixture f(1280, 960, 2025);
    const QImage image = PaintOnImage(1280, 960, [&](Surface& dc) {
        ChartPass pass = f.Pass(dc, DisplayMode::Normal);
        DrawMoonPhases(pass, f.Sky(pass));
    });
    const int radius = DiameterPenWidth(f.catalogue, f.layout, 2, 35.0).width;
    for (const PhaseMarker& m : SearchPhaseMarkers(2025)) {
        Point p = MapToPage(f.layout, m.jd, m.moonRa);
        // Half discs: look half a radius into the filled half.
        if (m.style == kStyleFirstQuarter) p.x += radius / 2;
        if (m.style == kStyleLastQuarter) p.x -= radius / 2;
        if (p.x < 0 || p.y < 0 || p.x >= 1280 || p.y >= 960) continue;
        EXPECT_EQ(PixelAt(image, p.x, p.y), PhaseMarkerColor(m.style)) << m.jd;
    }
}

}  // namespace
}  // namespace velmarin
