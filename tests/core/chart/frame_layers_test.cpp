// Title, axes, captions, legend, grid and footer, recorded call by call.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/chart/band_legend.h"
#include "core/chart/frame_layers.h"
#include "core/chart/recording_surface.h"
#include "core/ephemeris/ephemeris_context.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

using testing::RecordingSurface;
using testing::SurfaceCall;

// A page, its layout for one year and everything a frame layer reads.
struct FramePage {
    FramePage(int width, int height, int year, DisplayMode mode = DisplayMode::Normal, bool printing = false)
        : dc(width, height, printing),
          layout(LayoutChart(width, height, printing, 16)),
          fonts(MakeChartFonts(layout)),
          chartYear(year),
          chartMode(mode) {
        SetChartYear(layout, year);
        MakeBodyPens(catalogue, layout);
    }
    ChartPass Pass() {
        return ChartPass{dc, layout, settings, catalogue, fonts, ephemeris, chartYear, chartMode, 0.0, Pen{}, {}};
    }
    RecordingSurface dc;
    ChartLayout layout;
    ChartSettings settings;
    BodyCatalogue catalogue = MakeBodyCatalogue();
    ChartFonts fonts;
    EphemerisContext ephemeris;
    LegendCursor legend;
    int chartYear;
    DisplayMode chartMode;
};

int LineLength(const SurfaceCall& c) { return std::max(std::abs(c.x2 - c.x1), std::abs(c.y2 - c.y1)); }

struct DayAxisCase {
    int width, height, year;
};

class FrameDayAxisTest : public ::testing::TestWithParam<DayAxisCase> {};

// Per edge: 13 long ticks (the 1st of each month and 31 December), 36 short
// ticks (1st, 11th, 21st), 12 month names; both edges alike.
TEST_P(FrameDayAxisTest, TicksAndMonthNamesPerEdge) {
    const DayAxisCase c = GetParam();
    FramePage page(c.width, c.height, c.year);
    ChartPass pass = page.Pass();
    const Pen before = page.dc.CurrentPen();
    DrawDayAxis(pass);
    const ChartLayout& l = page.layout;
    const int longTick = l.portrait ? l.tickLongX : l.tickLongY;
    const int shortTick = l.portrait ? l.tickShortX : l.tickShortY;
    ASSERT_NE(longTick, shortTick);

    std::map<int, int> longPerEdge, shortPerEdge;
    for (const SurfaceCall& line : page.dc.Of(SurfaceCall::Line)) {
        EXPECT_EQ(line.pen, (Pen{Rgb(0, 0, 0), 1}));
        const int edge = l.portrait ? line.x1 : line.y1;  // lines start on the frame
        const int length = LineLength(line);
        if (length == longTick) ++longPerEdge[edge];
        else if (length == shortTick) ++shortPerEdge[edge];
        else ADD_FAILURE() << "unexpected tick length " << length;
        // Ticks point outward, away from the plot.
        if (l.portrait) {
            EXPECT_EQ(line.x2 < line.x1, line.x1 == l.plotLeft);
        } else {
            EXPECT_EQ(line.y2 < line.y1, line.y1 == l.plotTop);
        }
    }
    const int first = l.portrait ? l.plotLeft : l.plotTop;
    const int second = l.portrait ? l.plotRight : l.plotBottom;
    EXPECT_EQ(longPerEdge, (std::map<int, int>{{first, 13}, {second, 13}}));
    EXPECT_EQ(shortPerEdge, (std::map<int, int>{{first, 36}, {second, 36}}));

    const std::vector<std::string> texts = page.dc.Texts();
    ASSERT_EQ(texts.size(), 24u);
    EXPECT_EQ(texts.front(), "Jan");
    EXPECT_EQ(texts[4], "Mrz");
    EXPECT_EQ(texts.back(), "Dez");
    EXPECT_EQ(page.dc.CurrentPen(), before);
    EXPECT_EQ(page.dc.CurrentFont(), page.dc.DefaultFont());
}

INSTANTIATE_TEST_SUITE_P(Pages, FrameDayAxisTest,
                         ::testing::Values(DayAxisCase{640, 480, 2023}, DayAxisCase{1280, 960, 2024},
                                           DayAxisCase{960, 1280, 2024}, DayAxisCase{1200, 1920, 1900}),
                         [](const ::testing::TestParamInfo<DayAxisCase>& info) {
                             return test::NameOfPage(info.param.width, info.param.height) + "_" +
                                    test::NameOfNumber(info.param.year);
                         });

