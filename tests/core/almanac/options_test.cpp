#include "core/almanac/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ephemeris/time_calendar.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

using Args = std::vector<std::string>;

// The parsed value (a copy: the result is usually a temporary).
template <typename T>
T Good(const ParseResult<T>& result) {
    if (!result) {
        ADD_FAILURE() << "unexpected error: " << result.error();
        return T{};
    }
    return *result;
}

ChartSettings FileSettings() {
    ChartSettings settings;
    settings.displayMode = DisplayMode::Midnight;
    settings.showGrid = 0;
    settings.codeByBrightness = 1;
    settings.latitude = 48.5 * degToRad;
    settings.timeZoneHours = 2.0;
    settings.windowWidth = 777;
    return settings;
}

TEST(CliRenderOptions, OptionsNotGivenKeepTheFileSettings) {
    const RenderOptions o = Good(ParseRenderOptions({"--output", "chart.png"}, FileSettings(), 2031));
    EXPECT_EQ(o.output, "chart.png");
    EXPECT_EQ(o.format, ImageFormat::Png);
    EXPECT_EQ(o.year, 2031);
    EXPECT_EQ(o.width, 1280);
    EXPECT_EQ(o.height, 960);
    EXPECT_FALSE(o.print);
    EXPECT_EQ(o.settings, FileSettings());
}

TEST(CliRenderOptions, EveryOptionLandsInItsField) {
    const RenderOptions o = Good(ParseRenderOptions(
        {"--output", "out/A.PDF", "--year", "-5", "--mode", "twilight", "--size", "800x600",
         "--lat", "-33.5", "--lon", "151", "--tz", "-9.5", "--summer-time", "off", "--moon", "off",
         "--grid", "on", "--day-line", "off", "--code", "diameter", "--print"},
        FileSettings(), 2031));
    EXPECT_EQ(o.format, ImageFormat::Pdf);
    EXPECT_EQ(o.year, -5);
    EXPECT_EQ(o.settings.displayMode, DisplayMode::Twilight);
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 600);
    EXPECT_DOUBLE_EQ(o.settings.latitude, -33.5 * degToRad);
    EXPECT_DOUBLE_EQ(o.settings.longitude, 151 * degToRad);
    EXPECT_EQ(o.settings.timeZoneHours, -9.5);
    EXPECT_EQ(o.settings.summerTime, 0);
    EXPECT_EQ(o.settings.showMoon, 0);
    EXPECT_EQ(o.settings.showGrid, 1);
    EXPECT_EQ(o.settings.showDayLine, 0);
    EXPECT_EQ(o.settings.codeByDiameter, 1);
    EXPECT_EQ(o.settings.codeByBrightness, 0);
    EXPECT_TRUE(o.print);
    EXPECT_EQ(o.settings.windowWidth, 777);  // untouched by the command line
}

TEST(CliRenderOptions, EqualsFormsLimitsAndLastOneWins) {
    const RenderOptions o = Good(ParseRenderOptions(
        {"--output=x.Svg", "--size=1X16384", "--lat", "90", "--lon", "-180", "--tz", "24",
         "--year", "999999", "--mode", "sun", "--mode", "normal", "--code", "both"},
        ChartSettings{}, 2000));
    EXPECT_EQ(o.format, ImageFormat::Svg);
    EXPECT_EQ(o.width, 1);
    EXPECT_EQ(o.height, 16384);
    EXPECT_DOUBLE_EQ(o.settings.latitude, 90 * degToRad);
    EXPECT_DOUBLE_EQ(o.settings.longitude, -180 * degToRad);
    EXPECT_EQ(o.settings.timeZoneHours, 24.0);
    EXPECT_EQ(o.year, 999999);
    EXPECT_EQ(o.settings.displayMode, DisplayMode::Normal);
    EXPECT_EQ(o.settings.codeByDiameter, 1);
    EXPECT_EQ(o.settings.codeByBrightness, 1);
    EXPECT_EQ(Good(ParseRenderOptions({"--output", "a.png", "--year", "-999999", "--code", "none"},
                                      FileSettings(), 0))
                  .settings.codeByBrightness,
              0);
}

