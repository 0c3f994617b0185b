#include "core/almanac/places_file.h"

#include <gtest/gtest.h>

#include <string>

namespace velmarin {
namespace {

std::vector<Place> Good(std::string_view text) {
    auto result = ParsePlaces(text);
    if (!result) {
        ADD_FAILURE() << "unexpected error: " << result.error();
        return {};
    }
    return *result;
}

TEST(PlacesFile, ReadsRowsWithAndWithoutZoneHeaderQuotesAndLineEnds) {
    const std::vector<Place> places = Good(
        "name,lat,lon,zone\r\n"
        "Berlin,52.52,13.405,Europe/Berlin\r\n"
        "\r\n"
        "\"Sydney, NSW\",-33.87,151.21,Australia/Sydney\n"
        "\"Club \"\"Nord\"\"\",69.65,18.96,\n"
        "Quito,-0.18,-78.47");
    ASSERT_EQ(places.size(), 4u);
    EXPECT_EQ(places[0].name, "Berlin");
    EXPECT_DOUBLE_EQ(places[0].latitudeDegrees, 52.52);
    EXPECT_DOUBLE_EQ(places[0].longitudeDegrees, 13.405);
    EXPECT_EQ(places[0].zone, "Europe/Berlin");
    EXPECT_EQ(places[1].name, "Sydney, NSW");
    EXPECT_DOUBLE_EQ(places[1].latitudeDegrees, -33.87);
    EXPECT_EQ(places[2].name, "Club \"Nord\"");
    EXPECT_EQ(places[2].zone, "");
    EXPECT_EQ(places[3].name, "Quito");
    EXPECT_DOUBLE_EQ(places[3].longitudeDegrees, -78.47);
    EXPECT_EQ(places[3].zone, "");
}

TEST(PlacesFile, LimitsAreIncludedAndNoHeaderIsNeeded) {
    const std::vector<Place> places = Good("N,90,180\nS,-90,-180\n");
    ASSERT_EQ(places.size(), 2u);
    EXPECT_DOUBLE_EQ(places[1].latitudeDegrees, -90.0);
}

struct BadPlaces {
    std::string name;
    std::string text;
    std::string error;  // a part of the message
};

class PlacesFileBad : public ::testing::TestWithParam<BadPlaces> {};

TEST_P(PlacesFileBad, GivesOneLineNamingTheLine) {
    auto result = ParsePlaces(GetParam().text);
    ASSERT_FALSE(result);
    const std::string& error = result.error();
    EXPECT_NE(error.find(GetParam().error), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacesFileBad,
    ::testing::Values(
        BadPlaces{"empty", "", "no places"},
        BadPlaces{"header_only", "name,lat,lon\n", "no places"},
        BadPlaces{"two_fields", "A,1\n", "line 1: expected name,lat,lon"},
        BadPlaces{"five_fields", "A,1,2,Europe/Berlin,x\n", "line 1: expected"},
        BadPlaces{"latitude_high", "A,1,2\nB,90.5,0\n", "line 2: latitude out of range"},
        BadPlaces{"longitude_low", "A,1,-180.01\n", "longitude out of range"},
        BadPlaces{"not_a_number", "A,north,2\n", "latitude is not a number"},
        BadPlaces{"nan", "A,nan,2\n", "latitude"},
        BadPlaces{"comma_decimal", "\"A\",\"52,5\",2\n", "latitude is not a number"},
        BadPlaces{"twice", "A,1,2\nA,3,4\n", "line 2: the name 'A' comes twice"},
        BadPlaces{"slash", "a/b,1,2\n", "has a '/'"},
        BadPlaces{"dot_dot", "..,1,2\n", "no file name"},
        BadPlaces{"no_name", ",1,2\n", "the name is empty"},
        BadPlaces{"tab", "a\tb,1,2\n", "control character"},
        BadPlaces{"open_quote", "\"A,1,2\n", "not closed"},
        BadPlaces{"text_after_quote", "\"A\"x,1,2\n", "after a closing quote"},
        BadPlaces{"bad_zone", "A,1,2,Europe Berlin\n", "line 1: unknown zone"},
        // A quoted line end is no part of a file name.
        BadPlaces{"quoted_line_end", "A,1,2\n\"B\nC\",1,2\n", "line 2: the name 'B\\nC' has a control character"}),
    [](const ::testing::TestParamInfo<BadPlaces>& info) { return info.param.name; });

TEST(PlacesFile, AFileThatCannotBeReadSaysWhy) {
    auto result = ReadPlacesFile("/nonexistent/places.csv");
    ASSERT_FALSE(result);
    EXPECT_NE(result.error().find("No such file"), std::string::npos);
}

}  // namespace
}  // namespace velmarin