TEST(FrameDayAxis, MonthNamesSitAtTheSixteenthOutsideTheFrame) {
    FramePage page(640, 480, 2023);
    ChartPass pass = page.Pass();
    DrawDayAxis(pass);
    const auto texts = page.dc.Of(SurfaceCall::Text);
    const ChartLayout& l = page.layout;
    // 16 January: 15 days after the start.
    const Point p = MapToPage(l, l.startJd + 15, 0.0);
    const int cx = 3 * 6;  // "Jan" in fontNormal (-10) of the recording surface
    const int cy8 = 16;    // "8" in the default font (-14): 12 * 14 / 10
    EXPECT_EQ(texts[0].x1, p.x - cx / 2);
    EXPECT_EQ(texts[0].y1, l.plotTop - l.tickShortY - cy8);
    EXPECT_EQ(texts[1].y1, l.plotBottom + l.tickShortY - 1);
}

TEST(FrameDayAxis, PortraitNamesRunDownOnTheLeftAndUpOnTheRight) {
    FramePage page(960, 1280, 2023);
    ChartPass pass = page.Pass();
    DrawDayAxis(pass);
    const auto texts = page.dc.Of(SurfaceCall::Text);
    const ChartLayout& l = page.layout;
    const Point p = MapToPage(l, l.startJd + 15, 0.0);
    const int cx = 3 * (-page.fonts.fontUp.height * 6 / 10);
    EXPECT_EQ(texts[0].font, page.fonts.fontDown);
    EXPECT_EQ(texts[0].x1, l.plotLeft - l.tickShortX);
    EXPECT_EQ(texts[0].y1, p.y - cx / 2);
    EXPECT_EQ(texts[1].font, page.fonts.fontUp);
    EXPECT_EQ(texts[1].x1, l.plotRight + l.tickShortX);
    EXPECT_EQ(texts[1].y1, p.y + cx / 2);
}

struct TimeAxisCase {
    DisplayMode mode;
    bool portrait;
    std::vector<std::string> firstLabels;  // one side, in drawing order
    size_t perSide;
};

class FrameTimeAxisTest : public ::testing::TestWithParam<TimeAxisCase> {};

TEST_P(FrameTimeAxisTest, LabelsAndTicksPerMode) {
    const TimeAxisCase c = GetParam();
    FramePage page(c.portrait ? 960 : 1280, c.portrait ? 1280 : 960, 2024, c.mode);
    ChartPass pass = page.Pass();
    DrawTimeAxis(pass);
    const std::vector<std::string> texts = page.dc.Texts();
    ASSERT_EQ(texts.size(), 2 * c.perSide);
    std::vector<std::string> oneSide;
    for (size_t i = 0; i < texts.size(); i += 2) {
        EXPECT_EQ(texts[i], texts[i + 1]);  // the same label on both sides
        oneSide.push_back(texts[i]);
    }
    EXPECT_EQ(std::vector<std::string>(oneSide.begin(), oneSide.begin() + 3), c.firstLabels);
    EXPECT_EQ(page.dc.Of(SurfaceCall::Line).size(), 2 * c.perSide);
    // Every tick lies on a label's hour: the last one on the far edge.
    const ChartLayout& l = page.layout;
    const auto lines = page.dc.Of(SurfaceCall::Line);
    const Point far = MapToPage(l, l.startJd, 2 * kPi);
    EXPECT_EQ(c.portrait ? lines.back().x1 : lines.back().y1, c.portrait ? far.x : far.y);
    EXPECT_EQ(LineLength(lines.front()), l.tickShortX);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FrameTimeAxisTest,
    ::testing::Values(TimeAxisCase{DisplayMode::Normal, false, {"0", "1", "2"}, 25},
                      TimeAxisCase{DisplayMode::Sun, false, {"-12", "-10", "-8"}, 13},
                      TimeAxisCase{DisplayMode::Midnight, true, {"-12", "-10", "-8"}, 13},
                      TimeAxisCase{DisplayMode::Twilight, false, {"24", "23", "22"}, 25},
                      TimeAxisCase{DisplayMode::Twilight, true, {"24", "23", "22"}, 25}),
    [](const ::testing::TestParamInfo<TimeAxisCase>& info) {
        return test::NameOfMode(static_cast<int>(info.param.mode)) + (info.param.portrait ? "_Portrait" : "_Landscape");
    });

