// Track widths, pens and fonts of the body catalogue.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/chart/body_catalogue.h"
#include "core/chart/chart_settings.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

ChartLayout Page(int width, int height, bool printing = false) {
    return LayoutChart(width, height, printing, 16);
}

struct TrackWidthCase {
    int width, height;
    bool printing;
    int defaultTrack;  // DiameterPenWidth(Venus, 13)
    int penWidth;      // width of bodyPens: Venus at 13" on screen, 20" on paper
};

class BodyCatalogueTrackWidthTest : public ::testing::TestWithParam<TrackWidthCase> {};

// Screen: 2 + trunc((penUnit - 2) * 3.4 / 53.4); paper: 6 + trunc((3 min(penUnit, 25) - 6)
// * (D - 9.6) / 53.4).
TEST_P(BodyCatalogueTrackWidthTest, PensTakeVenusAtTheOutputsDiameter) {
    const TrackWidthCase c = GetParam();
    const ChartLayout layout = Page(c.width, c.height, c.printing);
    BodyCatalogue catalogue = MakeBodyCatalogue();
    EXPECT_FALSE(catalogue.pensMade);
    MakeBodyPens(catalogue, layout);
    EXPECT_TRUE(catalogue.pensMade);
    for (int i = 0; i < kCatalogueSize; ++i) {
        EXPECT_EQ(catalogue.bodyPens[i].width, c.penWidth) << i;
        EXPECT_EQ(catalogue.bodyPens[i].color, catalogue.entries[i].color) << i;
    }
    if (!c.printing) {
        EXPECT_EQ(DefaultTrackWidth(catalogue, layout), c.defaultTrack);
    }
}

INSTANTIATE_TEST_SUITE_P(Outputs, BodyCatalogueTrackWidthTest,
                         ::testing::Values(TrackWidthCase{640, 480, false, 2, 2},      // 0.51
                                           TrackWidthCase{1280, 960, false, 3, 3},     // 1.15
                                           TrackWidthCase{8000, 8000, false, 12, 12},  // 10.44
                                           // 6 + trunc(54 * 10.4 / 53.4) = 6 + 10
                                           TrackWidthCase{1280, 960, true, 0, 16},
                                           // penUnit 166 is limited to 25: 6 + trunc(69 * 10.4 / 53.4)
                                           TrackWidthCase{8000, 8000, true, 0, 19}),
                         [](const ::testing::TestParamInfo<TrackWidthCase>& info) {
                             return test::NameOfPage(info.param.width, info.param.height) +
                                    (info.param.printing ? "_paper" : "_screen");
                         });

TEST(BodyCatalogueWidths, DiameterAndBrightnessSpanTheirRangesWithoutClamping) {
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    const ChartLayout screen = Page(1280, 960);  // penUnit 20
    // Mars: 3.5 .. 25.1 arc seconds, -2.9 .. 1.8 mag.
    EXPECT_EQ(DiameterPenWidth(catalogue, screen, 3, 3.5).width, 2);
    EXPECT_EQ(DiameterPenWidth(catalogue, screen, 3, 25.1).width, 20);
    EXPECT_EQ(DiameterPenWidth(catalogue, screen, 3, 25.1).largest, 20);
    EXPECT_EQ(DiameterPenWidth(catalogue, screen, 3, 14.4).width, 2 + 9);  // 18 * 10.9 / 21.6 = 9.08
    EXPECT_EQ(DiameterPenWidth(catalogue, screen, 3, 47.0).width, 38);  // beyond the range: 36.25
    EXPECT_EQ(BrightnessPenWidth(catalogue, screen, 3, 1.8).width, 2);
    EXPECT_EQ(BrightnessPenWidth(catalogue, screen, 3, -2.9).width, 20);
    EXPECT_EQ(BrightnessPenWidth(catalogue, screen, 3, 3.0).width, -2);  // 2 + trunc(-4.6)

    const ChartLayout paper = Page(1280, 960, true);
    EXPECT_EQ(DiameterPenWidth(catalogue, paper, 3, 3.5).width, 6);
    EXPECT_EQ(DiameterPenWidth(catalogue, paper, 3, 25.1).largest, 60);
    EXPECT_EQ(BrightnessPenWidth(catalogue, paper, 3, -2.9).largest, 20);
    const ChartLayout bigPaper = Page(8000, 8000, true);
    EXPECT_EQ(DiameterPenWidth(catalogue, bigPaper, 3, 25.1).largest, 75);
    EXPECT_EQ(BrightnessPenWidth(catalogue, bigPaper, 3, -2.9).largest, 25);

    // Elements without a range and wild inputs give defined widths.
    EXPECT_EQ(DiameterPenWidth(catalogue, screen, kEntryEcliptic, 5.0).width, 2);
    EXPECT_EQ(BrightnessPenWidth(catalogue, screen, kEntryMoonNode1, 5.0).width, 2);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(DiameterPenWidth(catalogue, screen, 3, nan).width, 2);
    EXPECT_GT(DiameterPenWidth(catalogue, screen, 3, 1e300).width, 1000);
}

