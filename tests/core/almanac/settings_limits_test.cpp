#include "core/almanac/settings_limits.h"

#include <gtest/gtest.h>

#include <string>

namespace velmarin {
namespace {

struct LimitCase {
    const char* name;
    double latitudeDegrees;  // as the file holds it; converted as the file reader does
    double longitudeDegrees;
    double timeZoneHours;
    const char* fragment;  // expected part of the error, nullptr: accepted
};

class SettingsLimits : public ::testing::TestWithParam<LimitCase> {};

// The file's values are held to the command line's limits, with the file's
// exact edges (90, 180, 24) still accepted after the degree conversion.
TEST_P(SettingsLimits, FileValuesMeetTheCommandLineLimits) {
    const LimitCase& c = GetParam();
    ChartSettings used;
    used.latitude = c.latitudeDegrees * degToRad;
    used.longitude = c.longitudeDegrees * degToRad;
    used.timeZoneHours = c.timeZoneHours;
    const auto error = SettingsFileValueOutOfRange("daylight", used, "/home/u/.config/Velmarin.ini");
    if (c.fragment == nullptr) {
        EXPECT_FALSE(error) << *error;
        return;
    }
    ASSERT_TRUE(error);
    EXPECT_NE(error->find(c.fragment), std::string::npos) << *error;
    EXPECT_EQ(error->rfind("daylight: ", 0), 0u) << *error;
    EXPECT_NE(error->find("'/home/u/.config/Velmarin.ini'"), std::string::npos) << *error;
    EXPECT_EQ(error->find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsLimits,
    ::testing::Values(
        LimitCase{"Defaults", 52.0, 9.8, 1.0, nullptr},
        LimitCase{"Edges", 90.0, -180.0, -24.0, nullptr},
        LimitCase{"OtherEdges", -90.0, 180.0, 24.0, nullptr},
        LimitCase{"HugeLatitude", 1e308, 9.8, 1.0, "latitude 1e+308 in the settings file"},
        LimitCase{"JustOverNorth", 90.000001, 9.8, 1.0, "out of range (-90..90); give --lat"},
        LimitCase{"LongitudeWest", 52.0, -180.5, 1.0, "longitude -180.5 in the settings file"},
        LimitCase{"LongitudeOverride", 52.0, 400.0, 1.0, "give --lon to override it"},
        LimitCase{"TimeZone", 52.0, 9.8, 25.0, "time zone 25 in the settings file"},
        LimitCase{"TimeZoneOverride", 52.0, 9.8, -1e300, "(-24..24); give --tz"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmarin
