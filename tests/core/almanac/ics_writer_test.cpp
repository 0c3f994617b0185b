// The iCalendar writer's text rules. Whole files are read by python3-icalendar
// in tests/qt/cli/data_out_check.py; here the folding over every cut position.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/almanac/calendar_stamp.h"
#include "core/almanac/ics_writer.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

std::vector<std::string> PhysicalLines(const std::string& folded) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = folded.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(folded.substr(start, end - start));
    EXPECT_EQ(start, folded.size()) << "text after the last CR LF";
    return lines;
}

bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// Lines of every length up to 400 octets, of ASCII and of two-, three- and
// four-octet characters, with every phase of the character against the cut.
TEST(IcsFoldLine, FoldsAt75OctetsBetweenCharactersAndUnfoldsToTheLine) {
    const std::vector<std::string> pieces = {"a", "ö", "€", "𝄞"};
    for (const std::string& piece : pieces) {
        for (std::size_t lead = 0; lead < 4; ++lead) {
            for (std::size_t count = 0; count < 400 / piece.size(); count += 7) {
                std::string line = "SUMMARY:" + std::string(lead, 'x');
                for (std::size_t i = 0; i < count; ++i) line += piece;
                const std::vector<std::string> physical = PhysicalLines(IcsFoldLine(line));
                std::string unfolded;
                for (std::size_t i = 0; i < physical.size(); ++i) {
                    const std::string& p = physical[i];
                    ASSERT_LE(p.size(), 75u) << line;
                    if (i == 0) {
                        unfolded += p;
                        continue;
                    }
                    ASSERT_GE(p.size(), 2u);
                    ASSERT_EQ(p[0], ' ');
                    ASSERT_TRUE(StartsCharacter(p[1])) << "cut inside a character";
                    unfolded += p.substr(1);
                }
                EXPECT_EQ(unfolded, line);
                // No more lines than needed: each full line but the last uses 72+ octets.
                EXPECT_LE(physical.size(), 1 + line.size() / 71);
            }
        }
    }
}

struct EscapeCase {
    const char* text;
    const char* escaped;
};

class IcsEscapeTextTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(IcsEscapeTextTest, EscapesWhatTextValuesMayNotHold) {
    EXPECT_EQ(IcsEscapeText(GetParam().text), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IcsEscapeTextTest,
    ::testing::Values(EscapeCase{"Vollmond", "Vollmond"},
                      EscapeCase{"mögl. Sonnenfinsternis", "mögl. Sonnenfinsternis"},
                      EscapeCase{"a,b;c\\d", "a\\,b\\;c\\\\d"},
                      EscapeCase{"eins\nzwei\r\ndrei\rvier", "eins\\nzwei\\ndrei\\nvier"},
                      EscapeCase{"tab\there:colon", "tab here:colon"}),
    [](const ::testing::TestParamInfo<EscapeCase>& info) { return test::SpelledOut(info.param.text); });

TEST(CalendarStamp, FromSourceDateEpochElseNow) {
    const std::int64_t now = 1765238400;  // 2025-12-09T00:00:00Z
    EXPECT_EQ(CalendarStamp(nullptr, now), "20251209T000000Z");
    EXPECT_EQ(CalendarStamp("", now), "20251209T000000Z");
    EXPECT_EQ(CalendarStamp("0", now), "19700101T000000Z");
    EXPECT_EQ(CalendarStamp("1700000000", now), "20231114T221320Z");
    EXPECT_EQ(CalendarStamp("253402300799", now), "99991231T235959Z");
    for (const char* bad : {"-1", "1e9", " 1", "17000000000000000000000", "253402300800", "12a"})
        EXPECT_EQ(CalendarStamp(bad, now), std::nullopt) << bad;
}

TEST(IcsText, EveryEventCarriesItsFieldsBetweenOneCalendarFrame) {
    IcsCalendar calendar{"Mondphasen 2026", "20251209T000000Z",
                         {{"a@x", "20260103T100330Z", "Vollmond", {}},
                          {"b@x", "20260303T113312Z", "mögl. Mondfinsternis", "Zeile 1\nZeile 2"}}};
    const std::vector<std::string> lines = PhysicalLines(IcsText(calendar));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.front(), "BEGIN:VCALENDAR");
    EXPECT_EQ(lines[1], "VERSION:2.0");
    EXPECT_EQ(lines[2], "PRODID:-//Tannwick//Velmarin//DE");
    EXPECT_EQ(lines.back(), "END:VCALENDAR");
    const std::string text = IcsText(calendar);
    EXPECT_NE(text.find("UID:b@x\r\nDTSTAMP:20251209T000000Z\r\nDTSTART:20260303T113312Z\r\n"
                        "SUMMARY:mögl. Mondfinsternis\r\nDESCRIPTION:Zeile 1\\nZeile 2\r\n"),
              std::string::npos);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "BEGIN:VEVENT"), 2);
}

}  // namespace
}  // namespace velmarin
