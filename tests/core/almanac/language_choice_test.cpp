#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/almanac/language_choice.h"
#include "core/app/language_setting.h"
#include "core/app/settings_file.h"

namespace velmarin {
namespace {

struct ArgumentCase {
    const char* name;
    std::vector<std::string> given;
    std::vector<std::string> left;       // what the commands see
    std::optional<Language> language;
    bool error;
};

class LanguageArgumentTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(LanguageArgumentTest, IsTakenOutOfTheArguments) {
    const ArgumentCase& c = GetParam();
    std::vector<std::string> storage = c.given;
    std::vector<char*> argv;
    for (std::string& word : storage) argv.push_back(word.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(storage.size());
    const LanguageArgument result = TakeLanguageArgument(argc, argv.data());
    ASSERT_EQ(argc, static_cast<int>(c.left.size()));
    for (int i = 0; i < argc; ++i) EXPECT_EQ(argv[i], c.left[static_cast<std::size_t>(i)]);
    EXPECT_EQ(argv[argc], nullptr);
    EXPECT_EQ(result.has_value(), !c.error);
    if (!c.error) {
        EXPECT_EQ(*result, c.language);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageArgumentTest,
    ::testing::Values(
        ArgumentCase{"NoArguments", {"velmarin"}, {"velmarin"}, std::nullopt, false},
        ArgumentCase{"NoLanguage", {"velmarin", "phases", "--year", "2024"}, {"velmarin", "phases", "--year", "2024"}, std::nullopt, false},
        ArgumentCase{"SpacedEnglish", {"velmarin", "--lang", "en"}, {"velmarin"}, Language::English, false},
        ArgumentCase{"EnglishBeforeTheCommand", {"velmarin", "--lang", "en", "phases", "--json"}, {"velmarin", "phases", "--json"}, Language::English, false},
        ArgumentCase{"JoinedGermanAtTheEnd", {"velmarin", "render", "--output", "a.png", "--lang=de"}, {"velmarin", "render", "--output", "a.png"},
                     Language::German, false},
        // The last one counts.
        ArgumentCase{"TheLastOneCounts", {"velmarin", "--lang", "de", "--lang", "en"}, {"velmarin"}, Language::English, false},
        ArgumentCase{"UnknownCode", {"velmarin", "--lang", "xx"}, {"velmarin"}, std::nullopt, true},
        // A bad one is an error even when a good one follows.
        ArgumentCase{"ABadOneStaysAnError", {"velmarin", "--lang", "xx", "--lang", "en"}, {"velmarin"}, std::nullopt, true},
        ArgumentCase{"EmptyCode", {"velmarin", "--lang=", "phases"}, {"velmarin", "phases"}, std::nullopt, true},
        ArgumentCase{"MissingCode", {"velmarin", "phases", "--lang"}, {"velmarin", "phases"}, std::nullopt, true},
        ArgumentCase{"UpperCaseCode", {"velmarin", "--lang", "EN"}, {"velmarin"}, std::nullopt, true},
        // Other words that only begin alike are left alone.
        ArgumentCase{"LookAlikesStay", {"velmarin", "--language", "en", "--langx"}, {"velmarin", "--language", "en", "--langx"},
                     std::nullopt, false}),
    [](const ::testing::TestParamInfo<ArgumentCase>& info) { return std::string(info.param.name); });

constexpr const char* kPlainLines = "0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\n";

TEST(LanguageSetting, GermanWritesNoLineEnglishOneAndOtherLinesStay) {
    const ChartSettings plain = ParseSettingsText(kPlainLines, ChartSettings{});
    EXPECT_EQ(SettingsLanguage(plain), Language::German);
    EXPECT_EQ(FormatSettingsText(WithSettingsLanguage(plain, Language::German), false), kPlainLines);

    const ChartSettings english = WithSettingsLanguage(plain, Language::English);
    EXPECT_EQ(FormatSettingsText(english, false), std::string(kPlainLines) + "lang en\r\n");
    EXPECT_EQ(SettingsLanguage(ParseSettingsText(FormatSettingsText(english, false), ChartSettings{})),
              Language::English);

    // Unknown lines are kept in their places; the language line is replaced, not added twice.
    const ChartSettings mixed =
        ParseSettingsText(std::string(kPlainLines) + "future 1\r\nlang en\r\nlater x y\r\n", ChartSettings{});
    EXPECT_EQ(SettingsLanguage(mixed), Language::English);
    EXPECT_EQ(FormatSettingsText(WithSettingsLanguage(mixed, Language::German), false),
              std::string(kPlainLines) + "future 1\r\nlater x y\r\n");
    EXPECT_EQ(FormatSettingsText(WithSettingsLanguage(mixed, Language::English), false),
              std::string(kPlainLines) + "future 1\r\nlater x y\r\nlang en\r\n");
}

TEST(LanguageSetting, ABadValueCountsAsTheDefault) {
    for (const char* line : {"lang xx", "lang ", "lang EN", "lang en ", "language en", "langen"}) {
        const ChartSettings s = ParseSettingsText(std::string(kPlainLines) + line + "\r\n", ChartSettings{});
        EXPECT_EQ(SettingsLanguage(s), Language::German) << line;
    }
}

TEST(StartLanguage, TheArgumentBeforeTheFileBeforeGerman) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "velmarin-language-test";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "Velmarin.ini";
    std::filesystem::remove(file);
    EXPECT_EQ(StartLanguage(std::nullopt, file), Language::German);
    std::ofstream(file, std::ios::binary) << kPlainLines << "lang en\r\n";
    EXPECT_EQ(StartLanguage(std::nullopt, file), Language::English);
    EXPECT_EQ(StartLanguage(Language::German, file), Language::German);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace velmarin
