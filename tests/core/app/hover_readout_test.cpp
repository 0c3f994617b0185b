// Hover readout: which texts a pointer over the plot produces. Reference
// positions come from PyEphem 4.1.4 (astrometric J2000 RA/Dec, the frame the
// program's theory works in; size, mag)
// and the phase instants from published lunar-phase tables.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

#include "core/app/hover_readout.h"
#include "core/chart/shown_bodies.h"
#include "core/chart/body_catalogue.h"
#include "core/chart/chart_layout.h"
#include "core/chart/layers.h"
#include "core/chart/phase_markers.h"
#include "core/ephemeris/body_position.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

using Action = ReadoutDecision::Action;

// A landscape plot of 2024 (a leap year: 365.4 days across) whose width is
// 3654 pixels, so every 10 pixels are exactly one day from 1 January 0 h UT.
constexpr int kLeft = 100;
ChartLayout PlotOf2024() {
    ChartLayout layout;
    layout.pageWidth = 4000;
    layout.pageHeight = 600;
    layout.plotLeft = kLeft;
    layout.plotRight = kLeft + 3654;
    layout.plotTop = 50;
    layout.plotBottom = 550;
    SetChartYear(layout, 2024);
    return layout;
}
Point AtDay(int dayOfYear, int tenths = 0) { return {kLeft + 10 * dayOfYear + tenths, 300}; }

ReadoutDecision Readout(Color pixel, Point point, const ChartSettings& settings = {},
                        const ChartLayout& layout = PlotOf2024()) {
    EphemerisContext context;
    return HoverReadout(context, pixel, point, layout, MakeBodyCatalogue(), settings);
}

struct BodyCase {
    BodyId body;
    int dayOfYear;           // 2024, 0 = 1 January
    const char* date;        // "DD.MM.YYYY"
    const char* name;
    double raHours;          // PyEphem
    double decDegrees;
    double diameterArcsec;
    double magnitude;        // NaN: the text has none (the Sun)
    double magnitudeTolerance;
};

class HoverReadoutBodies : public ::testing::TestWithParam<BodyCase> {};

