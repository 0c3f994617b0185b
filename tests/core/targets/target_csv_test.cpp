// The targets CSV reader: what a list from a planetarium program or a
// spreadsheet looks like, and every kind of bad line with its message.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/targets/sexagesimal.h"
#include "core/targets/target_csv.h"

namespace velmarin {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;
constexpr double kHour = 3.14159265358979323846 / 12.0;

struct AngleCase {
    const char* text;
    std::optional<double> value;
};

TEST(Sexagesimal, ReadsDecimalAndColonForms) {
    const AngleCase cases[] = {
        {"10.6847", 10.6847},
        {"0:42:44.3", 0.0 + 42.0 / 60.0 + 44.3 / 3600.0},
        {"+41:16:09", 41.0 + 16.0 / 60.0 + 9.0 / 3600.0},
        {"-0:30", -0.5},             // the sign of a zero degree field still counts
        {"-5:23:28", -(5.0 + 23.0 / 60.0 + 28.0 / 3600.0)},
        {" 12:30 ", 12.5},
        {"7", 7.0},
        {".5", 0.5},
        {"1:60", std::nullopt},      // minutes 0..59
        {"1:30:60", std::nullopt},   // seconds below 60
        {"1.5:30", std::nullopt},    // only the last field has a fraction
        {"1:2:3:4", std::nullopt},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"12h30m", std::nullopt},
        {"1e3", std::nullopt},
        {"nan", std::nullopt},
        {"--1", std::nullopt},
        {"1::2", std::nullopt},
    };
    for (const AngleCase& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<double> got = ParseSexagesimal(c.text);
        ASSERT_EQ(got.has_value(), c.value.has_value());
        if (got) {
            EXPECT_NEAR(*got, *c.value, 1e-12);
        }
    }
}

TEST(TargetsCsv, ReadsQuotedNamesAnyColumnOrderAndOptionalColumns) {
    const std::string text =
        "\xEF\xBB\xBF"
        "kind,Dec,comment,NAME,ra,magnitude\r\n"
        "galaxy,+41:16:09,\"a, b\",\"Andromeda, M31\",0:42:44.3,3.4\r\n"
        "\r\n"
        "star,38.78369,,\"Vega \"\"alpha Lyr\"\"\",18.615649,\r\n"
        ",-90,\"two\nlines\",Südpol,23.99,\r\n";
    auto read = ReadTargetsCsv(text, "list.csv");
    ASSERT_TRUE(read) << read.error();
    const auto& targets = *read;
    ASSERT_EQ(targets.size(), 3u);
    EXPECT_EQ(targets[0].name, "Andromeda, M31");
    EXPECT_NEAR(targets[0].ra, (42.0 / 60.0 + 44.3 / 3600.0) * kHour, 1e-12);
    EXPECT_NEAR(targets[0].dec, (41.0 + 16.0 / 60.0 + 9.0 / 3600.0) * kDeg, 1e-12);
    ASSERT_TRUE(targets[0].magnitude);
    EXPECT_DOUBLE_EQ(*targets[0].magnitude, 3.4);
    EXPECT_EQ(targets[0].kind, "galaxy");
    EXPECT_EQ(targets[1].name, "Vega \"alpha Lyr\"");
    EXPECT_FALSE(targets[1].magnitude);
    EXPECT_EQ(targets[2].name, "Südpol");
    EXPECT_NEAR(targets[2].dec, -90.0 * kDeg, 1e-15);
    EXPECT_TRUE(targets[2].kind.empty());
}

struct BadCase {
    const char* text;
    const char* message;
};

// One message naming the file and the line where the record starts.
TEST(TargetsCsv, BadLinesNameFileAndLine) {
    const BadCase cases[] = {
        {"", "t.csv:1: no header line (name,ra,dec)"},
        {"name,ra\nA,1\n", "t.csv:1: header must name the columns name, ra and dec"},
        {"name,ra,dec,ra\n", "t.csv:1: column 'ra' twice in the header"},
        {"name,ra,dec\nA,1,2\nB,1\n", "t.csv:3: expected 3 fields, found 2"},
        {"name,ra,dec\nA,1,2,3\n", "t.csv:2: expected 3 fields, found 4"},
        {"name,ra,dec\n\n\nA,24,0\n", "t.csv:4: ra: outside 0 to 24 h"},
        {"name,ra,dec\nA,24:00:00,0\n", "t.csv:2: ra: outside 0 to 24 h"},
        {"name,ra,dec\nA,-0:00:01,0\n", "t.csv:2: ra: outside 0 to 24 h"},
        {"name,ra,dec\nA,1,90.0001\n", "t.csv:2: dec: beyond +-90 degrees"},
        {"name,ra,dec\nA,1,-91:00\n", "t.csv:2: dec: beyond +-90 degrees"},
        {"name,ra,dec\nA,1h,0\n", "t.csv:2: ra: not a number of hours: '1h'"},
        {"name,ra,dec\nA,1,x\n", "t.csv:2: dec: not a number of degrees: 'x'"},
        {"name,ra,dec\n ,1,2\n", "t.csv:2: empty name"},
        {"name,ra,dec,magnitude\nA,1,2,bright\n", "t.csv:2: magnitude: not a number: 'bright'"},
        {"name,ra,dec\n\"A,1,2\nB,3,4\n", "t.csv:2: quoted field not closed"},
        {"name,ra,dec\n\"A\nB\",1,2\nC,1,1:60\n", "t.csv:4: dec: not a number of degrees: '1:60'"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.text);
        auto read = ReadTargetsCsv(c.text, "t.csv");
        ASSERT_FALSE(read);
        EXPECT_EQ(read.error(), c.message);
    }
}

}  // namespace
}  // namespace velmarin
