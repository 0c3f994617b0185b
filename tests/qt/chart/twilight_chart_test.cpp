// Twilight cells and curves: merged painting against the cell-by-cell
// reference, band colours on raster output, polar day and night.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "core/chart/layer_fixture.h"
#include "core/chart/layers.h"
#include "core/chart/recording_surface.h"
#include "core/chart/twilight_chart.h"
#include "core/ephemeris/time_calendar.h"
#include "core/test_names.h"
#include "qt/chart/layer_image.h"

namespace velmarin {
namespace {

using testing::From;
using testing::LayerFixture;
using testing::To;
using testing::SurfaceCall;
using testing::RecordingSurface;
using testing::PaintOnImage;
using testing::PixelAt;

constexpr double kTwilightPi = 3.14159;
constexpr int kYear = 2024;

// Sampling is the slow part; each latitude is sampled once for all cases.
const std::vector<TwilightDay>& DaysAt(double latitudeDegrees) {
    static std::map<double, std::vector<TwilightDay>> cache;
    auto it = cache.find(latitudeDegrees);
    if (it == cache.end()) {
        YearInputs inputs;
        inputs.year = kYear;
        inputs.latitude = latitudeDegrees * degToRad;
        inputs.longitude = 9.8 * degToRad;
        inputs.offsets = FixedZoneOffsets(kYear, 1.0, true);
        it = cache.emplace(latitudeDegrees, SampleTwilightYear(inputs)).first;
    }
    return it->second;
}

class TwilightLayerMerge
    : public ::testing::TestWithParam<std::tuple<double, std::tuple<int, int>>> {};

// Painting runs of cells as one rectangle must leave every pixel as the
// cell-by-cell painting does, at any size and in both orientations.
TEST_P(TwilightLayerMerge, MergedRunsPaintTheSamePixels) {
    const auto [latitude, size] = GetParam();
    const auto [width, height] = size;
    LayerFixture f(width, height, kYear);
    const std::vector<TwilightDay>& days = DaysAt(latitude);
    auto paint = [&](TwilightCells cells) {
        return PaintOnImage(width, height, [&](Surface& dc) {
            DrawTwilightDays(dc, f.layout, f.catalogue, days, cells);
        });
    };
    const QImage reference = paint(TwilightCells::OneByOne);
    const QImage merged = paint(TwilightCells::MergedRuns);
    ASSERT_EQ(reference.size(), merged.size());
    int differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) differing += reference.pixel(x, y) != merged.pixel(x, y);
    }
    EXPECT_EQ(differing, 0);
    // Something was painted at all.
    EXPECT_NE(reference, PaintOnImage(width, height, [](Surface&) {}));
}

INSTANTIATE_TEST_SUITE_P(
    LatitudesSizes, TwilightLayerMerge,
    ::testing::Combine(::testing::Values(0.0, 52.0, 80.0, -66.0),
                       ::testing::Values(std::make_tuple(640, 480), std::make_tuple(1920, 1080),
                                         std::make_tuple(480, 640), std::make_tuple(97, 61),
                                         std::make_tuple(211, 537), std::make_tuple(3, 2),
                                         // 0.1 h is just over one unit here.
                                         std::make_tuple(520, 345), std::make_tuple(389, 600))),
    [](const ::testing::TestParamInfo<std::tuple<double, std::tuple<int, int>>>& info) {
        return "Latitude" + test::NameOfNumber(std::get<0>(info.param)) + "_" +
               test::NameOfPage(std::get<0>(std::get<1>(info.param)), std::get<1>(std::get<1>(info.param)));
    });

class TwilightLayerGaps : public ::testing::TestWithParam<bool> {};

