// The hover readout in English: the same dates and numbers as in German,
// the names and labels from the translation file. Phase instants from
// published lunar-phase tables (2024: full moon 25 Mar, new moon 8 Apr with
// the total solar eclipse, first quarter 15 Apr).
#include <gtest/gtest.h>

#include <string>

#include "core/app/hover_readout.h"
#include "core/chart/body_catalogue.h"
#include "core/chart/chart_layout.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/ephemeris_context.h"
#include "core/text/language.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

constexpr int kLeft = 100;
// 2024 across 3654 pixels: every 10 pixels one day from 1 January 0 h UT.
ChartLayout PlotOf2024() {
    ChartLayout layout;
    layout.pageWidth = 4000;
    layout.pageHeight = 600;
    layout.plotLeft = kLeft;
    layout.plotRight = kLeft + 3654;
    layout.plotTop = 50;
    layout.plotBottom = 550;
    SetChartYear(layout, 2024);
    return layout;
}

std::string ReadoutIn(Language language, Color pixel, int dayOfYear) {
    SetProgramLanguage(language);
    EphemerisContext context;
    const ReadoutDecision decision =
        HoverReadout(context, pixel, {kLeft + 10 * dayOfYear, 300}, PlotOf2024(), MakeBodyCatalogue(), ChartSettings{});
    SetProgramLanguage(Language::German);
    return decision.text;
}

struct EnglishCase {
    Color colour;
    int dayOfYear;
    const char* german;
    const char* english;
};

class ReadoutInEnglish : public ::testing::TestWithParam<EnglishCase> {};

TEST_P(ReadoutInEnglish, OnlyTheWordsChange) {
    const EnglishCase& c = GetParam();
    const std::string german = ReadoutIn(Language::German, c.colour, c.dayOfYear);
    const std::string english = ReadoutIn(Language::English, c.colour, c.dayOfYear);
    ASSERT_EQ(german.substr(0, german.find('|')), c.german) << german;
    EXPECT_EQ(english.substr(0, english.find('|')), c.english) << english;
    // Position, size and brightness keep their forms.
    EXPECT_EQ(german.find('|') == std::string::npos ? "" : german.substr(german.find('|')),
              english.find('|') == std::string::npos ? "" : english.substr(english.find('|')));
}

INSTANTIATE_TEST_SUITE_P(
    Year2024, ReadoutInEnglish,
    ::testing::Values(EnglishCase{Rgb(1, 1, 1), 98, "08.04.2024: Neumond", "08.04.2024: New moon"},
                      EnglishCase{Rgb(240, 0, 0), 97, "08.04.2024: mögl. Sonnenfinsternis",
                                  "08.04.2024: poss. solar eclipse"},
                      EnglishCase{Rgb(200, 200, 200), 104, "15.04.2024: 1. Viertel", "15.04.2024: First quarter"},
                      EnglishCase{Rgb(250, 0, 0), 86, "25.03.2024: mögl. Mondfinsternis",
                                  "25.03.2024: poss. lunar eclipse"},
                      EnglishCase{MakeBodyCatalogue().entries[IndexOf(BodyId::kMercury)].color, 200, "19.07.2024: Merkur",
                                  "19.07.2024: Mercury"},
                      EnglishCase{MakeBodyCatalogue().entries[IndexOf(BodyId::kMoon)].color, 55, "25.02.2024: Mond",
                                  "25.02.2024: Moon"}),
    [](const ::testing::TestParamInfo<EnglishCase>& info) { return test::IdentifierOf(info.param.english); });

}  // namespace
}  // namespace velmarin
