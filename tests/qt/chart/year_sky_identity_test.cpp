// The year's model kept between passes and the twilight sampling shared out
// among threads must give exactly what a fresh, sequential computation
// gives: the same samples bit for bit and the same pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstring>
#include <string>

#include "core/chart/draw_chart.h"
#include "core/sky/year_sky.h"
#include "core/test_names.h"
#include "qt/chart/gui_application.h"
#include "qt/surface/qt_painter_surface.h"

namespace velmarin {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

::testing::AssertionResult SameDays(const std::vector<TwilightDay>& a,
                                    const std::vector<TwilightDay>& b) {
    if (a.size() != b.size()) {
        return ::testing::AssertionFailure() << a.size() << " days against " << b.size();
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (!SameBits(a[i].jd, b[i].jd) || !SameBits(a[i].sunshineHours, b[i].sunshineHours) ||
            !SameBits(a[i].darknessHours, b[i].darknessHours) || a[i].bands != b[i].bands) {
            return ::testing::AssertionFailure() << "day " << i << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

struct PlaceCase {
    int year;
    double latitudeDeg, longitudeDeg, tz;
    bool summer;
};

class ChartYearSkyParallelSampling : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(ChartYearSkyParallelSampling, AnyThreadCountGivesTheSequentialSamples) {
    const PlaceCase& c = GetParam();
    YearInputs inputs;
    inputs.year = c.year;
    inputs.latitude = c.latitudeDeg * kDeg;
    inputs.longitude = c.longitudeDeg * kDeg;
    inputs.offsets = FixedZoneOffsets(c.year, c.tz, c.summer);
    const std::vector<TwilightDay> sequential = SampleTwilightYear(inputs, 1);
    ASSERT_GT(sequential.size(), 180u);
    for (int threads : {2, 3, 7, 400}) {
        EXPECT_TRUE(SameDays(SampleTwilightYear(inputs, threads), sequential)) << threads << " threads";
    }
    EXPECT_TRUE(SameDays(SampleTwilightYear(inputs), sequential)) << "default thread count";
}

INSTANTIATE_TEST_SUITE_P(
    Places, ChartYearSkyParallelSampling,
    ::testing::Values(PlaceCase{2025, 52.0, 9.8, 1, true},      // summer time switches
                      PlaceCase{2024, -33.9, 151.2, 10, false},  // leap year, south
                      PlaceCase{2026, 69.6, 18.9, 1, true},      // midnight sun and polar night
                      PlaceCase{1850, 0.0, -75.0, -5, false},    // equator, before 1900
                      PlaceCase{-4000, 40.0, 23.7, 2, true}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) {
        return test::NameOfNumber(info.param.year) + "_Lat" + test::NameOfNumber(info.param.latitudeDeg) + "_Lon" +
               test::NameOfNumber(info.param.longitudeDeg);
    });   // far past

// Pixels of a screen pass, drawn with `state` kept from earlier passes.
QImage Pass(ChartViewState& state, int width, int height, int year, const ChartSettings& settings) {
    testing::EnsureGuiApplication();
    QImage image(width, height, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        QtPainterSurface surface(painter, width, height, false, &image);
        DrawChart(surface, ScreenCharHeight(), year, 2460676.5, settings, state);
    }
    return image;
}

bool SameContext(const EphemerisContext& a, const EphemerisContext& b) {
    return SameBits(a.sunLongitude, b.sunLongitude) && SameBits(a.sunDistance, b.sunDistance) &&
           SameBits(a.moonNodeLongitude, b.moonNodeLongitude) &&
           SameBits(a.localSiderealTime, b.localSiderealTime) &&
           SameBits(a.nutationLongitude, b.nutationLongitude) &&
           SameBits(a.trueObliquity, b.trueObliquity);
}

struct SkyCase {
    const char* name;
    DisplayMode mode;
    bool showMoon;
    int codeByDiameter, codeByBrightness;
    bool overlays = false;  // "mit Planeten" and "mit Mondlicht"
};

class ChartYearSkyKeptPasses : public ::testing::TestWithParam<SkyCase> {};

// A session of passes as the window makes them: a resize, back to a size
// drawn before, a change of year, a change of place. Each pass through the
// model kept from the passes before must paint what a view that never drew
// paints and leave the same sky values behind: the model is built again
// exactly when one of its inputs changes.
TEST_P(ChartYearSkyKeptPasses, SamePixelsAsAFreshView) {
    const SkyCase& c = GetParam();
    ChartSettings settings;
    settings.displayMode = c.mode;
    settings.showMoon = c.showMoon;
    settings.codeByDiameter = c.codeByDiameter;
    settings.codeByBrightness = c.codeByBrightness;
    settings.showPlanets = c.overlays;
    settings.showMoonlight = c.overlays;
    settings.latitude = 47.4 * kDeg;
    settings.longitude = 8.5 * kDeg;

    struct Step {
        int width, height, year;
        double latitudeDeg;
    };
    // Landscape and portrait pages (the portrait page turns the chart).
    const Step steps[] = {{1280, 960, 2025, 47.4}, {900, 1200, 2025, 47.4}, {1280, 960, 2025, 47.4},
                          {1280, 960, 2024, 47.4}, {1280, 960, 2024, 62.0}, {900, 1200, 2024, 62.0}};
    ChartViewState kept;
    for (const Step& s : steps) {
        settings.latitude = s.latitudeDeg * kDeg;
        ChartViewState fresh;
        const QImage expected = Pass(fresh, s.width, s.height, s.year, settings);
        const QImage actual = Pass(kept, s.width, s.height, s.year, settings);
        const std::string where = std::to_string(s.width) + "x" + std::to_string(s.height) + " " +
                                  std::to_string(s.year) + " lat " + std::to_string(s.latitudeDeg);
        ASSERT_TRUE(expected == actual) << where;
        EXPECT_TRUE(SameContext(kept.ephemeris, fresh.ephemeris)) << where;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ChartYearSkyKeptPasses,
    ::testing::Values(SkyCase{"Normal", DisplayMode::Normal, true, 0, 0},
                      SkyCase{"NormalNoMoonBoth", DisplayMode::Normal, false, 1, 1},
                      SkyCase{"Sun", DisplayMode::Sun, true, 1, 0},
                      SkyCase{"Midnight", DisplayMode::Midnight, true, 0, 1},
                      SkyCase{"Twilight", DisplayMode::Twilight, true, 0, 0},
                      SkyCase{"TwilightOverlays", DisplayMode::Twilight, true, 0, 0, true}),
    [](const ::testing::TestParamInfo<SkyCase>& info) { return std::string(info.param.name); });

TEST(ChartYearSkyTracks, KeptPositionsAreThoseOfOneSequentialPass) {
    const TrackYear year = ComputeTrackYear(2024);
    ASSERT_EQ(year.days.size(), 183u);
    EphemerisContext context;
    for (const TrackDay& day : year.days) {
        for (int i = 0; i < kBodyCount; ++i) {
            const BodyPosition p = ComputeBodyPosition(context, kAllBodies[i], day.jd);
            ASSERT_TRUE(SameBits(p.ra, day.bodies[i].ra) && SameBits(p.dec, day.bodies[i].dec) &&
                        SameBits(p.diameter, day.bodies[i].diameter) &&
                        SameBits(p.magnitude, day.bodies[i].magnitude))
                << "body " << i << " at " << day.jd;
        }
        ASSERT_TRUE(SameBits(context.moonNodeLongitude, day.moonNodeLongitude));
    }
    EXPECT_TRUE(SameBits(context.sunLongitude, year.sunLongitude));
    EXPECT_TRUE(SameBits(context.sunDistance, year.sunDistance));
}

}  // namespace
}  // namespace velmarin
