// Extreme input: every display mode (and a damaged one from the settings
// file) at the edges of the year range, at the poles and beyond them, at the
// date line, on pages from one pixel to 8000 x 8000, on screen and on paper.
// Each case reads its observer through the settings file's parser, as the
// window gets it. The sanitizer build runs this too: a render that finishes
// without a report is the point; the pixel checks make sure a page was drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <cstdio>
#include <ostream>
#include <string>

#include "core/app/settings_file.h"
#include "core/chart/draw_chart.h"
#include "qt/chart/gui_application.h"
#include "qt/surface/qt_chart_output.h"
#include "qt/surface/qt_painter_surface.h"

namespace velmarin {
namespace {

constexpr std::array kModes = {0, 1, 2, 3, 7};
constexpr std::array kYears = {-999999, -4712, 0, 1582, 1583, 999999};
constexpr std::array kLatitudes = {-90.0, 0.0, 90.0, 100.0};
constexpr std::array kLongitudes = {180.0, -180.0};
// 1 January 2024, 0 h: any fixed day, so runs draw the same.
constexpr double kTodayJd = 2460310.5;

// The settings a file with these values gives; the file holds degrees.
ChartSettings SettingsFromFile(int mode, double latitude, double longitude) {
    char text[200];
    std::snprintf(text, sizeof text, "1 1 %d 1 0 1 1\r\n%.6f %.6f 1.5\r\n", mode, latitude,
                  longitude);
    const ChartSettings settings = ParseSettingsText(text, ChartSettings{});
    EXPECT_EQ(static_cast<int>(settings.displayMode), mode);
    // The observer really stands where the case says (a pole, the date line).
    EXPECT_DOUBLE_EQ(settings.latitude, latitude * degToRad);
    EXPECT_DOUBLE_EQ(settings.longitude, longitude * degToRad);
    EXPECT_DOUBLE_EQ(settings.timeZoneHours, 1.5);
    return settings;
}

bool HasNonWhitePixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xffffff) != 0xffffff) return true;
        }
    }
    return false;
}

QImage Render(int width, int height, bool printing, int year, const ChartSettings& settings) {
    static const int charHeight = ScreenCharHeight();
    ChartViewState state;
    return DrawOnImage(width, height, printing, [&](Surface& dc) {
        DrawChart(dc, charHeight, year, kTodayJd, settings, state);
    });
}

struct Page {
    int width;
    int height;
};

void PrintTo(const Page& page, std::ostream* out) { *out << page.width << "x" << page.height; }

class ExtremeInputSweep : public ::testing::TestWithParam<Page> {
protected:
    void SetUp() override { testing::EnsureGuiApplication(); }
};

// Every mode x year x latitude x longitude x pass on this page.
TEST_P(ExtremeInputSweep, EveryCombinationDraws) {
    const Page page = GetParam();
    int cases = 0;
    for (const int mode : kModes) {
        for (const int year : kYears) {
            for (const double latitude : kLatitudes) {
                for (const double longitude : kLongitudes) {
                    for (const bool printing : {false, true}) {
                        SCOPED_TRACE(::testing::Message()
                                     << "mode " << mode << " year " << year << " lat " << latitude
                                     << " lon " << longitude << (printing ? " print" : " screen"));
                        const QImage image = Render(page.width, page.height, printing, year,
                                                    SettingsFromFile(mode, latitude, longitude));
                        ASSERT_EQ(image.size(), QSize(page.width, page.height));
                        if (page.width >= 200) {
                            EXPECT_TRUE(HasNonWhitePixel(image));
                        }
                        ++cases;
                    }
                }
            }
        }
    }
    std::printf("sweep %dx%d: %d cases\n", page.width, page.height, cases);
}

INSTANTIATE_TEST_SUITE_P(Pages, ExtremeInputSweep,
                         ::testing::Values(Page{1, 1}, Page{2, 3}, Page{3, 2}, Page{640, 480},
                                           Page{480, 640}),
                         [](const ::testing::TestParamInfo<Page>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

// Values only a damaged or hand-edited file can hold: huge and tiny angles and
// time zones, flags and modes at the ends of the int range.
TEST(ExtremeInputSweepFile, DamagedValuesDrawInEveryMode) {
    testing::EnsureGuiApplication();
    const char* const secondLines[] = {
        "1e300 1e300 1e300", "-1e300 -1e300 -1e300", "1e-300 5e15 -1e15",
        "2147483648 -2147483649 24.05", "1.745329 -12.566371 13", "-0 -0 -0",
    };
    const char* const firstLines[] = {"-2147483648 2147483647 %d -1 5 2147483647 -7",
                                      "99999999999 -99999999999 %d 0 0 0 0"};
    int cases = 0;
    for (const int mode : {0, 1, 2, 3, 7, -2147483647}) {
        for (const char* first : firstLines) {
            for (const char* second : secondLines) {
                char line1[100];
                std::snprintf(line1, sizeof line1, first, mode);
                const std::string text = std::string(line1) + "\r\n" + second + "\r\n0 -5\r\n";
                SCOPED_TRACE(text);
                const ChartSettings settings = ParseSettingsText(text, ChartSettings{});
                const QImage image = Render(320, 240, cases % 2 == 1, 2024, settings);
                ASSERT_EQ(image.size(), QSize(320, 240));
                EXPECT_TRUE(HasNonWhitePixel(image));
                ++cases;
            }
        }
    }
    std::printf("damaged files: %d cases\n", cases);
}

// The largest page takes about a quarter of a GiB per image: one mode at a time,
// each at another edge of the year range and the globe.
TEST(ExtremeInputSweepLarge, EveryModeOnAnEightThousandPixelPage) {
    testing::EnsureGuiApplication();
    for (size_t i = 0; i < kModes.size(); ++i) {
        const int year = kYears[(i * 5) % kYears.size()];
        const double latitude = kLatitudes[i % kLatitudes.size()];
        const double longitude = kLongitudes[i % kLongitudes.size()];
        const bool printing = i % 2 == 1;
        SCOPED_TRACE(::testing::Message() << "mode " << kModes[i] << " year " << year << " lat "
                                          << latitude << (printing ? " print" : " screen"));
        const QImage image = Render(8000, 8000, printing, year,
                                    SettingsFromFile(kModes[i], latitude, longitude));
        ASSERT_EQ(image.size(), QSize(8000, 8000));
        EXPECT_TRUE(HasNonWhitePixel(image));
    }
}

}  // namespace
}  // namespace velmarin