// Neighbouring night samples meet: no white pixel lies between the points of
// two band samples next to each other in time of day or in date, at every
// page height (landscape at least 1000 wide; portrait 3/4 as wide as high).
// A cell always covers the unit left of and above its point's corner,
// whatever its extent; those units must join up.
TEST_P(TwilightLayerGaps, NeighbouringNightSamplesMeet) {
    const bool portrait = GetParam();
    const std::vector<TwilightDay>& days = DaysAt(52.0);
    const auto& hours = TwilightSampleHours();
    const QRgb white = qRgb(255, 255, 255);
    int pagesWithGaps = 0;
    for (int height = 200; height <= 1400; ++height) {
        const int width = portrait ? height * 3 / 4 : std::max(1000, height + 1);
        LayerFixture f(width, height, kYear);
        const QImage image = PaintOnImage(width, height, [&](Surface& dc) {
            DrawTwilightDays(dc, f.layout, f.catalogue, days, TwilightCells::MergedRuns);
        });
        // White pixels on the straight run between the points of two samples.
        auto whiteBetween = [&](Point a, Point b) {
            int count = 0;
            for (int y = std::min(a.y, b.y); y <= std::max(a.y, b.y); ++y) {
                for (int x = std::min(a.x, b.x); x <= std::max(a.x, b.x); ++x) count += image.pixel(x, y) == white;
            }
            return count;
        };
        auto at = [&](size_t d, int s) {
            const Point p = MapToPage(f.layout, days[d].jd, (24 - hours[s]) * kTwilightPi / 12);
            return Point{p.x, p.y - 1};
        };
        int white = 0;
        for (size_t d = 0; d < days.size(); ++d) {
            for (int s = 0; s < kTwilightSamplesPerDay; ++s) {
                if (days[d].bands[s] == 0) continue;
                if (s + 1 < kTwilightSamplesPerDay && days[d].bands[s + 1] != 0) white += whiteBetween(at(d, s), at(d, s + 1));
                if (d + 1 < days.size() && days[d + 1].bands[s] != 0) white += whiteBetween(at(d, s), at(d + 1, s));
            }
        }
        if (white > 0) {
            ++pagesWithGaps;
            ADD_FAILURE() << width << "x" << height << ": " << white << " white pixels between night samples";
        }
    }
    EXPECT_EQ(pagesWithGaps, 0);
}

INSTANTIATE_TEST_SUITE_P(Orientations, TwilightLayerGaps, ::testing::Bool(),
    [](const ::testing::TestParamInfo<bool>& info) { return std::string(info.param ? "Portrait" : "Landscape"); });

class TwilightLayerColours : public ::testing::TestWithParam<bool> {};

// Inside a block of equal samples the pixel at a sample's point carries the
// band colour exactly; the plot holds no colour but white, the four bands
// and the two curves.
TEST_P(TwilightLayerColours, CellsCarryTheirBandColours) {
    const bool portrait = GetParam();
    const int width = portrait ? 600 : 800, height = portrait ? 800 : 600;
    LayerFixture f(width, height, kYear);
    f.settings.latitude = 52.0 * degToRad;
    f.settings.longitude = 9.8 * degToRad;
    const QImage image = PaintOnImage(width, height, [&](Surface& dc) {
        ChartPass pass = f.Pass(dc, DisplayMode::Twilight);
        DrawTwilightChart(pass, f.Sky(pass));
    });
    const std::vector<TwilightDay>& days = DaysAt(52.0);
    const auto& hours = TwilightSampleHours();
    int checked = 0, exact = 0;
    for (size_t d = 1; d + 1 < days.size(); ++d) {
        for (int s = 1; s + 1 < kTwilightSamplesPerDay; ++s) {
            const int band = days[d].bands[s];
            bool uniform = band != 0;
            for (size_t e = d - 1; e <= d + 1; ++e) {
                for (int t = s - 1; t <= s + 1; ++t) uniform = uniform && days[e].bands[t] == band;
            }
            if (!uniform) continue;
            const Point p = MapToPage(f.layout, days[d].jd, (24 - hours[s]) * kTwilightPi / 12);
            const Color c = PixelAt(image, p.x, p.y);
            ++checked;
            exact += c == TwilightBandColor(band);
            EXPECT_TRUE(c == TwilightBandColor(band) || c == f.catalogue.entries[kEntrySunshine].color ||
                        c == f.catalogue.entries[kEntryDarkness].color)
                << "day " << d << " sample " << s;
        }
    }
    EXPECT_GT(checked, 10000);
    EXPECT_GT(exact, checked * 95 / 100);

    const std::set<Color> allowed = {Rgb(255, 255, 255), TwilightBandColor(1), TwilightBandColor(2),
                                     TwilightBandColor(3), TwilightBandColor(4),
                                     f.catalogue.entries[kEntrySunshine].color,
                                     f.catalogue.entries[kEntryDarkness].color};
    std::set<Color> seen;
    for (int y = f.layout.plotTop + 1; y < f.layout.plotBottom - 1; ++y) {
        for (int x = f.layout.plotLeft + 1; x < f.layout.plotRight - 1; ++x) seen.insert(PixelAt(image, x, y));
    }
    EXPECT_EQ(seen, allowed);
}

