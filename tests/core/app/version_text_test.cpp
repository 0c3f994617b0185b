// Version and build texts of the about box and the printed footer.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

#include "core/app/version_text.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

struct VersionCase {
    std::string fileVersion;
    std::string shown;
};

class VersionTextFormat : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionTextFormat, ShowsTrailingZerosOnlyWhereNeeded) {
    EXPECT_EQ(FormatVersionText(GetParam().fileVersion), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionTextFormat,
    ::testing::Values(
        VersionCase{"3.4.11.0", "3.4.11"}, VersionCase{"3.4.0.0", "3.4"},
        VersionCase{"3.4.11.2", "3.4.11.2"}, VersionCase{"2.0.0.3", "2.0.0.3"},
        VersionCase{"2.0.0.0", "2.0"},
        // Missing numbers count as 0 rather than repeating the last one.
        VersionCase{"1.8", "1.8"}, VersionCase{"1.8.3", "1.8.3"}, VersionCase{"7", "7.0"},
        VersionCase{"", "0.0"}, VersionCase{"abc", "0.0"},
        // An empty piece reads as 0; the numbers after it keep their places.
        VersionCase{"1..5", "1.0.5"}, VersionCase{"1.2.3.4.5", "1.2.3.4"},
        VersionCase{" 3. 4", "3.4"}, VersionCase{"-1.+2", "-1.2"},
        VersionCase{"1.2 beta.3", "1.2.3"},
        // atoi would overflow here; the number saturates instead.
        VersionCase{"99999999999999999999.1", "2147483647.1"},
        VersionCase{"-99999999999999999999.1", "-2147483648.1"},
        // The record held at most 99 characters and ends at a NUL.
        VersionCase{std::string(97, '0') + "1.5", "1.0"},
        VersionCase{std::string("1.2\0.7", 6), "1.2"}),
    [](const ::testing::TestParamInfo<VersionCase>& info) {
        return "Version_" + test::SpelledOut(info.param.fileVersion);
    });

TEST(VersionTextFuzz, AnyBytesGiveAWellFormedVersion) {
    const std::regex shape(R"(^-?\d+\.-?\d+(\.-?\d+(\.-?\d+)?)?$)");
    std::mt19937 random(20240501);
    const std::string alphabet = "0123456789.-+ \t\nx\xff";
    for (int round = 0; round < 5000; ++round) {
        std::string input(random() % 140, '\0');
        for (char& c : input) {
            c = (round % 2) ? static_cast<char>(random() % 256)
                            : alphabet[random() % alphabet.size()];
        }
        const std::string shown = FormatVersionText(input);
        ASSERT_TRUE(std::regex_match(shown, shape)) << "input of " << input.size() << " bytes";
    }
}

TEST(VersionTextBuild, IsoDateTurnsIntoDayMonthYear) {
    EXPECT_EQ(FormatBuildText("2025-03-14"), "14.03.2025");
    EXPECT_EQ(FormatBuildText("1999-12-31"), "31.12.1999");
    // Anything else is shown as given.
    EXPECT_EQ(FormatBuildText(""), "");
    EXPECT_EQ(FormatBuildText("14.03.2025"), "14.03.2025");
    EXPECT_EQ(FormatBuildText("2025-3-14"), "2025-3-14");
    EXPECT_EQ(FormatBuildText("2025-03-14x"), "2025-03-14x");
    EXPECT_EQ(FormatBuildText(std::string(150, 'a')), std::string(99, 'a'));
}

TEST(VersionTextBuild, CompiledInTextsAreWellFormed) {
    const VersionTexts texts = ReadVersionInfo();
    EXPECT_TRUE(std::regex_match(texts.versionText, std::regex(R"(^\d+\.\d+(\.\d+){0,2}$)")))
        << texts.versionText;
    EXPECT_TRUE(std::regex_match(texts.buildText, std::regex(R"(^\d\d\.\d\d\.\d{4}$)")))
        << texts.buildText;
    // The printed footer shows the formatted version, as the about box does.
    EXPECT_EQ(FooterText(), "Velmarin Version " + texts.versionText);
}

}  // namespace
}  // namespace velmarin