TEST(FrameTimeAxis, LandscapeLabelsAreRightAlignedBeforeTheLeftTicks) {
    FramePage page(640, 480, 2024, DisplayMode::Sun);
    ChartPass pass = page.Pass();
    DrawTimeAxis(pass);
    const auto texts = page.dc.Of(SurfaceCall::Text);
    const ChartLayout& l = page.layout;
    const int cx8 = 6, cy8 = 12;  // "8" in fontNormal (-10)
    // "-12" at angle 0: x = 28 - 3 * 6 - 6 - 3 = 1, y = trunc(50 - 6) = 44.
    EXPECT_EQ(texts[0].text, "-12");
    EXPECT_EQ(texts[0].x1, l.plotLeft - 3 * cx8 - l.tickShortX - cx8 / 2);
    EXPECT_EQ(texts[0].y1, l.plotTop - cy8 / 2);
    EXPECT_EQ(texts[1].x1, l.plotRight + l.tickShortX + cx8 / 2);
}

struct CaptionCase {
    DisplayMode mode;
    bool portrait;
    int byDiameter, byBrightness;
    double timeZone;
    int summerTime;
    const char* expected;
};

class FrameCaptionTest : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(FrameCaptionTest, CaptionNamesTheAngleAxisAndTheCoding) {
    const CaptionCase c = GetParam();
    ChartSettings settings;
    settings.codeByDiameter = c.byDiameter;
    settings.codeByBrightness = c.byBrightness;
    settings.timeZoneHours = c.timeZone;
    settings.summerTime = c.summerTime;
    EXPECT_EQ(AxisCaption(c.mode, settings, c.portrait), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FrameCaptionTest,
    ::testing::Values(
        CaptionCase{DisplayMode::Normal, false, 1, 1, 1.0, 1,
                    "Y-Achse: Rektaszension, Linienbreite codiert mit relativem Durchmesser und "
                    "relativer Helligkeit"},
        CaptionCase{DisplayMode::Normal, true, 1, 0, 1.0, 1,
                    "X-Achse: Rektaszension, Linienbreite codiert mit relativem Durchmesser"},
        CaptionCase{DisplayMode::Sun, false, 0, 1, 1.0, 1,
                    "Y-Achse: Stundenwinkel zur Sonne, Linienbreite codiert mit relativer Helligkeit"},
        CaptionCase{DisplayMode::Midnight, false, 0, 0, 1.0, 1, "Y-Achse: Stundenwinkel zur Gegensonne"},
        // No coding words on the twilight chart, whatever the flags.
        CaptionCase{DisplayMode::Twilight, false, 1, 1, 1.0, 1, "Y-Achse: Uhrzeit in MEZ mit Sommerzeit"},
        CaptionCase{DisplayMode::Twilight, true, 0, 0, 0.0, 0, "X-Achse: Uhrzeit in GMT"},
        CaptionCase{DisplayMode::Twilight, false, 0, 0, 2.0, 1, "Y-Achse: Uhrzeit in OEZ mit Sommerzeit"},
        CaptionCase{DisplayMode::Twilight, false, 0, 0, 1.5, 0, "Y-Achse: Uhrzeit in "}),
    [](const ::testing::TestParamInfo<CaptionCase>& info) {
        return test::IdentifierOf(info.param.expected);
    });

TEST(FrameCaptionTexts, BriefCaptionSaysTheCodingInShortWords) {
    ChartSettings settings;
    settings.codeByDiameter = 1;
    settings.codeByBrightness = 1;
    EXPECT_EQ(AxisCaption(DisplayMode::Midnight, settings, true, {}, true),
              "X-Achse: Stundenwinkel zur Gegensonne, Linienbreite nach Durchmesser und Helligkeit");
    settings.codeByDiameter = 0;
    EXPECT_EQ(AxisCaption(DisplayMode::Normal, settings, false, {}, true),
              "Y-Achse: Rektaszension, Linienbreite nach Helligkeit");
    settings.codeByBrightness = 0;
    EXPECT_EQ(AxisCaption(DisplayMode::Sun, settings, true, {}, true), "X-Achse: Stundenwinkel zur Sonne");
}

TEST(FrameCaptionTexts, TitlesAndLocation) {
    EXPECT_EQ(ChartTitle(2024, DisplayMode::Normal), "Astronomischer Kalender 2024");
    EXPECT_EQ(ChartTitle(-44, DisplayMode::Midnight), "Astronomischer Kalender -44");
    EXPECT_EQ(ChartTitle(2024, DisplayMode::Twilight), "Dämmerung 2024");
    // Degrees with the chart's pi; the number keeps its sign before the letter.
    EXPECT_EQ(LocationText(-33.9 * kPi / 180, 151.2 * kPi / 180),
              "Für Ort -33.90°S / 151.20°O,      ");
    EXPECT_EQ(LocationText(52.0 * kPi / 180, -9.75 * kPi / 180), "Für Ort 52.00°N / -9.75°W,      ");
    EXPECT_EQ(LocationText(0.0, 0.0), "Für Ort 0.00°N / 0.00°O,      ");
}

std::vector<std::string> LegendNames(const RecordingSurface& dc) {
    std::vector<std::string> names = dc.Texts();
    names.erase(names.begin());  // the caption
    return names;
}

TEST(FrameLegend, EntriesFollowTheMoonSetting) {
    for (const int showMoon : {0, 1}) {
        FramePage page(1280, 960, 2024);
        page.settings.showMoon = showMoon;
        ChartPass pass = page.Pass();
        bool readBack = false;
        DrawCaptions(pass, page.legend, readBack);
        std::vector<std::string> expected = {"Sonne", "Merkur", "Venus", "Mars",
                                             "Jupiter", "Saturn", "Uranus", "Neptun"};
        if (showMoon) {
            expected.push_back("Mond");
            expected.push_back("Mond-Knoten");
        }
        expected.push_back("Sternzeit 0h");
        EXPECT_EQ(LegendNames(page.dc), expected);
    }
}

TEST(FrameLegend, TwilightLegendFollowsTheLocationLine) {
    FramePage page(1280, 960, 2024, DisplayMode::Twilight);
    page.settings.latitude = -33.9 * kPi / 180;
    ChartPass pass = page.Pass();
    bool readBack = false;
    DrawCaptions(pass, page.legend, readBack);
    const auto texts = page.dc.Of(SurfaceCall::Text);
    // Caption, location, the two curves, then the key to the shading.
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[2].text, "max. Sonnenschein");
    EXPECT_EQ(texts[3].text, "Dunkelheit");
    for (int band = 0; band < 5; ++band) EXPECT_EQ(texts[4 + band].text, TwilightBandLegendName(band));
    page.dc.SelectFont(page.fonts.fontNormal);
    const int w = page.dc.GetTextExtent(texts[1].text).cx;
    EXPECT_EQ(texts[2].x1, texts[1].x1 + w);
    // On the location's row: centred on it when set smaller to fit the page.
    EXPECT_GE(texts[2].y1, texts[1].y1);
    EXPECT_LT(texts[2].y1, texts[1].y1 + page.dc.GetTextExtent("A").cy / 2);
}

