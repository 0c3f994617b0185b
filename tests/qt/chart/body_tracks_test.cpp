// Body tracks, node lines and the sidereal line, checked on a recording
// surface against positions computed here from the ephemeris.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>
#include <vector>

#include "core/chart/layer_fixture.h"
#include "core/chart/layers.h"
#include "core/chart/recording_surface.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/time_calendar.h"
#include "core/test_names.h"
#include "qt/chart/layer_image.h"

namespace velmarin {
namespace {

using testing::From;
using testing::LayerFixture;
using testing::LinesIn;
using testing::To;
using testing::SurfaceCall;
using testing::RecordingSurface;

// Every drawn day (1 January and every second day after it within the year)
// with the positions of all bodies, the Sun computed first.
struct DrawnDay {
    double jd = 0.0;
    std::array<BodyPosition, kBodyCount> pos{};
    double node = 0.0;
};

std::vector<DrawnDay> DrawnDays(int year) {
    std::vector<DrawnDay> days;
    EphemerisContext context;
    for (double jd = JulianDayFromDate(1, 1, year); CalendarFromJulianDay(jd).year == year; jd += 2) {
        DrawnDay day;
        day.jd = jd;
        for (int b = 0; b < kBodyCount; ++b) day.pos[b] = ComputeBodyPosition(context, kAllBodies[b], jd);
        day.node = context.moonNodeLongitude;
        days.push_back(day);
    }
    return days;
}

// The angle each mode plots for a right ascension: the Sun sits at pi in
// DisplayMode::Sun, at 0 in DisplayMode::Midnight.
double PlotAngle(DisplayMode mode, double ra, double sunRa) {
    if (mode == DisplayMode::Sun) return NormalizeAngle(ra + kPi - sunRa);
    if (mode == DisplayMode::Midnight) return NormalizeAngle(ra - sunRa);
    return ra;
}

struct Segment {
    Point from, to;
    bool operator==(const Segment&) const = default;
    bool operator<(const Segment& o) const {
        return std::tie(from.x, from.y, to.x, to.y) < std::tie(o.from.x, o.from.y, o.to.x, o.to.y);
    }
};

std::vector<Segment> Segments(const std::vector<SurfaceCall>& lines) {
    std::vector<Segment> out;
    for (const SurfaceCall& op : lines) out.push_back({From(op), To(op)});
    std::sort(out.begin(), out.end());
    return out;
}

// How a step between two drawn days moves on the circle.
enum class Step { Plain, Forward, Backward };
Step StepOf(double previousAngle, double angle) {
    if (angle - previousAngle < -kPi) return Step::Forward;   // passed 2 pi
    if (angle - previousAngle > kPi) return Step::Backward;   // fell through 0
    return Step::Plain;
}

// A forward wrap is drawn as two copies shifted by the plot so each edge cuts one.
void AddForwardWrap(std::vector<Segment>& out, const ChartLayout& layout, Point q, Point p) {
    const int halfW = (layout.plotRight - layout.plotLeft) / 2;
    const int halfH = (layout.plotBottom - layout.plotTop) / 2;
    if (layout.portrait) {
        out.push_back({p, {q.x + 2 * halfW, q.y}});
        out.push_back({{p.x - 2 * halfW, p.y}, q});
    } else {
        out.push_back({p, {q.x, q.y - 2 * halfH}});
        out.push_back({{p.x, p.y + 2 * halfH}, q});
    }
}

constexpr int kYear = 2024;  // a leap year: the last drawn day is 30 December

class TrackLayerGeometry : public ::testing::TestWithParam<std::tuple<DisplayMode, bool, bool>> {};

// Each body's track joins its day points; a pass over 2 pi is drawn as two
// shifted copies, a fall through 0 leaves a gap, and nothing else is drawn
// in the body's colour.
TEST_P(TrackLayerGeometry, TracksJoinDayPointsAndWrapForward) {
    const auto [mode, portrait, showMoon] = GetParam();
    LayerFixture f(portrait ? 480 : 640, portrait ? 640 : 480, kYear);
    f.settings.showMoon = showMoon;
    RecordingSurface dc(f.layout.pageWidth, f.layout.pageHeight);
    ChartPass pass = f.Pass(dc, mode);
    DrawBodyTracks(pass, f.Sky(pass));

    const std::vector<DrawnDay> days = DrawnDays(kYear);
    ASSERT_EQ(days.size(), 183u);
    EXPECT_EQ(CalendarFromJulianDay(days.back().jd).day, 30);
    for (int body = 0; body < kBodyCount; ++body) {
        const Color color = f.catalogue.entries[body].color;
        const std::vector<SurfaceCall> lines = LinesIn(dc, color);
        // Against the opposite of the Sun the Sun stays hidden.
        if ((body == IndexOf(BodyId::kMoon) && !showMoon) || (body == IndexOf(BodyId::kSun) && mode == DisplayMode::Midnight)) {
            EXPECT_TRUE(lines.empty());
            continue;
        }
        std::vector<Segment> expected;
        int forward = 0;
        for (size_t d = 1; d < days.size(); ++d) {
            const double a0 = PlotAngle(mode, days[d - 1].pos[body].ra, days[d - 1].pos[IndexOf(BodyId::kSun)].ra);
            const double a1 = PlotAngle(mode, days[d].pos[body].ra, days[d].pos[IndexOf(BodyId::kSun)].ra);
            const Point q = MapToPage(f.layout, days[d - 1].jd, a0);
            const Point p = MapToPage(f.layout, days[d].jd, a1);
            switch (StepOf(a0, a1)) {
                case Step::Plain: expected.push_back({q, p}); break;
                case Step::Forward: AddForwardWrap(expected, f.layout, q, p); ++forward; break;
                case Step::Backward: break;
            }
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Segments(lines), expected) << "body " << body;
        for (const SurfaceCall& op : lines) EXPECT_EQ(op.pen, f.catalogue.bodyPens[body]);
        // The Moon goes round about 13 times a year.
        if (body == IndexOf(BodyId::kMoon)) {
            EXPECT_GE(forward, 12);
        }
    }
    EXPECT_EQ(LinesIn(dc, f.catalogue.entries[kEntryMoonNode1].color).empty(), !showMoon);
    EXPECT_EQ(dc.CurrentPen(), pass.keptPen);
}

INSTANTIATE_TEST_SUITE_P(ModesOrientationsMoon, TrackLayerGeometry,
                         ::testing::Combine(::testing::Values(DisplayMode::Normal, DisplayMode::Sun, DisplayMode::Midnight),
                                            ::testing::Bool(), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<DisplayMode, bool, bool>>& info) {
                             return test::NameOfMode(static_cast<int>(std::get<0>(info.param))) +
                                    (std::get<1>(info.param) ? "_Portrait" : "_Landscape") +
                                    (std::get<2>(info.param) ? "_Moon" : "_NoMoon");
                         });

// The Sun is the straight middle line in DisplayMode::Sun; in DisplayMode::Midnight it would
// lie on the frame edge (angle 0), where even a coded 3-unit pen must not
// show it, so it is not drawn at all. (The page height keeps the middle off
// a truncation boundary: RA + pi - RA is pi only to the last bit.)
TEST(TrackLayerSun, SunOnItsReferenceLineOrHidden) {
    for (const DisplayMode mode : {DisplayMode::Sun, DisplayMode::Midnight}) {
        for (const int coded : {0, 1}) {
            LayerFixture f(640, 481, 2023);
            f.settings.showMoon = 0;
            f.settings.codeByBrightness = coded;
            RecordingSurface dc(640, 481);
            ChartPass pass = f.Pass(dc, mode);
            DrawBodyTracks(pass, f.Sky(pass));
            const int y = MapToPage(f.layout, f.layout.startJd, kPi).y;
            const std::vector<SurfaceCall> lines = LinesIn(dc, f.catalogue.entries[IndexOf(BodyId::kSun)].color);
            // 183 drawn days, 1 January to 31 December.
            EXPECT_EQ(lines.size(), mode == DisplayMode::Sun ? 182u : 0u) << static_cast<int>(mode) << " " << coded;
            for (const SurfaceCall& op : lines) {
                EXPECT_EQ(From(op).y, y);
                EXPECT_EQ(To(op).y, y);
            }
        }
    }
}

class TrackLayerNodes : public ::testing::TestWithParam<bool> {};

// On a day the Moon crosses the angle axis the node lines draw nothing and
// keep their older points; the next segment then spans both steps.
TEST_P(TrackLayerNodes, NodeLinesContinueOverMoonCrossings) {
    const bool portrait = GetParam();
    LayerFixture f(portrait ? 700 : 900, portrait ? 900 : 700, 2021);
    RecordingSurface dc(f.layout.pageWidth, f.layout.pageHeight);
    ChartPass pass = f.Pass(dc, DisplayMode::Normal);
    DrawBodyTracks(pass, f.Sky(pass));

    const std::vector<DrawnDay> days = DrawnDays(2021);
    auto nodePoint = [&](size_t d, int line) {
        const double n = line == 0 ? days[d].node : NormalizeAngle(kPi + days[d].node);
        return MapToPage(f.layout, days[d].jd, n);
    };
    const std::vector<Segment> nodeSegments =
        Segments(LinesIn(dc, f.catalogue.entries[kEntryMoonNode1].color));
    auto drawn = [&](Point from, Point to) {
        return std::binary_search(nodeSegments.begin(), nodeSegments.end(), Segment{from, to});
    };
    int crossings = 0;
    for (size_t d = 2; d + 1 < days.size(); ++d) {
        if (StepOf(days[d - 1].pos[IndexOf(BodyId::kMoon)].ra, days[d].pos[IndexOf(BodyId::kMoon)].ra) != Step::Forward) continue;
        ++crossings;
        for (int line = 0; line < 2; ++line) {
            EXPECT_FALSE(drawn(nodePoint(d - 1, line), nodePoint(d, line))) << "day " << d;
            EXPECT_TRUE(drawn(nodePoint(d - 1, line), nodePoint(d + 1, line))) << "day " << d;
        }
    }
    EXPECT_GE(crossings, 12);
    // Both lines use their own pens.
    for (const SurfaceCall& op : LinesIn(dc, f.catalogue.entries[kEntryMoonNode1].color)) {
        EXPECT_TRUE(op.pen == f.catalogue.bodyPens[kEntryMoonNode1] ||
                    op.pen == f.catalogue.bodyPens[kEntryMoonNode2]);
    }
}

INSTANTIATE_TEST_SUITE_P(Orientations, TrackLayerNodes, ::testing::Bool(),
    [](const ::testing::TestParamInfo<bool>& info) { return std::string(info.param ? "Portrait" : "Landscape"); });

// The node regresses, so in DisplayMode::Normal its lines wrap backward; over 19
// years each line falls through 0 once, drawn as two shifted copies.
TEST(TrackLayerNodeWrap, NodeLineFallingThroughZeroIsDrawnTwice) {
    int wrapsFound = 0;
    for (int year = 2000; year < 2019 && wrapsFound == 0; ++year) {
        LayerFixture f(640, 480, year);
        RecordingSurface dc(640, 480);
        ChartPass pass = f.Pass(dc, DisplayMode::Normal);
        DrawBodyTracks(pass, f.Sky(pass));
        const int halfH = (f.layout.plotBottom - f.layout.plotTop) / 2;
        const std::vector<DrawnDay> days = DrawnDays(year);
        const std::vector<Segment> nodeSegments =
            Segments(LinesIn(dc, f.catalogue.entries[kEntryMoonNode1].color));
        for (size_t d = 1; d < days.size(); ++d) {
            if (StepOf(days[d - 1].node, days[d].node) != Step::Backward) continue;
            const Point r = MapToPage(f.layout, days[d - 1].jd, days[d - 1].node);
            const Point n = MapToPage(f.layout, days[d].jd, days[d].node);
            EXPECT_TRUE(std::binary_search(nodeSegments.begin(), nodeSegments.end(),
                                           Segment{{n.x, n.y - 2 * halfH}, r}));
            EXPECT_TRUE(std::binary_search(nodeSegments.begin(), nodeSegments.end(),
                                           Segment{n, {r.x, r.y + 2 * halfH}}));
            ++wrapsFound;
        }
    }
    EXPECT_EQ(wrapsFound, 1);
}

class TrackLayerSidereal : public ::testing::TestWithParam<std::tuple<DisplayMode, bool>> {};

// The sidereal line starts with a single pixel and restarts with one after
// every jump over the edge; all other days are joined by lines.
TEST_P(TrackLayerSidereal, RestartsWithPixelAfterEveryJump) {
    const auto [mode, portrait] = GetParam();
    LayerFixture f(portrait ? 600 : 800, portrait ? 800 : 600, 2019);
    f.settings.showMoon = 0;
    RecordingSurface dc(f.layout.pageWidth, f.layout.pageHeight);
    ChartPass pass = f.Pass(dc, mode);
    DrawBodyTracks(pass, f.Sky(pass));

    const std::vector<DrawnDay> days = DrawnDays(2019);
    std::vector<Point> expectedPixels;
    std::vector<Segment> expectedLines;
    double previous = 0.0;
    for (size_t d = 0; d < days.size(); ++d) {
        const double angle =
            PlotAngle(mode, SiderealTimeAtZeroHours(days[d].jd), days[d].pos[IndexOf(BodyId::kSun)].ra);
        const Point p = MapToPage(f.layout, days[d].jd, angle);
        if (d == 0 || StepOf(previous, angle) != Step::Plain) {
            expectedPixels.push_back(p);
        } else {
            expectedLines.push_back({MapToPage(f.layout, days[d - 1].jd, previous), p});
        }
        previous = angle;
    }
    std::vector<Point> pixels;
    for (const SurfaceCall& op : dc.Of(SurfaceCall::Pixel)) {
        EXPECT_EQ(op.color, f.catalogue.entries[kEntrySiderealTime].color);
        pixels.push_back(From(op));
    }
    EXPECT_EQ(pixels, expectedPixels);
    std::vector<SurfaceCall> lines;
    for (const SurfaceCall& op : dc.calls) {
        if (op.kind == SurfaceCall::Line && op.pen == f.catalogue.bodyPens[kEntrySiderealTime]) lines.push_back(op);
    }
    std::sort(expectedLines.begin(), expectedLines.end());
    EXPECT_EQ(Segments(lines), expectedLines);
    // It goes round once a year; opposite the Sun it stays near the middle.
    EXPECT_GE(expectedPixels.size(), mode == DisplayMode::Midnight ? 1u : 2u);
}

INSTANTIATE_TEST_SUITE_P(ModesOrientations, TrackLayerSidereal,
                         ::testing::Combine(::testing::Values(DisplayMode::Normal, DisplayMode::Sun, DisplayMode::Midnight),
                                            ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<DisplayMode, bool>>& info) {
                             return test::NameOfMode(static_cast<int>(std::get<0>(info.param))) +
                                    (std::get<1>(info.param) ? "_Portrait" : "_Landscape");
                         });

struct CodingCase {
    int byDiameter;
    int byBrightness;
};

class TrackLayerCoding : public ::testing::TestWithParam<CodingCase> {};

// Widths: a coded track draws each regular step with the day's coded width,
// the Sun keeps the default width under diameter coding, and wrap copies
// take the default width except the Moon's under diameter coding.
TEST_P(TrackLayerCoding, SegmentWidthsFollowTheCoding) {
    const CodingCase c = GetParam();
    LayerFixture f(1280, 960, 2022);
    f.settings.codeByDiameter = c.byDiameter;
    f.settings.codeByBrightness = c.byBrightness;
    RecordingSurface dc(1280, 960);
    ChartPass pass = f.Pass(dc, DisplayMode::Normal);
    DrawBodyTracks(pass, f.Sky(pass));

    const bool coded = c.byDiameter || c.byBrightness;
    const int defaultWidth = DefaultTrackWidth(f.catalogue, f.layout);
    const std::vector<DrawnDay> days = DrawnDays(2022);
    for (const int body : {IndexOf(BodyId::kSun), IndexOf(BodyId::kMars), IndexOf(BodyId::kMoon)}) {
        const Color color = f.catalogue.entries[body].color;
        std::vector<SurfaceCall> lines = LinesIn(dc, color);
        size_t checked = 0;
        for (size_t d = 1; d < days.size(); ++d) {
            const BodyPosition& pos = days[d].pos[body];
            const Point q = MapToPage(f.layout, days[d - 1].jd, days[d - 1].pos[body].ra);
            const Point p = MapToPage(f.layout, days[d].jd, pos.ra);
            const int coded_width =
                CodedPenWidth(f.catalogue, f.layout, f.settings, body, pos.diameter, pos.magnitude);
            const Step step = StepOf(days[d - 1].pos[body].ra, pos.ra);
            int expected = f.catalogue.bodyPens[body].width;
            if (step == Step::Plain && coded) {
                expected = (c.byDiameter && body == IndexOf(BodyId::kSun)) ? defaultWidth : coded_width;
            } else if (step == Step::Forward && coded) {
                expected = (c.byDiameter && body == IndexOf(BodyId::kMoon)) ? coded_width : defaultWidth;
            }
            if (step == Step::Backward) continue;
            std::vector<Segment> ofThisStep;
            if (step == Step::Plain) {
                ofThisStep.push_back({q, p});
            } else {
                AddForwardWrap(ofThisStep, f.layout, q, p);
            }
            for (const SurfaceCall& op : lines) {
                const Segment segment{From(op), To(op)};
                if (std::find(ofThisStep.begin(), ofThisStep.end(), segment) == ofThisStep.end()) continue;
                EXPECT_EQ(op.pen.width, expected) << "body " << body << " day " << d;
                EXPECT_EQ(op.pen.color, color);
                ++checked;
            }
        }
        EXPECT_GE(checked, 150u) << "body " << body;
    }
}

INSTANTIATE_TEST_SUITE_P(Codings, TrackLayerCoding,
                         ::testing::Values(CodingCase{0, 0}, CodingCase{1, 0}, CodingCase{0, 1},
                                           CodingCase{1, 1}),
                         [](const ::testing::TestParamInfo<CodingCase>& info) {
                             return std::string(info.param.byDiameter ? "Diameter" : "NoDiameter") +
                                    (info.param.byBrightness ? "_Brightness" : "_NoBrightness");
                         });

class TrackLayerPixels : public ::testing::TestWithParam<std::tuple<DisplayMode, bool, bool>> {};

// On raster output the pixel at a body's point of a drawn day carries the
// body's colour, unless a track drawn later crossed it there; never a blend.
// (A year without a long conjunction of two slow planets, which would hide
// one track under the other for months.)
constexpr int kPixelYear = 2015;
TEST_P(TrackLayerPixels, DayPointsCarryTheBodyColour) {
    const auto [mode, portrait, coded] = GetParam();
    const int width = portrait ? 480 : 640, height = portrait ? 640 : 480;
    LayerFixture f(width, height, kPixelYear);
    f.settings.codeByDiameter = coded;
    f.settings.codeByBrightness = coded;
    const QImage image = testing::PaintOnImage(width, height, [&](Surface& dc) {
        ChartPass pass = f.Pass(dc, mode);
        DrawBodyTracks(pass, f.Sky(pass));
    });
    std::vector<Color> trackColours;
    for (int e = 0; e <= kEntrySiderealTime; ++e) trackColours.push_back(f.catalogue.entries[e].color);

    const std::vector<DrawnDay> days = DrawnDays(kPixelYear);
    for (int body = 0; body < kBodyCount; ++body) {
        if (body == IndexOf(BodyId::kSun) && mode == DisplayMode::Midnight) continue;  // hidden there
        int checked = 0, exact = 0;
        for (size_t d = 0; d + 1 < days.size(); ++d) {
            const double a0 = PlotAngle(mode, days[d].pos[body].ra, days[d].pos[IndexOf(BodyId::kSun)].ra);
            const double a1 = PlotAngle(mode, days[d + 1].pos[body].ra, days[d + 1].pos[IndexOf(BodyId::kSun)].ra);
            // The point starts the next step's line unless that step is a gap.
            if (StepOf(a0, a1) == Step::Backward) continue;
            const Point p = MapToPage(f.layout, days[d].jd, a0);
            if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height) continue;
            const Color c = testing::PixelAt(image, p.x, p.y);
            ++checked;
            exact += c == f.catalogue.entries[body].color;
            EXPECT_NE(std::find(trackColours.begin(), trackColours.end(), c), trackColours.end())
                << "body " << body << " day " << d;
        }
        EXPECT_GT(checked, 150) << "body " << body;
        EXPECT_GT(exact, checked * 8 / 10) << "body " << body;
    }
}

INSTANTIATE_TEST_SUITE_P(ModesOrientationsCoding, TrackLayerPixels,
                         ::testing::Combine(::testing::Values(DisplayMode::Normal, DisplayMode::Sun, DisplayMode::Midnight),
                                            ::testing::Bool(), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<DisplayMode, bool, bool>>& info) {
                             return test::NameOfMode(static_cast<int>(std::get<0>(info.param))) +
                                    (std::get<1>(info.param) ? "_Portrait" : "_Landscape") +
                                    (std::get<2>(info.param) ? "_Coded" : "_Plain");
                         });

}  // namespace
}  // namespace velmarin
