#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/settings_file.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

constexpr const char* kSpecLines = "0 0 3 1 0 1 1\r\n-33.868800 151.209300 10.0\r\n";

struct ExtensionCase {
    const char* name;
    std::string text;  // what follows the two plain lines
    // expected
    int width, height;
    std::string zone;
    int planets, moonlight;
    std::vector<std::string> others;
    std::string written;  // what a save writes after the two lines (size line included)
};

class SettingsExtensionLines : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(SettingsExtensionLines, ReadAndWrittenBack) {
    const ExtensionCase& c = GetParam();
    const ChartSettings s = ParseSettingsText(kSpecLines + c.text, ChartSettings{});
    EXPECT_EQ(s.displayMode, DisplayMode::Twilight);
    EXPECT_DOUBLE_EQ(s.timeZoneHours, 10.0);
    EXPECT_EQ(s.windowWidth, c.width);
    EXPECT_EQ(s.windowHeight, c.height);
    EXPECT_EQ(s.zone, c.zone);
    EXPECT_EQ(s.showPlanets, c.planets);
    EXPECT_EQ(s.showMoonlight, c.moonlight);
    EXPECT_EQ(s.otherExtensionLines, c.others);
    EXPECT_EQ(FormatSettingsText(s, true), kSpecLines + c.written);
    // What was written reads back to the same settings.
    EXPECT_EQ(ParseSettingsText(FormatSettingsText(s, true), ChartSettings{}), s);
    EXPECT_EQ(ParseSettingsText(FormatSettingsText(s, false), ChartSettings{}).zone, s.zone);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsExtensionLines,
    ::testing::Values(
        ExtensionCase{"SizeThenZone", "900 700\r\nzone Australia/Sydney\r\n", 900, 700, "Australia/Sydney", 0, 0, {},
                      "900 700\r\nzone Australia/Sydney\r\n"},
        // A letter at the start of line 3: an extension line, never the window size.
        ExtensionCase{"ZoneWithoutSize", "zone Asia/Kathmandu\r\n", 1212, 800, "Asia/Kathmandu", 0, 0, {},
                      "1212 800\r\nzone Asia/Kathmandu\r\n"},
        // LF endings and the known keywords in any order; written in the fixed order.
        ExtensionCase{"AnyOrderLf", "800 600\nmoonlight 1\nplanets 1\nzone America/New_York\n", 800, 600,
                      "America/New_York", 1, 1, {},
                      "800 600\r\nzone America/New_York\r\nplanets 1\r\nmoonlight 1\r\n"},
        // Unknown keywords stay, as they were, after the known ones.
        ExtensionCase{"UnknownKept", "800 600\r\ncolour  blue, green\r\nzone Europe/London\r\nX\r\n", 800, 600,
                      "Europe/London", 0, 0, {"colour  blue, green", "X"},
                      "800 600\r\nzone Europe/London\r\ncolour  blue, green\r\nX\r\n"},
        // Bad values count as the default; a new file's text has none of them
        // (a save of a file that was read keeps them: settings_update_test).
        ExtensionCase{"BadValues", "800 600\r\nzone ../../etc/passwd\r\nplanets 2\r\nmoonlight yes\r\n", 800, 600,
                      "", 0, 0, {}, "800 600\r\n"},
        ExtensionCase{"EmptyZone", "800 600\r\nzone\r\nzone \r\n", 800, 600, "", 0, 0, {}, "800 600\r\n"},
        // Lines that are neither size nor extension are not read.
        ExtensionCase{"NumbersAfterSize", "800 600\r\n5 5\r\n\r\nplanets 1\r\n", 800, 600, "", 1, 0, {},
                      "800 600\r\nplanets 1\r\n"},
        ExtensionCase{"EmptyLine3", "\r\nzone Pacific/Chatham\r\n", 1212, 800, "Pacific/Chatham", 0, 0, {},
                      "1212 800\r\nzone Pacific/Chatham\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsExtensionLinesText, UnusedExtensionsLeaveThePlainFile) {
    ChartSettings s;
    s.showPlanets = 0;
    s.showMoonlight = 0;
    EXPECT_EQ(FormatSettingsText(s, false), "0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\n");
    s.zone = "Asia/Kolkata";
    EXPECT_EQ(FormatSettingsText(s, false),
              "0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\nzone Asia/Kolkata\r\n");
}

struct ZoneNameCase {
    const char* text;
    bool shaped;
};
class ZoneNameShape : public ::testing::TestWithParam<ZoneNameCase> {};
TEST_P(ZoneNameShape, OnlyZoneDatabaseNames) {
    EXPECT_EQ(IsZoneNameShaped(GetParam().text), GetParam().shaped) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(Names, ZoneNameShape,
                         ::testing::Values(ZoneNameCase{"Australia/Sydney", true}, ZoneNameCase{"UTC", true},
                                           ZoneNameCase{"Etc/GMT+5", true},
                                           ZoneNameCase{"America/Argentina/Buenos_Aires", true},
                                           ZoneNameCase{"America/Port-au-Prince", true},
                                           ZoneNameCase{"", false}, ZoneNameCase{"/etc/localtime", false},
                                           ZoneNameCase{"../x", false}, ZoneNameCase{"Europe/", false},
                                           ZoneNameCase{"Europe//Berlin", false},
                                           ZoneNameCase{"Europe/Berlin ", false},
                                           ZoneNameCase{"Europe/Berlin\t", false}, ZoneNameCase{"9/x", false}),
                         [](const ::testing::TestParamInfo<ZoneNameCase>& info) {
                             return test::SpelledOut(info.param.text);
                         });

}  // namespace
}  // namespace velmarin
