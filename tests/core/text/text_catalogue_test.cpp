#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <string_view>

#include "core/chart/body_catalogue.h"
#include "core/chart/phase_markers.h"
#include "core/text/text_catalogue.h"

namespace velmarin {
namespace {

std::string Directives(std::string_view text) {
    // printf's and the tables' own placeholders: what the code fills in.
    static const std::regex directive("%[-+ #0]*[0-9]*(\\.[0-9]+)?[a-zA-Z%]");
    std::string found;
    const std::string s(text);
    for (auto it = std::sregex_iterator(s.begin(), s.end(), directive); it != std::sregex_iterator(); ++it)
        found += it->str() + " ";
    return found;
}

// The characters a fragment is glued to its neighbours with: ", " before,
// a blank after, a newline at the end.
std::string Edges(std::string_view text) {
    const auto isGlue = [](char c) { return c == ' ' || c == ',' || c == '|' || c == '\n'; };
    std::string edges;
    for (std::size_t i = 0; i < text.size() && isGlue(text[i]); ++i) edges += text[i];
    edges += '~';
    std::string tail;
    for (std::size_t i = text.size(); i > 0 && isGlue(text[i - 1]); --i) tail.insert(tail.begin(), text[i - 1]);
    return edges + tail;
}

TEST(TextCatalogue, EveryTextHasOneHomeAndAnEnglishFormThatFitsItsPlace) {
    std::set<std::string_view> seen;
    for (std::size_t i = 0; i < kTextCount; ++i) {
        const auto id = static_cast<TextId>(i);
        const std::string_view german = GermanText(id);
        SCOPED_TRACE(std::string(german));
        EXPECT_TRUE(seen.insert(german).second) << "a German text listed twice";
        const std::optional<const char*> english = EnglishText(id);
        ASSERT_TRUE(english.has_value()) << "no English text in the translation file";
        EXPECT_FALSE(std::string_view(*english).empty());
        EXPECT_EQ(Directives(*english), Directives(german));
        EXPECT_EQ(Edges(*english), Edges(german));
    }
}

TEST(TextCatalogue, LanguageChoosesTheText) {
    EXPECT_STREQ(TextIn(TextId::MonthMar, Language::German), "Mrz");
    EXPECT_STREQ(TextIn(TextId::MonthMar, Language::English), "Mar");
    EXPECT_STREQ(TextIn(TextId::PhaseNewMoon, Language::English), "New moon");
    SetProgramLanguage(Language::English);
    EXPECT_STREQ(Text(TextId::TitleTwilight), "Twilight %d");
    EXPECT_EQ(Translated("Neptun"), "Neptune");
    EXPECT_EQ(Translated("Australia/Sydney"), "Australia/Sydney");  // not one of the program's texts
    SetProgramLanguage(Language::German);
    EXPECT_STREQ(Text(TextId::TitleTwilight), "Dämmerung %d");
    EXPECT_EQ(Translated("Neptun"), "Neptun");
}

TEST(TextCatalogue, TablesThatKeepGermanDataFindTheirTexts) {
    // Body names and phase labels stay German in the catalogue (JSON carries
    // them); the readouts and the legend translate them by their text.
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    for (const CatalogueEntry& entry : catalogue.entries)
        EXPECT_TRUE(FindGermanText(entry.name).has_value()) << entry.name;
    for (const PhaseMarkerLook& look : kPhaseMarkerLooks)
        EXPECT_TRUE(FindGermanText(look.label).has_value()) << look.label;
}

TEST(Language, CodesReadBackAndNothingElseIsALanguage) {
    for (const Language language : {Language::German, Language::English})
        EXPECT_EQ(LanguageFromCode(LanguageCode(language)), language);
    for (const char* code : {"", "DE", "En", "de ", "fr", "english", "d"})
        EXPECT_FALSE(LanguageFromCode(code).has_value()) << code;
}

}  // namespace
}  // namespace velmarin