// Three lines: "date: name", "h:mm, +d.d°", then the diameter in arc seconds
// (planets, with '"') or arc minutes (Sun and Moon, with "'") and, except
// for the Sun, the magnitude.
TEST_P(HoverReadoutBodies, NamesTheBodyWithItsPositionAtThePointersDate) {
    const BodyCase& c = GetParam();
    const Color colour = MakeBodyCatalogue().entries[IndexOf(c.body)].color;
    const ReadoutDecision decision = Readout(colour, AtDay(c.dayOfYear));
    ASSERT_EQ(decision.action, Action::Show);

    static const std::regex planet(
        R"re(^(\d\d\.\d\d\.\d{4}): ([^|]+)\|([ \d]\d):(\d\d), ([+-]\d+\.\d)°\|(\d+\.\d)", (-?\d+\.\d)mag$)re");
    static const std::regex moon(
        R"re(^(\d\d\.\d\d\.\d{4}): ([^|]+)\|([ \d]\d):(\d\d), ([+-]\d+\.\d)°\|(\d+\.\d)', (-?\d+\.\d)mag$)re");
    static const std::regex sun(
        R"re(^(\d\d\.\d\d\.\d{4}): ([^|]+)\|([ \d]\d):(\d\d), ([+-]\d+\.\d)°\|(\d+\.\d)'$)re");
    const std::regex& form = c.body == BodyId::kSun ? sun : c.body == BodyId::kMoon ? moon : planet;
    std::smatch m;
    ASSERT_TRUE(std::regex_match(decision.text, m, form)) << decision.text;

    EXPECT_EQ(m[1], c.date);
    EXPECT_EQ(m[2], c.name);
    const double raHours = std::stoi(m[3]) + std::stoi(m[4]) / 60.0;
    // Minutes are truncated: the true value lies in the shown minute.
    EXPECT_NEAR(raHours + 0.5 / 60, c.raHours, 1.5 / 60) << decision.text;
    EXPECT_NEAR(std::stod(m[5]), c.decDegrees, 0.2) << decision.text;
    const double shownDiameter = std::stod(m[6]);
    if (c.body == BodyId::kSun || c.body == BodyId::kMoon) {
        EXPECT_NEAR(shownDiameter, c.diameterArcsec / 60, 0.3) << decision.text;
    } else {
        EXPECT_NEAR(shownDiameter, c.diameterArcsec, 0.1 * c.diameterArcsec + 0.1) << decision.text;
    }
    if (!std::isnan(c.magnitude)) {
        EXPECT_NEAR(std::stod(m[7]), c.magnitude, c.magnitudeTolerance) << decision.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Year2024, HoverReadoutBodies,
    ::testing::Values(
        BodyCase{BodyId::kSun, 121, "01.05.2024", "Sonne", 2.5573, 15.057, 1904.89, NAN, 0},
        BodyCase{BodyId::kMercury, 200, "19.07.2024", "Merkur", 9.6938, 13.501, 7.43, 0.31, 0.5},
        BodyCase{BodyId::kMars, 166, "15.06.2024", "Mars", 2.1395, 11.816, 5.19, 1.01, 0.3},
        BodyCase{BodyId::kJupiter, 300, "27.10.2024", "Jupiter", 5.3121, 22.377, 45.45, -2.51, 0.3},
        // The Moon's magnitude law is simpler than PyEphem's, hence the wider tolerance.
        BodyCase{BodyId::kMoon, 55, "25.02.2024", "Mond", 10.8900, 10.292, 1767.19, -12.52, 1.5}),
    [](const ::testing::TestParamInfo<BodyCase>& info) { return std::string(info.param.name); });

TEST(HoverReadoutBodiesMoonSwitch, WithoutTheMoonItsColourIsNotRead) {
    const Color moon = MakeBodyCatalogue().entries[IndexOf(BodyId::kMoon)].color;
    ChartSettings settings;
    settings.showMoon = 0;
    EXPECT_EQ(Readout(moon, AtDay(55), settings).action, Action::Hide);
    settings.showMoon = 1;
    EXPECT_EQ(Readout(moon, AtDay(55), settings).action, Action::Show);
}

TEST(HoverReadoutBodiesMoonSwitch, ABodyLeftOffTheChartIsNotRead) {
    const Color mars = MakeBodyCatalogue().entries[IndexOf(BodyId::kMars)].color;
    BodySelection shown = kAllBodiesShown;
    shown[IndexOf(BodyId::kMars)] = false;
    EXPECT_EQ(Readout(mars, AtDay(166), WithShownBodies(ChartSettings{}, shown)).action, Action::Hide);
    shown[IndexOf(BodyId::kMars)] = true;
    shown[IndexOf(BodyId::kVenus)] = false;
    EXPECT_EQ(Readout(mars, AtDay(166), WithShownBodies(ChartSettings{}, shown)).action, Action::Show);
}

TEST(HoverReadoutBodiesMoonSwitch, ReadsTheColoursTheLegendReadBack) {
    // A display that shows Venus slightly off: the read-back colour is what counts.
    BodyCatalogue catalogue = MakeBodyCatalogue();
    const Color shown = Rgb(161, 220, 220);
    catalogue.entries[IndexOf(BodyId::kVenus)].color = shown;
    EphemerisContext context;
    const ReadoutDecision decision =
        HoverReadout(context, shown, AtDay(10), PlotOf2024(), catalogue, ChartSettings{});
    ASSERT_EQ(decision.action, Action::Show);
    EXPECT_NE(decision.text.find(": Venus|"), std::string::npos) << decision.text;
}

struct MarkerCase {
    Color colour;
    int dayOfYear;  // pointer position, a few days either side of the phase
    const char* text;
};

class HoverReadoutMarkers : public ::testing::TestWithParam<MarkerCase> {};

// A marker is dated by its own phase wherever on its disc the pointer is.
TEST_P(HoverReadoutMarkers, DatesTheMarkersOwnPhase) {
    const MarkerCase& c = GetParam();
    const ReadoutDecision decision = Readout(c.colour, AtDay(c.dayOfYear));
    ASSERT_EQ(decision.action, Action::Show);
    EXPECT_EQ(decision.text, c.text);
}

// 2024: full moon 25 Mar 07:00 (penumbral eclipse), last quarter 2 Apr 03:15,
// new moon 8 Apr 18:21 (total solar eclipse), first quarter 15 Apr 19:13.
INSTANTIATE_TEST_SUITE_P(
    Year2024, HoverReadoutMarkers,
    ::testing::Values(
        MarkerCase{Rgb(1, 1, 1), 98, "08.04.2024: Neumond"},
        MarkerCase{Rgb(1, 1, 1), 101, "08.04.2024: Neumond"},
        MarkerCase{Rgb(240, 0, 0), 97, "08.04.2024: mögl. Sonnenfinsternis"},
        MarkerCase{Rgb(200, 200, 200), 104, "15.04.2024: 1. Viertel"},
        MarkerCase{Rgb(200, 200, 200), 108, "15.04.2024: 1. Viertel"},
        MarkerCase{Rgb(250, 250, 250), 82, "25.03.2024: Vollmond"},
        MarkerCase{Rgb(250, 0, 0), 86, "25.03.2024: mögl. Mondfinsternis"},
        MarkerCase{Rgb(190, 190, 190), 90, "02.04.2024: 3. Viertel"},
        MarkerCase{Rgb(190, 190, 190), 94, "02.04.2024: 3. Viertel"}),
    [](const ::testing::TestParamInfo<MarkerCase>& info) {
        return test::IdentifierOf(info.param.text) + "_day" + std::to_string(info.param.dayOfYear);
    });

// The one-pixel border of the plot and everything outside it hide the tooltip.
TEST(HoverReadoutArea, HidesOnTheBorderAndOutside) {
    const ChartLayout layout = PlotOf2024();
    const Color sun = MakeBodyCatalogue().entries[IndexOf(BodyId::kSun)].color;
    const Point hidden[] = {
        {layout.plotLeft, 300},          {layout.plotRight - 1, 300},
        {layout.plotRight, 300},         {500, layout.plotTop},
        {500, layout.plotBottom - 1},    {500, layout.plotBottom + 20},
        {layout.plotLeft - 40, 300},     {-5, -5},
    };
    for (const Point& p : hidden) {
        EXPECT_EQ(Readout(sun, p).action, Action::Hide) << p.x << "," << p.y;
    }
    const Point inside[] = {
        {layout.plotLeft + 1, layout.plotTop + 1},
        {layout.plotRight - 2, layout.plotBottom - 2},
    };
    for (const Point& p : inside) {
        EXPECT_EQ(Readout(sun, p).action, Action::Show) << p.x << "," << p.y;
    }
}

// Where nothing named lies under the pointer the readout goes at once (a
// readout left standing would name a track far from the pointer); only a
// text pixel, which hides what lies beneath, leaves it standing.
TEST(HoverReadoutArea, HidesTheTooltipWhereNothingIsNamed) {
    const Color sun = MakeBodyCatalogue().entries[IndexOf(BodyId::kSun)].color;
    EXPECT_EQ(Readout(Rgb(255, 255, 255), AtDay(40)).action, Action::Hide);
    EXPECT_EQ(Readout(kInvalidColor, AtDay(40)).action, Action::Keep);
    EXPECT_EQ(Readout(Rgb(170, 0, 170), AtDay(40)).action, Action::Hide);  // node line
    EXPECT_EQ(Readout(Rgb(0, 0, 0), AtDay(40)).action, Action::Hide);      // sidereal line

    ChartSettings twilight;
    twilight.displayMode = DisplayMode::Twilight;
    EXPECT_EQ(Readout(sun, AtDay(40), twilight).action, Action::Hide);
    // The twilight chart still hides outside the plot.
    EXPECT_EQ(Readout(sun, {0, 0}, twilight).action, Action::Hide);

    // A damaged mode is drawn as the normal chart and read like one.
    ChartSettings damaged;
    damaged.displayMode = static_cast<DisplayMode>(7);
    EXPECT_EQ(Readout(sun, AtDay(40), damaged).action, Action::Show);
}

// In portrait the days run down the page: the date comes from y.
TEST(HoverReadoutArea, PortraitReadsTheDateAlongY) {
    ChartLayout layout;
    layout.pageWidth = 600;
    layout.pageHeight = 4000;
    layout.portrait = true;
    layout.plotLeft = 50;
    layout.plotRight = 550;
    layout.plotTop = kLeft;
    layout.plotBottom = kLeft + 3654;
    SetChartYear(layout, 2024);
    const Color sun = MakeBodyCatalogue().entries[IndexOf(BodyId::kSun)].color;
    const ReadoutDecision decision = Readout(sun, {300, kLeft + 10 * 121}, {}, layout);
    ASSERT_EQ(decision.action, Action::Show);
    EXPECT_EQ(decision.text.substr(0, 17), "01.05.2024: Sonne") << decision.text;
}

}  // namespace
}  // namespace velmarin
