#include "core/app/zone_table.h"
#include "core/test_names.h"

#include <gtest/gtest.h>

namespace velmarin {
namespace {

// Rows as the zone database writes them (tzdata's zone1970.tab).
constexpr const char* kTable =
    "# tzdb timezone descriptions\n"
    "#country-\n"
    "#codes\tcoordinates\tTZ\tcomments\n"
    "AU\t-3352+15113\tAustralia/Sydney\tNew South Wales (most areas)\n"
    "NP\t+2743+08519\tAsia/Kathmandu\n"
    "NZ\t-4357-17633\tPacific/Chatham\tChatham Islands\n"
    "US\t+404251-0740023\tAmerica/New_York\tEastern (most areas)\n"
    "AR\t-3436-05827\tAmerica/Argentina/Buenos_Aires\tBuenos Aires (BA, CF)\r\n"
    "XX\tnonsense\tBroken/Row\n"
    "XX\t+12+034\tShort/Row\n";

struct LookupCase {
    const char* typed;
    const char* zone;  // "" when nothing is found
    double latitude, longitude;
};
class ZoneTableLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ZoneTableLookup, ByCityOrZoneName) {
    const LookupCase& c = GetParam();
    const std::optional<ZonePlace> place = FindZonePlace(ParseZoneTable(kTable), c.typed);
    if (c.zone[0] == '\0') {
        EXPECT_FALSE(place) << c.typed;
        return;
    }
    ASSERT_TRUE(place) << c.typed;
    EXPECT_EQ(place->zone, c.zone);
    EXPECT_NEAR(place->latitude, c.latitude, 1e-9);
    EXPECT_NEAR(place->longitude, c.longitude, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ZoneTableLookup,
    ::testing::Values(LookupCase{"Sydney", "Australia/Sydney", -(33 + 52 / 60.0), 151 + 13 / 60.0},
                      LookupCase{"australia/SYDNEY", "Australia/Sydney", -(33 + 52 / 60.0), 151 + 13 / 60.0},
                      LookupCase{"  Kathmandu ", "Asia/Kathmandu", 27 + 43 / 60.0, 85 + 19 / 60.0},
                      LookupCase{"Chatham", "Pacific/Chatham", -(43 + 57 / 60.0), -(176 + 33 / 60.0)},
                      // Seconds in the coordinates; blanks for underscores.
                      LookupCase{"New York", "America/New_York", 40 + 42 / 60.0 + 51 / 3600.0,
                                 -(74 + 0 / 60.0 + 23 / 3600.0)},
                      LookupCase{"Buenos_Aires", "America/Argentina/Buenos_Aires", -(34 + 36 / 60.0),
                                 -(58 + 27 / 60.0)},
                      LookupCase{"Syd", "", 0, 0}, LookupCase{"Australia", "", 0, 0},
                      LookupCase{"Broken/Row", "", 0, 0}, LookupCase{"Short", "", 0, 0},
                      LookupCase{"", "", 0, 0}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return test::SpelledOut(info.param.typed); });

// The system's own table, when there is one, holds the cities the prompt promises.
TEST(ZoneTableSystem, HoldsTheMainCities) {
    const std::vector<ZonePlace> table = LoadZoneTable();
    if (table.empty()) GTEST_SKIP() << "no " << kZoneTablePath;
    EXPECT_GT(table.size(), 300u);
    for (const char* city : {"Sydney", "Kolkata", "Kathmandu", "London", "Chatham", "New York"})
        EXPECT_TRUE(FindZonePlace(table, city)) << city;
    EXPECT_TRUE(LoadZoneTable("/nonexistent/zone1970.tab").empty());
}

}  // namespace
}  // namespace velmarin