struct WrapCase {
    int width, height;
    DisplayMode mode;
};

class FrameLegendWrapTest : public ::testing::TestWithParam<WrapCase> {};

// Each entry either continues at the cursor or, when it would end beyond
// plotRight + tickLongX, starts a new row at the first entry's x one text
// line lower; its sample line follows the name.
TEST_P(FrameLegendWrapTest, EntriesWrapExactlyWhenTheyWouldOverrun) {
    const WrapCase c = GetParam();
    FramePage page(c.width, c.height, 2024, c.mode);
    ChartPass pass = page.Pass();
    bool readBack = false;
    DrawCaptions(pass, page.legend, readBack);
    const ChartLayout& l = page.layout;
    const auto texts = page.dc.Of(SurfaceCall::Text);
    const auto lines = page.dc.Of(SurfaceCall::Line);
    const size_t firstEntry = c.mode == DisplayMode::Twilight ? 2 : 1;
    page.dc.SelectFont(page.fonts.fontNormal);
    ASSERT_EQ(lines.size(), texts.size() - firstEntry);
    const int rowStart = c.mode == DisplayMode::Twilight ? 0 : texts[1].x1;
    int wraps = 0;
    for (size_t i = firstEntry + 1; i < texts.size(); ++i) {
        const SurfaceCall& previousLine = lines[i - firstEntry - 1];
        const int cursorX = previousLine.x1 + 4 * l.tickShortX;
        // In the legend's own font: set smaller where the rows would leave the page.
        page.dc.SelectFont(texts[i].font);
        const TextSize size = page.dc.GetTextExtent(texts[i].text);
        const bool overrun = cursorX + size.cx + 2 * l.tickShortX > l.plotRight + l.tickLongX;
        if (overrun) {
            ++wraps;
            EXPECT_EQ(texts[i].x1, rowStart) << texts[i].text;
            EXPECT_EQ(texts[i].y1, texts[i - 1].y1 + size.cy) << texts[i].text;
        } else {
            EXPECT_EQ(texts[i].x1, cursorX) << texts[i].text;
            EXPECT_EQ(texts[i].y1, texts[i - 1].y1) << texts[i].text;
        }
        const SurfaceCall& line = lines[i - firstEntry];
        EXPECT_EQ(line.x1, texts[i].x1 + size.cx + l.tickShortX);
        EXPECT_EQ(line.y1, texts[i].y1 + size.cy / 2);
        EXPECT_EQ(line.x2 - line.x1, l.tickShortX);
    }
    if (c.width <= 640) {
        EXPECT_GT(wraps, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, FrameLegendWrapTest,
                         ::testing::Values(WrapCase{640, 480, DisplayMode::Normal}, WrapCase{400, 480, DisplayMode::Normal},
                                           WrapCase{1280, 960, DisplayMode::Sun}, WrapCase{2400, 960, DisplayMode::Normal},
                                           WrapCase{480, 640, DisplayMode::Midnight}),
                         [](const ::testing::TestParamInfo<WrapCase>& info) {
                             return test::NameOfPage(info.param.width, info.param.height) + "_" +
                                    test::NameOfMode(static_cast<int>(info.param.mode));
                         });

TEST(FrameLegend, SampleLinesCarryTheEntryColoursAtTheLegendWidth) {
    FramePage page(1280, 960, 2024);
    ChartPass pass = page.Pass();
    bool readBack = false;
    DrawCaptions(pass, page.legend, readBack);
    const auto lines = page.dc.Of(SurfaceCall::Line);
    const int width = DiameterPenWidth(page.catalogue, page.layout, 2, 30.0).width;
    const int entries[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11};
    ASSERT_EQ(lines.size(), std::size(entries));
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].pen, (Pen{page.catalogue.entries[entries[i]].color, width}));
    }
}

