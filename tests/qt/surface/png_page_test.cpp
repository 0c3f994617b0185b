// Pages drawn in row bands hold the pixels of the page drawn whole, at any
// band height, and a large page stays within its memory budget.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/chart/draw_chart.h"
#include "qt/chart/gui_application.h"
#include "qt/surface/png_page.h"
#include "qt/surface/qt_painter_surface.h"

extern char** environ;

namespace velmarin {
namespace {

struct BandCase {
    std::string name;
    DisplayMode mode;
    bool print;
    int bandRows;  // rows of a band; 0: the page whole
};

class PngPageBands : public ::testing::TestWithParam<BandCase> {};

TEST_P(PngPageBands, GiveThePixelsOfTheWholePage) {
    testing::EnsureGuiApplication();
    const BandCase& c = GetParam();
    constexpr int kWidth = 900, kHeight = 700;
    ChartSettings settings;
    settings.displayMode = c.mode;
    settings.showPlanets = 1;
    settings.showMoonlight = 1;
    ChartViewState state;
    state.footerText = "Velmarin Version 1.0.0.0";
    const PageDrawing draw = [&](Surface& surface) {
        DrawChart(surface, ScreenCharHeight(), 2026, 2461041.5, settings, state);
    };
    const QImage whole = DrawOnImage(kWidth, kHeight, c.print, draw);
    const std::size_t bandBytes = c.bandRows == 0 ? kPngBandBytes : std::size_t(c.bandRows) * kWidth * 4;
    const QByteArray file = DrawPngPage(kWidth, kHeight, c.print, draw, 11811, bandBytes);
    const QImage decoded = QImage::fromData(file, "PNG");
    ASSERT_FALSE(decoded.isNull());
    EXPECT_TRUE(decoded.convertToFormat(QImage::Format_RGB32) == whole);
    EXPECT_EQ(decoded.dotsPerMeterX(), 11811);
    // No larger than Qt's writer makes the page.
    QImage resolved = whole;
    resolved.setDotsPerMeterX(11811);
    resolved.setDotsPerMeterY(11811);
    QByteArray qts;
    QBuffer buffer(&qts);
    buffer.open(QIODevice::WriteOnly);
    resolved.save(&buffer, "PNG");
    EXPECT_LE(file.size(), qts.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PngPageBands,
    ::testing::Values(BandCase{"normal_whole", DisplayMode::Normal, false, 0},
                      BandCase{"normal_bands_of_1", DisplayMode::Normal, false, 1},
                      BandCase{"normal_bands_of_37", DisplayMode::Normal, false, 37},
                      BandCase{"sun_print_bands_of_64", DisplayMode::Sun, true, 64},
                      BandCase{"midnight_bands_of_699", DisplayMode::Midnight, false, 699},
                      BandCase{"twilight_bands_of_37", DisplayMode::Twilight, false, 37},
                      BandCase{"twilight_print_bands_of_250", DisplayMode::Twilight, true, 250}),
    [](const ::testing::TestParamInfo<BandCase>& info) { return info.param.name; });

// The largest resident size (KiB) of the program run with `args`, or -1.
long PeakKibOfRun(const std::vector<std::string>& args) {
    const char* binary = std::getenv("VELMARIN_BINARY");
    if (binary == nullptr) return -1;
    std::vector<char*> argv{const_cast<char*>(binary)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, binary, nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return usage.ru_maxrss;
}

struct BudgetCase {
    std::string name;
    std::vector<std::string> args;
    long budgetKib;
    QSize size;
};

class PngPageMemory : public ::testing::TestWithParam<BudgetCase> {};

// AddressSanitizer's shadow memory and quarantine count in the peak: the
// budget is a figure of the program, not of a sanitized build.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitizedBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitizedBuild = true;
#else
constexpr bool kSanitizedBuild = false;
#endif
#else
constexpr bool kSanitizedBuild = false;
#endif

TEST_P(PngPageMemory, LargePagesStayWithinTheirBudget) {
    if (std::getenv("VELMARIN_BINARY") == nullptr) GTEST_SKIP() << "run through ctest";
    if (kSanitizedBuild) GTEST_SKIP() << "memory budgets are measured without sanitizers";
    QTemporaryDir folder;
    std::vector<std::string> args = GetParam().args;
    args.push_back("--output");
    args.push_back(folder.filePath("page.png").toStdString());
    const long peak = PeakKibOfRun(args);
    ASSERT_GT(peak, 0);
    EXPECT_LE(peak, GetParam().budgetKib);
    // The header says the whole page (reading its pixels would need the memory).
    EXPECT_EQ(QImageReader(folder.filePath("page.png")).size(), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PngPageMemory,
    ::testing::Values(BudgetCase{"a3_600dpi", {"render", "--print", "--paper", "A3", "--dpi", "600"}, 150 * 1024, QSize(9921, 7016)},
                      BudgetCase{"side_16384", {"render", "--size", "16384x16384", "--mode", "twilight"}, 300 * 1000, QSize(16384, 16384)}),
    [](const ::testing::TestParamInfo<BudgetCase>& info) { return info.param.name; });

}  // namespace
}  // namespace velmarin