struct CodedCase {
    int codeByDiameter, codeByBrightness;
    double diameter, magnitude;
    int expected;
};

class BodyCatalogueCodedWidthTest : public ::testing::TestWithParam<CodedCase> {};

// Mars on a 1280 x 960 screen (largest width 20).
TEST_P(BodyCatalogueCodedWidthTest, CodingsCombine) {
    const CodedCase c = GetParam();
    ChartSettings settings;
    settings.codeByDiameter = c.codeByDiameter;
    settings.codeByBrightness = c.codeByBrightness;
    EXPECT_EQ(CodedPenWidth(MakeBodyCatalogue(), Page(1280, 960), settings, 3, c.diameter, c.magnitude),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Mars, BodyCatalogueCodedWidthTest,
    ::testing::Values(CodedCase{0, 0, 25.1, -2.9, 1},    // no coding: 1 x 1
                      CodedCase{1, 0, 14.4, 0.0, 11},    // diameter only
                      CodedCase{0, 1, 0.0, -2.9, 20},    // brightness only
                      CodedCase{1, 1, 3.5, 1.8, 2},      // both at the minimum
                      // 20 x 2 = 40: 2 + 36 * 18 / 396 = 3.64
                      CodedCase{1, 1, 25.1, 1.8, 3},
                      CodedCase{1, 1, 25.1, -2.9, 20}),
    [](const ::testing::TestParamInfo<CodedCase>& info) {
        return std::string(info.param.codeByDiameter ? "Diameter" : "NoDiameter") +
               (info.param.codeByBrightness ? "_Brightness_" : "_NoBrightness_") +
               test::NameOfNumber(info.param.diameter) + "arcsec_mag" + test::NameOfNumber(info.param.magnitude);
    });  // at the maximum: Md

TEST(BodyCatalogueWidths, BothCodingsAtTheSmallestLargestWidthStayDefined) {
    ChartSettings settings;
    settings.codeByDiameter = settings.codeByBrightness = 1;
    // A 96 units high page has penUnit 2: the product range is the single point 4.
    const ChartLayout layout = Page(128, 96);
    ASSERT_EQ(layout.penUnit, 2);
    EXPECT_EQ(CodedPenWidth(MakeBodyCatalogue(), layout, settings, 3, 3.5, 1.8), 2);
}

TEST(BodyCatalogueTable, ElementsAfterTheBodies) {
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    EXPECT_EQ(catalogue.entries[kEntryMoonNode1].name, "Mond-Knoten");
    EXPECT_EQ(catalogue.entries[kEntryMoonNode2].name, "Mond-Knoten");
    EXPECT_EQ(catalogue.entries[kEntryMoonNode1].color, catalogue.entries[kEntryMoonNode2].color);
    EXPECT_EQ(catalogue.entries[kEntrySiderealTime].color, catalogue.entries[kEntryDarkness].color);
    EXPECT_EQ(catalogue.entries[planetCount].name, "Mond");
    EXPECT_EQ(catalogue.entries[kEntryEcliptic].color, Rgb(125, 125, 125));
}

TEST(BodyCatalogueFonts, HeightsFollowThePageHeightAndThePrintFactor) {
    const ChartFonts reference = MakeChartFonts(Page(640, 480));
    EXPECT_EQ(reference.fontNormal.height, -10);
    EXPECT_EQ(reference.fontTitle.height, -17);
    EXPECT_EQ(reference.fontSmall.height, -6);
    EXPECT_EQ(reference.fontTitle.weight, 600);
    EXPECT_EQ(reference.fontNormal.weight, 400);
    EXPECT_EQ(reference.fontUp.escapement, 900);
    EXPECT_EQ(reference.fontDown.escapement, 2700);
    EXPECT_EQ(reference.fontOriented.escapement, 0);
    EXPECT_EQ(reference.fontOriented.orientation, 900);
    EXPECT_EQ(reference.fontNormal.face, "Arial");

    const ChartFonts twice = MakeChartFonts(Page(1280, 960));
    EXPECT_EQ(twice.fontNormal.height, -20);
    EXPECT_EQ(MakeChartFonts(Page(4000, 960)).fontNormal.height, -20);  // width does not count

    const ChartFonts paper = MakeChartFonts(Page(1280, 960, true));
    EXPECT_EQ(paper.fontNormal.height, -16);
    EXPECT_EQ(paper.fontTitle.height, -27);  // -27.2 truncated once
    EXPECT_EQ(paper.fontSmall.height, -9);   // -9.6
    EXPECT_EQ(paper.fontUp.height, -16);
}

}  // namespace
}  // namespace velmarin