TEST(FrameLegend, ReadBackTakesTheShownColourOnScreenOnlyOnce) {
    const Color shown = Rgb(1, 2, 3);
    {
        FramePage page(1280, 960, 2024);
        page.dc.pixelSource = [&](int, int) { return shown; };
        ChartPass pass = page.Pass();
        bool readBack = true;
        DrawCaptions(pass, page.legend, readBack);
        EXPECT_FALSE(readBack);
        EXPECT_EQ(page.catalogue.entries[0].color, shown);
        EXPECT_EQ(page.catalogue.entries[kEntrySiderealTime].color, shown);
        EXPECT_EQ(page.catalogue.entries[kEntryMoonNode2].color, Rgb(170, 0, 170));  // not shown
        EXPECT_EQ(page.catalogue.entries[kEntryEcliptic].color, Rgb(125, 125, 125));
    }
    {
        FramePage page(1280, 960, 2024, DisplayMode::Normal, true);  // paper
        page.dc.pixelSource = [&](int, int) { return shown; };
        ChartPass pass = page.Pass();
        bool readBack = true;
        DrawCaptions(pass, page.legend, readBack);
        EXPECT_EQ(page.catalogue.entries[0].color, Rgb(225, 225, 55));
    }
    {
        // The pixel read lies on the sample line.
        FramePage page(1280, 960, 2024);
        std::vector<Point> asked;
        page.dc.pixelSource = [&](int x, int y) {
            asked.push_back(Point{x, y});
            return shown;
        };
        ChartPass pass = page.Pass();
        bool readBack = true;
        DrawCaptions(pass, page.legend, readBack);
        const auto lines = page.dc.Of(SurfaceCall::Line);
        ASSERT_EQ(asked.size(), lines.size());
        EXPECT_EQ(asked[0], (Point{lines[0].x1 + 1, lines[0].y1}));
    }
}

TEST(FrameLegend, ReadBackKeepsTheTableColourWhenNothingCouldBeRead) {
    for (const int width : {640, 100}) {  // 100: sample lines shorter than two units
        FramePage page(width, 480, 2024);
        ChartPass pass = page.Pass();
        page.dc.pixelSource = [&](int, int) { return width == 100 ? Rgb(255, 255, 255) : kInvalidColor; };
        bool readBack = true;
        DrawCaptions(pass, page.legend, readBack);
        EXPECT_EQ(page.catalogue.entries[3].color, Rgb(255, 0, 0)) << width;
        EXPECT_FALSE(readBack);
    }
}

