// The zone database through Qt against Python's zoneinfo reading the same
// tzdata: every day's offset at local noon, and the abbreviations.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/ephemeris/civil_offsets.h"
#include "core/ephemeris/time_calendar.h"
#include "core/test_names.h"
#include "qt/zones/qt_zone_database.h"

namespace velmarin {
namespace {

// Offsets (seconds) at local noon of every day of the year, from python3's zoneinfo.
std::vector<int> PythonNoonOffsets(const std::string& zone, int year) {
    const std::string command =
        "python3 -c \"import sys, datetime as d, zoneinfo as z\n"
        "zi = z.ZoneInfo(sys.argv[1]); y = int(sys.argv[2]); day = d.date(y, 1, 1)\n"
        "while day.year == y:\n"
        "    print(int(d.datetime(y, day.month, day.day, 12, tzinfo=zi).utcoffset().total_seconds()))\n"
        "    day += d.timedelta(1)\" " + zone + " " + std::to_string(year);
    std::vector<int> offsets;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return offsets;
    int value = 0;
    while (std::fscanf(pipe, "%d", &value) == 1) offsets.push_back(value);
    ::pclose(pipe);
    return offsets;
}

struct ZoneYear {
    const char* zone;
    int year;
};

class QtZoneDatabaseNoon : public ::testing::TestWithParam<ZoneYear> {};

TEST_P(QtZoneDatabaseNoon, EveryDayMatchesZoneinfo) {
    const ZoneYear& c = GetParam();
    const QtZoneDatabase zones;
    ASSERT_TRUE(zones.HasZone(c.zone));
    const std::vector<int> expected = PythonNoonOffsets(c.zone, c.year);
    ASSERT_GE(expected.size(), 365u) << "python3 zoneinfo gave no table";
    const std::optional<YearOffsets> offsets = ZoneOffsets(c.year, c.zone, zones);
    ASSERT_TRUE(offsets);
    ASSERT_EQ(offsets->days.size(), expected.size());
    int changes = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(offsets->days[i].hours, expected[i] / 3600.0) << c.zone << " day " << i;
        ASSERT_EQ(offsets->days[i].days, expected[i] / 86400.0) << c.zone << " day " << i;
        if (i > 0 && expected[i] != expected[i - 1]) ++changes;
    }
    // The JD index is the calendar's: day i starts at 1 January + i.
    EXPECT_EQ(offsets->firstJd, JulianDayFromDate(1, 1, c.year));
    ::testing::Test::RecordProperty("changes", changes);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, QtZoneDatabaseNoon,
    ::testing::Values(ZoneYear{"Australia/Sydney", 2024}, ZoneYear{"Australia/Sydney", 2026},
                      ZoneYear{"Australia/Sydney", 1942},  // war-time summer time
                      ZoneYear{"America/New_York", 2026}, ZoneYear{"America/New_York", 2006},  // old US rule
                      ZoneYear{"Asia/Kolkata", 2026}, ZoneYear{"Asia/Kolkata", 1942},
                      ZoneYear{"Asia/Kathmandu", 2026}, ZoneYear{"Asia/Kathmandu", 1986},  // +5:30 to +5:45
                      ZoneYear{"Europe/London", 2026}, ZoneYear{"Europe/London", 1970},  // BST all year
                      ZoneYear{"Pacific/Chatham", 2026}, ZoneYear{"Pacific/Chatham", 2060}),  // rule only
    [](const auto& info) {
        std::string name = std::string(info.param.zone) + "_" + std::to_string(info.param.year);
        for (char& ch : name)
            if (ch == '/') ch = '_';
        return name;
    });

struct AbbreviationCase {
    const char* zone;
    const char* abbreviations;  // python3 zoneinfo tzname(), standard time first
};
class QtZoneDatabaseAbbreviations : public ::testing::TestWithParam<AbbreviationCase> {};

TEST_P(QtZoneDatabaseAbbreviations, StandardTimeFirst) {
    EXPECT_EQ(QtZoneDatabase().Abbreviations(GetParam().zone, 2024), GetParam().abbreviations);
}

INSTANTIATE_TEST_SUITE_P(Zones, QtZoneDatabaseAbbreviations,
                         ::testing::Values(AbbreviationCase{"Australia/Sydney", "AEST/AEDT"},
                                           AbbreviationCase{"America/New_York", "EST/EDT"},
                                           AbbreviationCase{"Asia/Kolkata", "IST"},
                                           AbbreviationCase{"Asia/Kathmandu", "+0545"},
                                           AbbreviationCase{"Europe/London", "GMT/BST"},
                                           AbbreviationCase{"Pacific/Chatham", "+1245/+1345"}),
                         [](const ::testing::TestParamInfo<AbbreviationCase>& info) {
                             return test::IdentifierOf(info.param.zone);
                         });

TEST(QtZoneDatabase, UnknownAndMisshapenNamesAreNoZones) {
    const QtZoneDatabase zones;
    for (const char* name : {"Atlantis/Capital", "", "UTC+05:00", "/usr/share/zoneinfo/UTC", "Europe/../UTC"}) {
        EXPECT_FALSE(zones.HasZone(name)) << name;
        EXPECT_TRUE(zones.NoonOffsetSeconds(name, CivilDate{2024, 1, 1}, 366).empty()) << name;
        EXPECT_EQ(zones.Abbreviations(name, 2024), "") << name;
        EXPECT_FALSE(ZoneOffsets(2024, name, zones)) << name;
    }
}

TEST(QtZoneDatabase, AnyYearOfTheRangeGivesAFullTable) {
    const QtZoneDatabase zones;
    for (const int year : {-999999, -4712, 1582, 999999}) {
        const YearOffsets fixed = FixedZoneOffsets(year, 0, false);
        const std::optional<YearOffsets> offsets = ZoneOffsets(year, "Australia/Sydney", zones);
        ASSERT_TRUE(offsets) << year;
        EXPECT_EQ(offsets->days.size(), fixed.days.size()) << year;
    }
}

TEST(QtZoneDatabase, OffsetTexts) {
    EXPECT_EQ(UtcOffsetText(11 * 3600).toStdString(), "UTC+11:00");
    EXPECT_EQ(UtcOffsetText(-(3 * 3600 + 1800)).toStdString(), "UTC-03:30");
    EXPECT_EQ(UtcOffsetText(5 * 3600 + 45 * 60).toStdString(), "UTC+05:45");
    EXPECT_EQ(UtcOffsetText(0).toStdString(), "UTC+00:00");
}

}  // namespace
}  // namespace velmarin
