// The twilight chart "mit Zielen", on raster output: a star's rise and set
// curves pass through PyEphem's instants (data of the targets' tests), and
// without the choice, or without targets, its colour is nowhere.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/app/target_night_readout.h"
#include "core/chart/chart_sky.h"
#include "core/chart/draw_chart.h"
#include "core/chart/target_curves_setting.h"
#include "core/chart/target_tracks.h"
#include "core/ephemeris/time_calendar.h"
#include "qt/chart/layer_image.h"

namespace velmarin {
namespace {

using testing::PaintOnImage;
using testing::PixelAt;

constexpr double kTwilightPi = 3.14159;
constexpr double kHour = 3.14159265358979323846 / 12.0;
constexpr double kDegree = 3.14159265358979323846 / 180.0;

// PyEphem's events of M13 at 52 N 13.4 E in 2026 (pressure 1010 hPa, 10 C,
// horizon 0; made by make_target_reference.py).
std::vector<double> Reference(char kind) {
    std::vector<double> out;
    std::ifstream in(VELMARIN_TARGETS_DATA_DIR "/targets_pyephem.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string tag, place, name;
        char k = 0;
        double jd = 0.0;
        if (fields >> tag >> place >> name >> k >> jd && tag == "E" && place == "52N" && name == "M13" && k == kind)
            out.push_back(jd);
    }
    return out;
}

std::shared_ptr<const std::vector<Target>> Hercules() {
    FixedTarget t;
    t.name = "M13";
    t.ra = 16.694898 * kHour;
    t.dec = 36.46132 * kDegree;
    return std::make_shared<const std::vector<Target>>(std::vector<Target>{t});
}

ChartSettings Settings(bool curves) {
    ChartSettings s;
    s.displayMode = DisplayMode::Twilight;
    s.latitude = 52.0 * degToRad;
    s.longitude = 13.4 * degToRad;
    s.timeZoneHours = 1.0;
    s.summerTime = 0;
    return WithTargetCurves(s, curves);
}

QImage Chart(int width, int height, const ChartSettings& settings, ChartViewState& state) {
    return PaintOnImage(width, height, [&](Surface& dc) {
        DrawChart(dc, ScreenCharHeight(), 2026, 0.0, settings, state);
    });
}

int Count(const QImage& image, Color colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += PixelAt(image, x, y) == colour;
    return n;
}

// On the 5th, 15th and 25th of every month the pixel at PyEphem's rise and
// set, or one at most 3 pixels from it along the time axis, carries the
// star's colour (its label may cover a few).
TEST(TargetCurvesImage, RiseAndSetCurvesPassThroughTheReferenceEvents) {
    for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{1080, 1920}}) {
        ChartViewState state;
        state.targets = Hercules();
        const QImage image = Chart(width, height, Settings(true), state);
        const ChartLayout& l = state.layout;
        int checked = 0, found = 0;
        for (const char kind : {'r', 's'}) {
            for (double jd : Reference(kind)) {
                const double local = jd + 1.0 / 24.0;
                const double dayJd = std::floor(local - 0.5) + 0.5;
                const CalendarInstant date = CalendarFromJulianDay(dayJd);
                if ((date.day != 5 && date.day != 15 && date.day != 25) || date.year != 2026) continue;
                const Point p = MapToPage(l, dayJd, (24 - (local - dayJd) * 24.0) * kTwilightPi / 12);
                if (p.y <= l.plotTop + 4 || p.y >= l.plotBottom - 4 || p.x <= l.plotLeft + 4 || p.x >= l.plotRight - 4)
                    continue;
                ++checked;
                bool hit = false;
                for (int d = -3; d <= 3 && !hit; ++d) {
                    hit = l.portrait ? PixelAt(image, p.x + d, p.y) == TargetColor(0)
                                     : PixelAt(image, p.x, p.y + d) == TargetColor(0);
                }
                found += hit;
            }
        }
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        ASSERT_GE(checked, 60);
        EXPECT_GE(found * 10, checked * 9) << found << " of " << checked;
    }
}

// The readout over the rise curve names the star with PyEphem's rise (to the
// minute, local time) and its hours above the horizon in astronomical
// darkness; with "mit Mondlicht" also those without the Moon.
TEST(TargetCurvesImage, TheReadoutNamesTheStarAndItsDarkHours) {
    ChartViewState state;
    state.targets = Hercules();
    const ChartSettings settings = Settings(true);
    const QImage image = Chart(1920, 1080, settings, state);
    const ChartLayout& l = state.layout;
    const std::vector<VisibilityDay> year = ComputeVisibilityYear(YearInputsOf(2026, settings, nullptr));
    int checked = 0;
    for (double jd : Reference('r')) {
        const double local = jd + 1.0 / 24.0;
        const double dayJd = std::floor(local - 0.5) + 0.5;
        const CalendarInstant date = CalendarFromJulianDay(dayJd);
        if (date.day != 15 || date.year != 2026 || date.month < 2 || date.month > 4) continue;
        const Point p = MapToPage(l, dayJd, (24 - (local - dayJd) * 24.0) * kTwilightPi / 12);
        std::optional<Point> on;
        for (int d = 0; d <= 3 && !on; ++d) {
            for (const int s : {d, -d}) {
                const Point q{l.portrait ? p.x + s : p.x, l.portrait ? p.y : p.y + s};
                if (!on && PixelAt(image, q.x, q.y) == TargetColor(0)) on = q;
            }
        }
        ASSERT_TRUE(on.has_value()) << date.day << "." << date.month;
        const std::optional<ReadoutDecision> r =
            TargetNightReadout(*state.targets, TargetColor(0), *on, l, settings, year, true);
        ASSERT_TRUE(r.has_value());
        // PyEphem's rise in local time, to either neighbouring minute.
        const double minutes = (local - dayJd) * 1440.0;
        bool riseFound = false;
        for (const double m : {std::floor(minutes), std::ceil(minutes)}) {
            char hhmm[16];
            std::snprintf(hhmm, sizeof hhmm, "%02d:%02d", static_cast<int>(m) / 60, static_cast<int>(m) % 60);
            riseFound = riseFound || r->text.find(std::string("M13| Aufgang ") + hhmm) != std::string::npos;
        }
        EXPECT_TRUE(riseFound) << r->text << " against " << minutes << " min";
        EXPECT_NE(r->text.find("| in astronomischer Dunkelheit über dem Horizont: "), std::string::npos) << r->text;
        EXPECT_NE(r->text.find(", davon ohne Mond "), std::string::npos) << r->text;
        ++checked;
    }
    EXPECT_EQ(checked, 3);
}

TEST(TargetCurvesImage, OnlyWithTheChoiceAndATarget) {
    ChartViewState state;
    state.targets = Hercules();
    EXPECT_EQ(Count(Chart(1280, 960, Settings(false), state), TargetColor(0)), 0);
    EXPECT_GT(Count(Chart(1280, 960, Settings(true), state), TargetColor(0)), 500);
    ChartViewState none;
    EXPECT_EQ(Count(Chart(1280, 960, Settings(true), none), TargetColor(0)), 0);
}

}  // namespace
}  // namespace velmarin
