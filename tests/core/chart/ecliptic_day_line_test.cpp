// The ecliptic layer (curve, zodiac labels, declination scale) and the day line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/chart/layer_fixture.h"
#include "core/chart/layers.h"
#include "core/chart/recording_surface.h"
#include "core/ephemeris/time_calendar.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

using testing::From;
using testing::LayerFixture;
using testing::LinesIn;
using testing::To;
using testing::SurfaceCall;
using testing::RecordingSurface;

struct DayLineCase {
    bool printing;
    int showDayLine;
    size_t lines;
};

class DayLineLayer : public ::testing::TestWithParam<DayLineCase> {};

// The day line is a screen aid: never on paper, and only when switched on.
TEST_P(DayLineLayer, DrawnOnScreenWhenSwitchedOn) {
    const DayLineCase c = GetParam();
    LayerFixture f(640, 480, 2025, c.printing);
    f.settings.showDayLine = c.showDayLine;
    RecordingSurface dc(640, 480, c.printing);
    const double today = JulianDayFromDate(14, 5, 2025);
    ChartPass pass = f.Pass(dc, DisplayMode::Normal, today);
    DrawDayLine(pass);
    ASSERT_EQ(dc.calls.size(), c.lines);
    if (c.lines == 0) return;
    const SurfaceCall& op = dc.calls[0];
    EXPECT_EQ(op.pen, (Pen{Rgb(125, 125, 125), 2}));
    EXPECT_EQ(From(op), MapToPage(f.layout, today, 0.0));
    EXPECT_EQ(To(op), MapToPage(f.layout, today, 2 * kPi));
    EXPECT_EQ(dc.CurrentPen(), Pen{});
}

INSTANTIATE_TEST_SUITE_P(Cases, DayLineLayer,
                         ::testing::Values(DayLineCase{false, 1, 1}, DayLineCase{false, 0, 0},
                                           DayLineCase{true, 1, 0}, DayLineCase{true, 0, 0}),
                         [](const ::testing::TestParamInfo<DayLineCase>& info) {
                             return std::string(info.param.printing ? "Paper" : "Screen") +
                                    (info.param.showDayLine ? "_DayLineOn" : "_DayLineOff");
                         });

class EclipticLayer : public ::testing::TestWithParam<bool> {};

// The curve swings 47 days either side of 1 July, the zodiac names sit on
// the side of their declination, and the scale is five alternating blocks
// labelled +20 deg (earlier dates) down to -20 deg.
TEST_P(EclipticLayer, CurveLabelsAndScale) {
    const bool portrait = GetParam();
    LayerFixture f(portrait ? 960 : 1280, portrait ? 1280 : 960, 2023);
    RecordingSurface dc(f.layout.pageWidth, f.layout.pageHeight);
    const Pen before{Rgb(1, 2, 3), 1};
    dc.SelectPen(before);
    ChartPass pass = f.Pass(dc, DisplayMode::Normal);
    DrawEcliptic(pass);

    const double jdMid = JulianDayFromDate(1, 7, 2023);
    const Point mid = MapToPage(f.layout, jdMid, 0.0);
    const Point later = MapToPage(f.layout, jdMid + 47.0, 0.0);
    const int a = portrait ? later.y - mid.y : later.x - mid.x;
    ASSERT_GT(a, 50);
    // Date coordinate of a point, and of the 1 July line.
    auto date = [&](Point p) { return portrait ? p.y : p.x; };

    const std::vector<SurfaceCall> curve = LinesIn(dc, f.catalogue.entries[kEntryEcliptic].color);
    ASSERT_EQ(curve.size(), 1u + 64u);  // the 1 July line, then a = 0.0 .. 6.3
    int earliest = date(mid), latest = date(mid);
    for (const SurfaceCall& op : curve) {
        earliest = std::min(earliest, date(To(op)));
        latest = std::max(latest, date(To(op)));
        EXPECT_EQ(op.pen, f.catalogue.bodyPens[kEntryEcliptic]);
    }
    // The sampled sine peaks just under 1 (0.9996 at 1.6, -0.9999 at 4.7),
    // so the swing stops one unit short of A on either side.
    EXPECT_EQ(date(mid) - earliest, a - 1);
    EXPECT_EQ(latest - date(mid), a - 1);

    const std::vector<std::string> texts = dc.Texts();
    const std::vector<std::string> expected = {"Psc", "Ari", "Tau", "Gem", "Cnc", "Leo",
                                               "Vir", "Lib", "Sco", "Sgr", "Cap", "Aqr",
                                               "-20°", "-10°", "+0°", "+10°", "+20°"};
    ASSERT_EQ(texts, expected);
    const std::vector<SurfaceCall> textOps = dc.Of(SurfaceCall::Text);
    // Northern signs (Gem, +26) toward earlier dates, southern (Sgr, -20) later.
    const Font previousFont = dc.SelectFont(f.fonts.fontSmall);
    const TextSize name = dc.GetTextExtent("Gem");  // every name has three letters
    dc.SelectFont(previousFont);
    const int halfLabel = portrait ? name.cy / 2 : name.cx / 2;
    EXPECT_LT(date(From(textOps[3])) + halfLabel, date(mid));
    EXPECT_GT(date(From(textOps[9])) + halfLabel, date(mid));
    // Scale labels run from later dates (-20) to earlier ones (+20).
    for (int i = 13; i < 17; ++i) EXPECT_LT(date(From(textOps[i])), date(From(textOps[i - 1])));

    const std::vector<SurfaceCall> blocks = dc.Of(SurfaceCall::Rectangle);
    ASSERT_EQ(blocks.size(), 5u);
    for (const SurfaceCall& op : blocks) {
        EXPECT_EQ(op.brush, (Brush{Rgb(0, 0, 0), false}));
        EXPECT_EQ(op.pen, (Pen{Rgb(0, 0, 0), 1}));
        // Every block reaches the bar's edge at the top of the plot (or its right edge).
        EXPECT_TRUE(portrait ? (From(op).x == mid.x || To(op).x == mid.x)
                             : (From(op).y == mid.y || To(op).y == mid.y));
    }
    // The widest block covers +20 .. +23.5 degrees, ending at the bar's end.
    EXPECT_EQ(date(To(blocks[0])), date(mid) - a);

    EXPECT_EQ(dc.CurrentPen(), before);
    EXPECT_EQ(dc.CurrentBrush(), Brush{});
    EXPECT_EQ(dc.CurrentFont(), dc.DefaultFont());
}

INSTANTIATE_TEST_SUITE_P(Orientations, EclipticLayer, ::testing::Bool(),
    [](const ::testing::TestParamInfo<bool>& info) { return std::string(info.param ? "Portrait" : "Landscape"); });

}  // namespace
}  // namespace velmarin