struct GridCase {
    int width, height;
    bool printing;
};

class FrameGridTest : public ::testing::TestWithParam<GridCase> {};

// 11 firsts of a month (2 January on) carry 23 crosses and 24 half-hour
// dashes; 24 days (11th and 21st) carry 23 dashes and 24 dots.
TEST_P(FrameGridTest, MarksOnTheFirstEleventhAndTwentyFirst) {
    const GridCase c = GetParam();
    FramePage page(c.width, c.height, 2024, DisplayMode::Normal, c.printing);
    ChartPass pass = page.Pass();
    DrawGrid(pass);
    const auto lines = page.dc.Of(SurfaceCall::Line);
    const auto dots = page.dc.Of(SurfaceCall::Pixel);
    EXPECT_EQ(lines.size(), 11u * (2 * 23 + 24) + 24u * 23);
    EXPECT_EQ(dots.size(), 24u * 24);
    for (const SurfaceCall& line : lines) {
        EXPECT_EQ(line.pen, (Pen{Rgb(125, 125, 125), c.printing ? 2 : 1}));
    }
    for (const SurfaceCall& dot : dots) EXPECT_EQ(dot.color, Rgb(5, 5, 5));
    // The first line is the dash at 11 January, 1 h, after the dot at 0.5 h.
    const ChartLayout& l = page.layout;
    const Point p = MapToPage(l, l.startJd + 10, 1.0 / 12 * kPi);
    EXPECT_EQ(dots[0].x1, MapToPage(l, l.startJd + 10, 0.5 / 12 * kPi).x);
    const int g = l.gridMarkHalf;
    if (l.portrait) {
        EXPECT_EQ(lines[0].x1, p.x);
        EXPECT_EQ(lines[0].y1, p.y - g + 1);
        EXPECT_EQ(lines[0].y2, p.y + g);
    } else {
        EXPECT_EQ(lines[0].y1, p.y);
        EXPECT_EQ(lines[0].x1, p.x - g + 1);
        EXPECT_EQ(lines[0].x2, p.x + g);
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, FrameGridTest,
                         ::testing::Values(GridCase{640, 480, false}, GridCase{1280, 960, true},
                                           GridCase{960, 1280, false}),
                         [](const ::testing::TestParamInfo<GridCase>& info) {
                             return test::NameOfPage(info.param.width, info.param.height) +
                                    (info.param.printing ? "_paper" : "_screen");
                         });

TEST(FrameTitleAndFooter, TitleCentredOverThePlotLowerOnPaper) {
    for (const bool printing : {false, true}) {
        FramePage page(1280, 960, 2024, DisplayMode::Normal, printing);
        ChartPass pass = page.Pass();
        DrawTitle(pass);
        const auto texts = page.dc.Of(SurfaceCall::Text);
        ASSERT_EQ(texts.size(), 1u);
        page.dc.SelectFont(page.fonts.fontTitle);
        const TextSize size = page.dc.GetTextExtent("Astronomischer Kalender 2024");
        EXPECT_EQ(texts[0].font, page.fonts.fontTitle);
        EXPECT_EQ(texts[0].x1, (page.layout.plotLeft - size.cx + page.layout.plotRight) / 2);
        EXPECT_EQ(texts[0].y1, printing ? size.cy : 3);
    }
}

TEST(FrameTitleAndFooter, FooterBelowTheLegendInsideThePage) {
    for (const int height : {960, 500, 40}) {
        FramePage page(1280, height, 2024, DisplayMode::Normal, true);
        ChartPass pass = page.Pass();
        pass.footerText = "Velmarin Version 9.8.7";
        bool readBack = false;
        DrawCaptions(pass, page.legend, readBack);
        DrawFooter(pass, page.legend);
        const auto texts = page.dc.Of(SurfaceCall::Text);
        const SurfaceCall& footer = texts.back();
        EXPECT_EQ(footer.text, "Velmarin Version 9.8.7");
        EXPECT_EQ(footer.font, page.fonts.fontSmall);
        page.dc.SelectFont(page.fonts.fontSmall);
        const TextSize size = page.dc.GetTextExtent(footer.text);
        EXPECT_LE(footer.y1 + size.cy, height);
        EXPECT_GE(footer.y1, 0);
        if (height == 960) {
            EXPECT_GT(footer.y1, texts[texts.size() - 2].y1);
        }
    }
}

}  // namespace
}  // namespace velmarin
