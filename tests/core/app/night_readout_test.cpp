// The readout over the twilight chart's overlays: the text for a point on a
// planet's curve, held against PyEphem's times of that day, and what the
// colours stand for.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "core/app/night_readout.h"
#include "core/chart/band_legend.h"
#include "core/chart/night_overlay.h"
#include "core/chart/twilight_chart.h"
#include "core/ephemeris/pyephem_events.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {
namespace {

constexpr double kTwilightPi = 3.14159;

// PyEphem's instants of one body and kind at 52 N 13.4 E (the reference
// script's first place, its days in UT+1).
std::vector<double> Reference(int body, const std::string& kind) { return testing::PyEphemEvents("52N", body, kind); }

struct Chart {
    ChartSettings settings;
    ChartLayout layout = LayoutChart(1920, 1080, false, 15);
    BodyCatalogue catalogue = MakeBodyCatalogue();
    YearOffsets offsets = FixedZoneOffsets(2026, 1.0, false);
    Chart() {
        settings.displayMode = DisplayMode::Twilight;
        settings.latitude = 52.0 * degToRad;
        settings.longitude = 13.4 * degToRad;
        settings.timeZoneHours = 1.0;
        settings.summerTime = 0;
        settings.showPlanets = 1;
        settings.showMoonlight = 1;
        SetChartYear(layout, 2026);
    }
    // The page point of local time `hours` on civil day `dayJd`.
    Point At(double dayJd, double hours) const { return MapToPage(layout, dayJd, (24 - hours) * kTwilightPi / 12); }
};

// Minutes of the day of "HH:MM".
int Minutes(const std::string& clock) { return std::stoi(clock.substr(0, 2)) * 60 + std::stoi(clock.substr(3, 2)); }

struct DayCase {
    BodyId body;
    int day, month;
};

// On the transit curve of a planet the readout gives that day's rise,
// transit and set in local time, each within 5 minutes of PyEphem's: searched
// for that day, and read from the year's events as the window does.
TEST(NightReadout, PlanetCurveGivesTheDaysEventsInLocalTime) {
    const Chart chart;
    YearInputs inputs;
    inputs.year = 2026;
    inputs.latitude = chart.settings.latitude;
    inputs.longitude = chart.settings.longitude;
    inputs.offsets = chart.offsets;
    const std::vector<VisibilityDay> computedYear = ComputeVisibilityYear(inputs);
    const DayCase cases[] = {{BodyId::kJupiter, 14, 2}, {BodyId::kMars, 14, 3}, {BodyId::kSaturn, 20, 9}, {BodyId::kVenus, 5, 11}};
    const std::regex format(R"(^(\d\d)\.(\d\d)\.2026: (\w+)\| Aufgang (\d\d:\d\d), Kulmination (\d\d:\d\d) \((\d+)°\), Untergang (\d\d:\d\d)$)");
    const std::vector<const std::vector<VisibilityDay>*> years = {nullptr, &computedYear};
    for (const std::vector<VisibilityDay>* year : years) {
        for (const DayCase& c : cases) {
            const double dayJd = JulianDayFromDate(c.day, c.month, 2026);
            const double start = dayJd - 1.0 / 24.0;  // local midnight in UT
            const auto local = [&](const std::string& kind) {
                for (double jd : Reference(IndexOf(c.body), kind)) {
                    if (jd >= start && jd < start + 1.0) return static_cast<int>(std::lround((jd - start) * 1440.0));
                }
                return -1;
            };
            const int transit = local("T");
            ASSERT_GE(transit, 0);
            const Point point = chart.At(dayJd, transit / 60.0);
            const NightTarget target = FindNightTarget(chart.catalogue.entries[IndexOf(c.body)].color, chart.catalogue, chart.settings);
            ASSERT_EQ(target.kind, NightTarget::Kind::Planet);
            const ReadoutDecision decision =
                NightReadout(target, point, chart.layout, chart.catalogue, chart.settings, chart.offsets, year);
            ASSERT_EQ(decision.action, ReadoutDecision::Action::Show);
            std::smatch m;
            ASSERT_TRUE(std::regex_match(decision.text, m, format)) << decision.text;
            EXPECT_EQ(std::stoi(m[1]), c.day);
            EXPECT_EQ(std::stoi(m[2]), c.month);
            EXPECT_EQ(m[3], chart.catalogue.entries[IndexOf(c.body)].name);
            EXPECT_NEAR(Minutes(m[4]), local("r"), 5) << decision.text;
            EXPECT_NEAR(Minutes(m[5]), transit, 5) << decision.text;
            EXPECT_NEAR(Minutes(m[7]), local("s"), 5) << decision.text;
        }
    }
}

// Mars shares its red with "max. Sonnenschein": away from Mars's events the
// red is the sunshine curve and nothing is shown; a moonlit cell names the Moon.
TEST(NightReadout, SharedRedNeedsAMarsEventAndMoonlitCellsNameTheMoon) {
    const Chart chart;
    const double dayJd = JulianDayFromDate(14, 3, 2026);
    const NightTarget mars = FindNightTarget(Rgb(255, 0, 0), chart.catalogue, chart.settings);
    ASSERT_EQ(mars.kind, NightTarget::Kind::Planet);
    int shown = 0;
    for (double hours = 0.5; hours < 24.0; hours += 1.0) {
        const ReadoutDecision d =
            NightReadout(mars, chart.At(dayJd, hours), chart.layout, chart.catalogue, chart.settings, chart.offsets);
        shown += d.action == ReadoutDecision::Action::Show;
    }
    // Rise, transit and set each claim at most the two hours about them.
    EXPECT_GE(shown, 1);
    EXPECT_LE(shown, 6);

    const std::regex moon(R"(^14\.03\.2026: Mond\| Aufgang (\d\d:\d\d|—), Untergang (\d\d:\d\d|—), beleuchtet (\d+) %$)");
    for (Color c : {kMoonlitAstronomicalColor, kMoonlitDarknessColor}) {
        const NightTarget target = FindNightTarget(c, chart.catalogue, chart.settings);
        ASSERT_EQ(target.kind, NightTarget::Kind::Moonlight);
        const ReadoutDecision d =
            NightReadout(target, chart.At(dayJd, 2.0), chart.layout, chart.catalogue, chart.settings, chart.offsets);
        std::smatch m;
        ASSERT_TRUE(std::regex_match(d.text, m, moon)) << d.text;
        EXPECT_LE(std::stoi(m[3]), 100);
    }
}

// Colours count only for the overlay that is on, and band colours never.
TEST(NightReadout, ColoursCountOnlyWithTheirOverlay) {
    Chart chart;
    const Color jupiter = chart.catalogue.entries[IndexOf(BodyId::kJupiter)].color;
    chart.settings.showPlanets = 0;
    EXPECT_EQ(FindNightTarget(jupiter, chart.catalogue, chart.settings).kind, NightTarget::Kind::None);
    EXPECT_EQ(FindNightTarget(kMoonlitDarknessColor, chart.catalogue, chart.settings).kind, NightTarget::Kind::Moonlight);
    chart.settings.showMoonlight = 0;
    EXPECT_EQ(FindNightTarget(kMoonlitDarknessColor, chart.catalogue, chart.settings).kind, NightTarget::Kind::None);
    chart.settings.showPlanets = 1;
    chart.settings.showMoonlight = 1;
    for (int band = 1; band <= 4; ++band) {
        EXPECT_EQ(FindNightTarget(NightCellColor(band), chart.catalogue, chart.settings).kind, NightTarget::Kind::None);
    }
    // Outside the plot the tooltip goes.
    const NightTarget target = FindNightTarget(jupiter, chart.catalogue, chart.settings);
    EXPECT_EQ(NightReadout(target, {0, 0}, chart.layout, chart.catalogue, chart.settings, chart.offsets).action,
              ReadoutDecision::Action::Hide);
}

// The first PyEphem instant of `body`/`kind` in the local day that begins at
// dayJd (UT+1), as minutes of local time; -1 when the day has none.
int ReferenceMinutes(int body, const std::string& kind, double dayJd) {
    for (double jd : Reference(body, kind)) {
        const double local = jd + 1.0 / 24.0;
        if (local >= dayJd && local < dayJd + 1.0) return static_cast<int>(std::lround((local - dayJd) * 1440.0));
    }
    return -1;
}

struct BandCase {
    const char* name;
    int band;
    // The stretch's ends: PyEphem's body ("0" the Sun, "6"/"12"/"18" the
    // twilight limits) and kind; the second end may lie on the next day.
    int fromBody;
    const char* fromKind;
    int toBody;
    const char* toKind;
    int toDayShift;
};

class BandReadoutAgainstPyEphem : public ::testing::TestWithParam<BandCase> {};

// On the 15th of every month, pointing into the middle of a band, the readout
// names the band and its stretch within 4 minutes of PyEphem's instants
// (the slow twilights of June at 52 N turn the Sun's small offset into minutes).
TEST_P(BandReadoutAgainstPyEphem, NamesTheBandAndItsStretchInLocalTime) {
    const BandCase& c = GetParam();
    const Chart chart;
    int checked = 0;
    for (int month = 1; month <= 12; ++month) {
        const double dayJd = JulianDayFromDate(15, month, 2026, 0.0);
        const int from = ReferenceMinutes(c.fromBody, c.fromKind, dayJd);
        const int to = ReferenceMinutes(c.toBody, c.toKind, dayJd + c.toDayShift);
        if (from < 0 || to < 0) continue;  // no such stretch that day (light summer nights)
        // Between the ends, or between dusk and midnight for a night that
        // runs into the next day.
        const double middle = (from + (c.toDayShift != 0 ? 1440 : to)) / 2.0 / 60.0;
        const Point point = chart.At(dayJd, middle);
        const ReadoutDecision decision =
            BandReadout(c.band, point, chart.layout, chart.settings, chart.offsets);
        ASSERT_EQ(decision.action, ReadoutDecision::Action::Show);
        std::smatch m;
        const std::regex form("(\\d\\d)\\.(\\d\\d)\\.2026: (.+) (\\d\\d:\\d\\d)\u2013(\\d\\d:\\d\\d)");
        ASSERT_TRUE(std::regex_match(decision.text, m, form)) << decision.text;
        EXPECT_EQ(std::stoi(m[1]), 15) << decision.text;
        EXPECT_EQ(m[3].str(), TwilightBandName(c.band));
        EXPECT_NEAR(Minutes(m[4]), from, 4) << decision.text;
        EXPECT_NEAR(Minutes(m[5]), to, 4) << decision.text;
        ++checked;
    }
    EXPECT_GE(checked, 8);
}

INSTANTIATE_TEST_SUITE_P(
    Bands52N, BandReadoutAgainstPyEphem,
    ::testing::Values(BandCase{"daylight", 0, 0, "r", 0, "s", 0},
                      BandCase{"civil_dusk", 1, 0, "s", 6, "D", 0},
                      BandCase{"civil_dawn", 1, 6, "d", 0, "r", 0},
                      BandCase{"nautical_dusk", 2, 6, "D", 12, "D", 0},
                      BandCase{"astronomical_dawn", 3, 18, "d", 12, "d", 0},
                      BandCase{"night_into_the_next_day", 4, 18, "D", 18, "d", 1}),
    [](const ::testing::TestParamInfo<BandCase>& info) { return std::string(info.param.name); });

TEST(BandReadout, ColoursOfTheCellsAreTheirBands) {
    EXPECT_EQ(TwilightBandOfColour(Rgb(255, 255, 255)), 0);
    for (int band = 1; band <= 4; ++band) EXPECT_EQ(TwilightBandOfColour(TwilightBandColor(band)), band);
    EXPECT_EQ(TwilightBandOfColour(kMoonlitDarknessColor), -1);
    EXPECT_EQ(TwilightBandOfColour(Rgb(0, 0, 0)), -1);
}

}  // namespace
}  // namespace velmarin