INSTANTIATE_TEST_SUITE_P(Orientations, TwilightLayerColours, ::testing::Bool(),
    [](const ::testing::TestParamInfo<bool>& info) { return std::string(info.param ? "Portrait" : "Landscape"); });

// At 80 degrees north midwinter has no daylight at all and midsummer no
// twilight: the columns of those days show no white cell, and no band cell.
TEST(TwilightLayerPolar, PolarNightHasNoWhiteAndPolarDayNoBands) {
    LayerFixture f(640, 480, kYear);
    f.settings.latitude = 80.0 * degToRad;
    const QImage image = PaintOnImage(640, 480, [&](Surface& dc) {
        ChartPass pass = f.Pass(dc, DisplayMode::Twilight);
        DrawTwilightChart(pass, f.Sky(pass));
    });
    auto columnColours = [&](int day, int month) {
        std::set<Color> colours;
        const int x = MapToPage(f.layout, JulianDayFromDate(day, month, kYear), 0.0).x;
        for (int y = f.layout.plotTop + 1; y < f.layout.plotBottom - 1; ++y) colours.insert(PixelAt(image, x, y));
        return colours;
    };
    for (const int day : {11, 21, 31}) {
        const std::set<Color> winter = columnColours(day, 12);
        EXPECT_EQ(winter.count(Rgb(255, 255, 255)), 0u) << "December " << day;
    }
    for (const int day : {11, 21}) {
        for (const Color c : columnColours(day, 6)) {
            for (int band = 1; band <= 4; ++band) EXPECT_NE(c, TwilightBandColor(band)) << "June " << day;
        }
    }
}

// The curves: no segment on the first day, then one per day each, joining
// the day's sums; a full day of sunshine is drawn 0.05 h short of 24.
TEST(TwilightLayerCurves, CurvesJoinDailySumsFromTheSecondDay) {
    LayerFixture f(1280, 960, kYear);
    const std::vector<TwilightDay>& days = DaysAt(80.0);
    RecordingSurface dc(1280, 960);
    DrawTwilightDays(dc, f.layout, f.catalogue, days, TwilightCells::MergedRuns);
    std::vector<SurfaceCall> sunshine, darkness;
    for (const SurfaceCall& op : dc.Of(SurfaceCall::Line)) {
        if (op.pen == f.catalogue.bodyPens[kEntrySunshine]) sunshine.push_back(op);
        if (op.pen == f.catalogue.bodyPens[kEntryDarkness]) darkness.push_back(op);
    }
    ASSERT_EQ(sunshine.size(), days.size() - 1);
    ASSERT_EQ(darkness.size(), days.size() - 1);
    auto at = [&](double jd, double hours) { return MapToPage(f.layout, jd, (24 - hours) * kTwilightPi / 12); };
    int polarDays = 0;
    for (size_t d = 1; d < days.size(); ++d) {
        const bool polarDay = days[d].sunshineHours >= 24;
        polarDays += polarDay;
        const double shown = polarDay ? days[d].sunshineHours - 0.05 : days[d].sunshineHours;
        EXPECT_EQ(To(sunshine[d - 1]), at(days[d].jd, shown));
        EXPECT_EQ(To(darkness[d - 1]), at(days[d].jd, days[d].darknessHours));
        // Each segment starts where the day before ended.
        if (d > 1) {
            EXPECT_EQ(From(sunshine[d - 1]), To(sunshine[d - 2]));
            EXPECT_EQ(From(darkness[d - 1]), To(darkness[d - 2]));
        }
        if (polarDay) {
            EXPECT_GT(To(sunshine[d - 1]).y, f.layout.plotTop);
        }
    }
    EXPECT_GT(polarDays, 30);
    // Cells are all drawn with pen and brush of one band colour.
    for (const SurfaceCall& op : dc.Of(SurfaceCall::Rectangle)) {
        EXPECT_EQ(op.pen.color, op.brush.color);
        EXPECT_EQ(op.pen.width, 0);
    }
}

}  // namespace
}  // namespace velmarin