struct RenderOutputCase {
    Args args;
    std::string output;
    ImageFormat format;
};

class CliRenderOutput : public ::testing::TestWithParam<RenderOutputCase> {};

// Standard output needs --format; a file takes its extension's format or --format's.
TEST_P(CliRenderOutput, NameAndFormat) {
    const RenderOptions o = Good(ParseRenderOptions(GetParam().args, ChartSettings{}, 2000));
    EXPECT_EQ(o.output, GetParam().output);
    EXPECT_EQ(o.format, GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliRenderOutput,
    ::testing::Values(RenderOutputCase{{"--output", "-", "--format", "png"}, "-", ImageFormat::Png},
                      RenderOutputCase{{"--format=svg", "--output=-"}, "-", ImageFormat::Svg},
                      RenderOutputCase{{"--output", "-", "--format", "pdf"}, "-", ImageFormat::Pdf},
                      RenderOutputCase{{"--output", "a.PDF", "--format", "pdf"}, "a.PDF", ImageFormat::Pdf},
                      RenderOutputCase{{"--output", "chart", "--format", "svg"}, "chart", ImageFormat::Svg},
                      RenderOutputCase{{"--output", "./-", "--format", "png"}, "./-", ImageFormat::Png}),
    [](const ::testing::TestParamInfo<RenderOutputCase>& info) { return test::NameOfArguments(info.param.args); });

struct PaperCase {
    Args args;
    int windowWidth;  // of the settings file: the default orientation follows its shape
    int windowHeight;
    PaperPage expected;
};

class CliRenderPaper : public ::testing::TestWithParam<PaperCase> {};

TEST_P(CliRenderPaper, SheetDpiAndOrientation) {
    const PaperCase& c = GetParam();
    ChartSettings file = FileSettings();
    file.windowWidth = c.windowWidth;
    file.windowHeight = c.windowHeight;
    Args args{"--output", "sheet.pdf", "--print"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const RenderOptions o = Good(ParseRenderOptions(args, file, 2026));
    ASSERT_TRUE(o.paper.has_value());
    EXPECT_EQ(*o.paper, c.expected);
    EXPECT_TRUE(o.print);
    EXPECT_EQ(o.settings, file);  // the window size only chooses the orientation
}

INSTANTIATE_TEST_SUITE_P(
    Render, CliRenderPaper,
    ::testing::Values(
        // The defaults: 300 dpi, and the orientation of the window's printer.
        PaperCase{{"--paper", "A4"}, 1212, 800, {Paper::A4, 300, true}},
        PaperCase{{"--paper", "A4"}, 800, 1212, {Paper::A4, 300, false}},
        PaperCase{{"--paper", "A3"}, 900, 900, {Paper::A3, 300, false}},
        PaperCase{{"--paper=Letter", "--dpi=72", "--orientation=portrait"}, 1212, 800,
                  {Paper::Letter, 72, false}},
        PaperCase{{"--orientation", "landscape", "--dpi", "1200", "--paper", "A3"}, 800, 1212,
                  {Paper::A3, 1200, true}},
        PaperCase{{"--paper", "A3", "--paper", "A4"}, 1212, 800, {Paper::A4, 300, true}}),
    [](const ::testing::TestParamInfo<PaperCase>& info) {
        // The window's shape picks the default orientation: part of the case.
        return test::NameOfArguments(info.param.args) + "_window" + std::to_string(info.param.windowWidth) + "x" +
               std::to_string(info.param.windowHeight);
    });

TEST(CliRenderOptions, WithoutPaperTheSizeRules) {
    const RenderOptions o = Good(ParseRenderOptions({"--output", "a.png", "--print"}, FileSettings(), 2026));
    EXPECT_FALSE(o.paper.has_value());
    EXPECT_EQ(o.width, 1280);
    EXPECT_EQ(o.height, 960);
}

TEST(CliPositionsOptions, DateAndTimeGiveTheJulianDay) {
    EXPECT_EQ(Good(ParsePositionsOptions({"--jd", "2451545"})).jd, 2451545.0);
    EXPECT_EQ(Good(ParsePositionsOptions({"--date", "2000-01-01", "--time", "12:00"})).jd, 2451545.0);
    // 1582-10-04 is the last Julian day, 1582-10-15 the first Gregorian one.
    EXPECT_EQ(Good(ParsePositionsOptions({"--date", "1582-10-04"})).jd, 2299159.5);
    EXPECT_EQ(Good(ParsePositionsOptions({"--date", "1582-10-15"})).jd, 2299160.5);
    EXPECT_EQ(Good(ParsePositionsOptions({"--time", "06:30:36", "--date", "2000-01-01"})).jd,
              JulianDayFromDate(1, 1, 2000, 6 + 30 / 60.0 + 36 / 3600.0));
    EXPECT_EQ(Good(ParsePositionsOptions({"--date", "-0044-03-15"})).jd, JulianDayFromDate(15, 3, -44));
    EXPECT_EQ(Good(ParsePositionsOptions({"--date", "2024-02-29", "--json"})).jd,
              JulianDayFromDate(29, 2, 2024));
    EXPECT_EQ(Good(ParsePositionsOptions({"--date", "1500-02-29"})).jd, JulianDayFromDate(29, 2, 1500));
}

// --json, --format and --output of the three almanac commands.
struct OutputCase {
    std::vector<std::string> args;
    OutputFormat format;
    std::string file;
};

class CliOutputOptions : public ::testing::TestWithParam<OutputCase> {};

TEST_P(CliOutputOptions, EveryCommandTakesTheSameOutputOptions) {
    const OutputCase& c = GetParam();
    std::vector<std::string> positions = {"--jd", "2451545"};
    positions.insert(positions.end(), c.args.begin(), c.args.end());
    const std::vector<OutputTarget> targets = {
        Good(ParsePositionsOptions(positions)).output,
        Good(ParsePhasesOptions(c.args, 2026)).output,
        Good(ParseDaylightOptions(c.args, FileSettings(), 2026)).output};
    for (const OutputTarget& target : targets) {
        EXPECT_EQ(target.format, c.format);
        EXPECT_EQ(target.file, c.file);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliOutputOptions,
    ::testing::Values(OutputCase{{}, OutputFormat::Text, ""},
                      OutputCase{{"--json"}, OutputFormat::Json, ""},
                      OutputCase{{"--format", "json", "--json"}, OutputFormat::Json, ""},
                      OutputCase{{"--format=csv"}, OutputFormat::Csv, ""},
                      OutputCase{{"--format", "text", "--output", "a b.txt"}, OutputFormat::Text, "a b.txt"},
                      OutputCase{{"--output=-", "--format", "csv"}, OutputFormat::Csv, "-"}),
    [](const ::testing::TestParamInfo<OutputCase>& info) { return test::NameOfArguments(info.param.args); });

TEST(CliOutputOptions, CalendarFilesOnlyFromPhases) {
    EXPECT_EQ(Good(ParsePhasesOptions({"--format", "ics"}, 2026)).output.format, OutputFormat::Ics);
}

TEST(CliPhasesAndDaylightOptions, YearDefaultsAndObserverDegrees) {
    EXPECT_EQ(Good(ParsePhasesOptions({}, 2026)).year, 2026);
    EXPECT_EQ(Good(ParsePhasesOptions({"--year", "1899", "--json"}, 2026)).year, 1899);

    const DaylightOptions fromFile = Good(ParseDaylightOptions({}, FileSettings(), 2026));
    EXPECT_EQ(fromFile.year, 2026);
    EXPECT_NEAR(fromFile.latitudeDegrees, 48.5, 1e-12);
    EXPECT_NEAR(fromFile.longitudeDegrees, 9.8, 1e-12);
    EXPECT_EQ(fromFile.settings.timeZoneHours, 2.0);
    EXPECT_EQ(fromFile.settings.summerTime, 1);

    const DaylightOptions given = Good(ParseDaylightOptions(
        {"--lat", "-89.9", "--lon", "0.1", "--tz", "0", "--summer-time", "off", "--year", "1"},
        FileSettings(), 2026));
    EXPECT_EQ(given.latitudeDegrees, -89.9);  // printed exactly as given
    EXPECT_EQ(given.longitudeDegrees, 0.1);
    EXPECT_DOUBLE_EQ(given.settings.latitude, -89.9 * degToRad);
    EXPECT_EQ(given.settings.timeZoneHours, 0.0);
    EXPECT_EQ(given.settings.summerTime, 0);
    EXPECT_EQ(given.year, 1);
}

enum class Command { Render, Positions, Phases, Daylight };

struct BadCase {
    Command command;
    Args args;
    const char* fragment;  // part of the expected message
};

std::string ParseError(const BadCase& c) {
    auto error = [](const auto& result) {
        return result.error();
    };
    switch (c.command) {
        case Command::Render: return error(ParseRenderOptions(c.args, ChartSettings{}, 2000));
        case Command::Positions: return error(ParsePositionsOptions(c.args));
        case Command::Phases: return error(ParsePhasesOptions(c.args, 2000));
        case Command::Daylight: return error(ParseDaylightOptions(c.args, ChartSettings{}, 2000));
    }
    return {};
}

class CliBadOptions : public ::testing::TestWithParam<BadCase> {};

std::string BadCaseName(const ::testing::TestParamInfo<BadCase>& info) {
    static constexpr const char* kCommands[] = {"Render", "Positions", "Phases", "Daylight"};
    // The same words may fail for two reasons in two commands' cases: the message's part says which.
    return std::string(kCommands[static_cast<int>(info.param.command)]) + "_" + test::NameOfArguments(info.param.args) +
           "_" + test::IdentifierOf(std::string_view(info.param.fragment).substr(0, 40));
}

TEST_P(CliBadOptions, GiveOneLineNamingTheProblem) {
    const std::string error = ParseError(GetParam());
    ASSERT_FALSE(error.empty()) << "accepted";
    EXPECT_NE(error.find(GetParam().fragment), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
}

const Args Out{"--output", "a.png"};
Args With(Args extra) {
    Args args = Out;
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

INSTANTIATE_TEST_SUITE_P(
    Render, CliBadOptions,
    ::testing::Values(
        BadCase{Command::Render, {}, "--output is required"},
        BadCase{Command::Render, {"--output", "a.jpg"}, ".png, .svg or .pdf"},
        BadCase{Command::Render, {"--output", "png"}, ".png, .svg or .pdf"},
        BadCase{Command::Render, {"--output", "dir.png/chart"}, ".png, .svg or .pdf"},
        BadCase{Command::Render, {"--output", ""}, "needs a file name"},
        BadCase{Command::Render, {"--output"}, "--output needs a value"},
        BadCase{Command::Render, With({"--lat", "90.0001"}), "latitude out of range"},
        BadCase{Command::Render, With({"--lat", "-91"}), "latitude out of range"},
        BadCase{Command::Render, With({"--lat", "nan"}), "not a number"},
        BadCase{Command::Render, With({"--lat", "-inf"}), "not a number"},
        // Numbers too large for a double are out of range, however they are written.
        BadCase{Command::Render, With({"--lat", "1e999"}), "latitude out of range"},
        BadCase{Command::Render, With({"--lat", std::string(400, '9')}), "latitude out of range"},
        BadCase{Command::Render, With({"--lat", "-1.5e400"}), "latitude out of range"},
        BadCase{Command::Render, With({"--lat", "1e"}), "not a number"},
        BadCase{Command::Render, With({"--lat", ".e5"}), "not a number"},
        BadCase{Command::Render, With({"--lat", "52,5"}), "not a number"},
        // Options take decimals only, as the prompts do.
        BadCase{Command::Render, With({"--lat", "0x10"}), "not a number"},
        BadCase{Command::Render, With({"--tz", "0x1p1"}), "not a number"},
        BadCase{Command::Phases, {"--year", "0x10"}, "not a whole number"},
        BadCase{Command::Render, With({"--lat", " 52"}), "not a number"},
        BadCase{Command::Render, With({"--lat", ""}), "not a number"},
        BadCase{Command::Render, With({"--lon", "180.5"}), "longitude out of range"},
        BadCase{Command::Render, With({"--tz", "24.01"}), "time zone out of range"},
        BadCase{Command::Render, With({"--tz", "-25"}), "time zone out of range"},
        BadCase{Command::Render, With({"--year", "1000000"}), "year out of range"},
        BadCase{Command::Render, With({"--year", "-1000000"}), "year out of range"},
        BadCase{Command::Render, With({"--year", "99999999999999"}), "year out of range"},
        BadCase{Command::Render, With({"--year", "-12345678901234567890123"}), "year out of range"},
        BadCase{Command::Render, With({"--year", "+-5"}), "not a whole number"},
        BadCase{Command::Render, With({"--year", "2024.5"}), "not a whole number"},
        BadCase{Command::Render, With({"--year", "twenty"}), "not a whole number"},
        BadCase{Command::Render, With({"--size", "0x10"}), "WxH"},
        BadCase{Command::Render, With({"--size", "16385x10"}), "WxH"},
        BadCase{Command::Render, With({"--size", "10"}), "WxH"},
        BadCase{Command::Render, With({"--size", "10x"}), "WxH"},
        BadCase{Command::Render, With({"--size", "-5x10"}), "WxH"},
        BadCase{Command::Render, With({"--size", "10x10x10"}), "WxH"},
        BadCase{Command::Render, With({"--size", "1e3x10"}), "WxH"},
        BadCase{Command::Render, With({"--mode", "Normal"}), "--mode"},
        BadCase{Command::Render, With({"--code", "all"}), "--code"},
        BadCase{Command::Render, With({"--moon", "yes"}), "on or off"},
        BadCase{Command::Render, With({"--summer-time", "1"}), "on or off"},
        BadCase{Command::Render, With({"--colour", "red"}), "unknown option '--colour'"},
        BadCase{Command::Render, With({"--json"}), "unknown option '--json'"},
        BadCase{Command::Render, With({"--print=yes"}), "takes no value"},
        BadCase{Command::Render, With({"stray"}), "unexpected argument 'stray'"},
        BadCase{Command::Render, With({"-x"}), "unexpected argument '-x'"},
        BadCase{Command::Render, With({"--lat", "1\n2"}), "not a number: '1\\n2'"},
        BadCase{Command::Render, With({"--mode", "\x1b[2J"}), "'\\x1b[2J'"},
        // A huge word is echoed in part, with its length.
        BadCase{Command::Render, With({"--mode", std::string(100000, 'x')}), "... (100000 bytes)"},
        BadCase{Command::Render, {"--output", "-"}, "--output - needs --format"},
        BadCase{Command::Render, {"--output", "a.png", "--format", "pdf"}, "does not match"},
        BadCase{Command::Render, {"--output", "a.png", "--format", "PNG"}, "expected png, svg or pdf"},
        BadCase{Command::Render, {"--output", "-", "--format", "jpg"}, "expected png, svg or pdf"},
        BadCase{Command::Render, With({"--paper", "A4"}), "--paper needs --print"},
        BadCase{Command::Render, With({"--print", "--paper", "A4", "--size", "800x600"}),
                "either --size or --paper"},
        BadCase{Command::Render, With({"--print", "--paper", "a4"}), "A4, A3 or Letter"},
        BadCase{Command::Render, With({"--print", "--paper", "A5"}), "A4, A3 or Letter"},
        BadCase{Command::Render, With({"--print", "--paper", ""}), "A4, A3 or Letter"},
        BadCase{Command::Render, With({"--print", "--paper", "A4", "--dpi", "71"}), "72..1200"},
        BadCase{Command::Render, With({"--print", "--paper", "A4", "--dpi", "1201"}), "72..1200"},
        BadCase{Command::Render, With({"--print", "--paper", "A4", "--dpi", "300.5"}), "72..1200"},
        BadCase{Command::Render, With({"--print", "--paper", "A4", "--dpi", "3e2"}), "72..1200"},
        BadCase{Command::Render, With({"--print", "--paper", "A4", "--dpi"}), "--dpi needs a value"},
        BadCase{Command::Render, With({"--print", "--dpi", "300"}), "need --paper"},
        BadCase{Command::Render, With({"--orientation", "portrait"}), "need --paper"},
        BadCase{Command::Render, With({"--print", "--paper", "A4", "--orientation", "upright"}),
                "portrait or landscape"}),
    BadCaseName);

INSTANTIATE_TEST_SUITE_P(
    Almanac, CliBadOptions,
    ::testing::Values(
        BadCase{Command::Positions, {}, "--jd or --date is required"},
        BadCase{Command::Positions, {"--jd", "2451545", "--date", "2000-01-01"}, "not both"},
        BadCase{Command::Positions, {"--time", "12:00"}, "--time needs --date"},
        BadCase{Command::Positions, {"--jd", "nan"}, "not a number"},
        BadCase{Command::Positions, {"--jd", "1e12"}, "Julian Day out of range"},
        BadCase{Command::Positions, {"--jd", std::string(400, '4')}, "Julian Day out of range"},
        BadCase{Command::Positions, {"--date", "12345678901234567890123-01-01"}, "year out of range"},
        BadCase{Command::Positions, {"--jd", "-1e12"}, "Julian Day out of range"},
        BadCase{Command::Positions, {"--date", "2023-02-29"}, "no such day"},
        BadCase{Command::Positions, {"--date", "1900-02-29"}, "no such day"},
        BadCase{Command::Positions, {"--date", "2024-13-01"}, "no such day"},
        BadCase{Command::Positions, {"--date", "2024-00-10"}, "no such day"},
        BadCase{Command::Positions, {"--date", "2024-04-31"}, "no such day"},
        BadCase{Command::Positions, {"--date", "2024-1-01"}, "YYYY-MM-DD"},
        BadCase{Command::Positions, {"--date", "24-01-01"}, "YYYY-MM-DD"},
        BadCase{Command::Positions, {"--date", "2024/01/01"}, "YYYY-MM-DD"},
        BadCase{Command::Positions, {"--date", "2024-01-01T00"}, "YYYY-MM-DD"},
        BadCase{Command::Positions, {"--date", "1000000-01-01"}, "year out of range"},
        BadCase{Command::Positions, {"--date", "2024-01-01", "--time", "24:00"}, "no such time"},
        BadCase{Command::Positions, {"--date", "2024-01-01", "--time", "12:60"}, "no such time"},
        BadCase{Command::Positions, {"--date", "2024-01-01", "--time", "12"}, "HH:MM"},
        BadCase{Command::Positions, {"--date", "2024-01-01", "--time", "1:00"}, "HH:MM"},
        BadCase{Command::Positions, {"--date", "2024-01-01", "--time", "12:00:00:00"}, "HH:MM"},
        BadCase{Command::Positions, {"--jd", "2451545", "--year", "2000"}, "unknown option"},
        BadCase{Command::Phases, {"--year"}, "--year needs a value"},
        BadCase{Command::Phases, {"--year", "1e3"}, "not a whole number"},
        BadCase{Command::Phases, {"--lat", "5"}, "unknown option '--lat'"},
        BadCase{Command::Phases, {"--json=1"}, "takes no value"},
        BadCase{Command::Phases, {"--format", "xml"}, "expected json, csv, ics or text, not 'xml'"},
        BadCase{Command::Phases, {"--format", "ICS"}, "expected json, csv, ics or text"},
        BadCase{Command::Phases, {"--format", "csv", "--json"}, "give one output format"},
        BadCase{Command::Phases, {"--format", "csv", "--format", "ics"}, "give one output format"},
        BadCase{Command::Phases, {"--output", ""}, "--output needs a file name"},
        BadCase{Command::Phases, {"--output"}, "--output needs a value"},
        BadCase{Command::Positions, {"--jd", "0", "--format", "ics"}, "--format ics"},
        BadCase{Command::Daylight, {"--format", "ics"}, "--format ics"},
        BadCase{Command::Daylight, {"--format", "ics", "--events", "sun"}, "unknown option '--events'"},
        BadCase{Command::Daylight, {"--lat", "100"}, "latitude out of range"},
        BadCase{Command::Daylight, {"--lon", "inf"}, "not a number"},
        BadCase{Command::Daylight, {"--summer-time", "on", "--code", "both"}, "unknown option '--code'"},
        BadCase{Command::Daylight, {"--year", "-1000000"}, "year out of range"}),
    BadCaseName);

}  // namespace
}  // namespace velmarin
