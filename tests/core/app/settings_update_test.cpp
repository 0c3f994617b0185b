// Saves of hand-edited settings files: what the program does not change
// comes back byte for byte, what it changes reads back as set.
#include "core/app/settings_update.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/app/language_setting.h"
#include "core/app/settings_file.h"

namespace velmarin {
namespace {

// The file: a keyword line, a comment, lines of keywords the program
// cannot have (underscore, UTF-8, indented, a digit first).
const std::string kNotes =
    "0 0 0 1 0 1 1\r\n52 9.8 1\r\nfoo 1\r\n# note\r\n_x 1\r\n\xc3\xbc" "ber 1\r\n  ind 1\r\n7key 1\r\n";

struct HandFile {
    const char* name;
    std::string text;
    bool withSize;  // whether the file holds a window size a save keeps
};

const std::vector<HandFile> kHandFiles = {
    {"Plain", "0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\n", false},
    {"PlainWithSize", "0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\n900 700\r\n", true},
    {"Notes", kNotes, false},
    {"ExtraFields", "0 0 3 1 0 1 1 8 9 # mine\r\n52 9.8 1 home\r\n900 700 big one\r\n", true},
    {"ShortNumbers", "1 1 3\r\n48.5\r\n", false},
    {"FractionalZone", "0 0 3 1 0 1 1\r\n27.7172 85.3240 5.75\r\n", false},
    {"ZoneFirst", "zone Europe/Berlin\r\n0 0 3 1 0 1 1\r\n48 9 1\r\n", false},
    {"ZoneWithBlank", "0 0 3 1 0 1 1\r\n52 9.8 1\r\nzone Europe/Berlin \r\n", false},
    {"BadValues", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n800 600\r\nplanets 2\r\nmoonlight yes\r\nzone ../x\r\n", true},
    {"LfNoFinalEnd", "0 0 0 1 0 1 1\n52 9.8 1\n640 480", true},
    {"TwoZones", "0 0 0 1 0 1 1\r\n52 9.8 1\r\nzone Asia/Tokyo\r\nfoo\r\nzone Europe/Paris\r\n", false},
    {"Nul", std::string("0 0 0 1 0 1 1\0tail\r\n52 9.8 1\r\n", 26), false},
    {"EmptyLine3ThenNotes", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n\r\n5 5\r\n# x\r\n", false},
    {"Lang", "0 0 0 1 0 1 1\r\n52 9.8 1\r\nlang en\r\nfuture x  y\r\n", false},
    {"Blanks", "  0\t0 0 1 0 1 1  \r\n 52 +9.8e0 1.0 \r\n 900  700 \r\n", true},
    {"ThreeSizeNumbers", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n900 700 5\r\nplanets 1\r\n", true},
    {"Empty", "", false},
    {"OnlyNotes", "# nothing here\n", false},
};

void PrintTo(const HandFile& file, std::ostream* out) { *out << file.name; }

class UnchangedSettings : public ::testing::TestWithParam<HandFile> {};

// Nothing changed: the save is the file, byte for byte.
TEST_P(UnchangedSettings, GiveTheFileBack) {
    const HandFile& file = GetParam();
    const ChartSettings read = ParseSettingsText(file.text, ChartSettings{});
    EXPECT_EQ(UpdatedSettingsText({file.text, read}, read, file.withSize), file.text);
}

INSTANTIATE_TEST_SUITE_P(HandFiles, UnchangedSettings, ::testing::ValuesIn(kHandFiles),
                         [](const auto& info) { return std::string(info.param.name); });

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        const std::size_t end = lf == std::string::npos ? text.size() : lf;
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The lines of `text` that no save may touch: those of keywords the program
// does not know, those after line 3, and a line 3 that holds no number.
std::vector<std::string> UntouchableLines(const std::string& text) {
    std::vector<std::string> lines;
    int positional = 0;
    for (const std::string& line : Lines(text)) {
        if (!line.empty() && std::isalpha(static_cast<unsigned char>(line[0]))) {
            const std::string word = line.substr(0, line.find(' '));
            if (word != "zone" && word != "planets" && word != "moonlight" && word != "lang") lines.push_back(line);
            continue;
        }
        ++positional;
        int number = 0;
        if (positional > 3 || (positional == 3 && !line.empty() && std::sscanf(line.c_str(), "%d", &number) != 1))
            lines.push_back(line);
    }
    return lines;
}

// Whether every line of `part` is among `lines`, in the same order.
bool InOrderAmong(const std::vector<std::string>& part, const std::vector<std::string>& lines) {
    std::size_t next = 0;
    for (const std::string& line : lines)
        if (next < part.size() && line == part[next]) ++next;
    return next == part.size();
}

struct Change {
    const char* name;
    std::function<void(ChartSettings&)> apply;
};

const std::vector<Change> kChanges = {
    {"Mode", [](ChartSettings& s) { s.displayMode = DisplayMode::Sun; }},
    {"Moon", [](ChartSettings& s) { s.showMoon = 1 - s.showMoon; }},
    {"Latitude", [](ChartSettings& s) { s.latitude = -33.25 * degToRad; }},
    {"TimeZone", [](ChartSettings& s) { s.timeZoneHours = -9.5; }},
    {"Size", [](ChartSettings& s) { s.windowWidth = 1000, s.windowHeight = 640; }},
    {"ZoneSet", [](ChartSettings& s) { s.zone = "Asia/Kathmandu"; }},
    {"ZoneCleared", [](ChartSettings& s) { s.zone.clear(); }},
    {"Planets", [](ChartSettings& s) { s.showPlanets = 1 - s.showPlanets; }},
    {"Moonlight", [](ChartSettings& s) { s.showMoonlight = 1; }},
    {"English", [](ChartSettings& s) { s = WithSettingsLanguage(s, Language::English); }},
    {"German", [](ChartSettings& s) { s = WithSettingsLanguage(s, Language::German); }},
    {"Everything", [](ChartSettings& s) {
         s.codeByDiameter = 1, s.reservedFlag = 4, s.longitude = 151.2 * degToRad, s.zone = "UTC";
         s.showPlanets = 1, s.windowHeight = 999;
         s = WithSettingsLanguage(s, Language::English);
     }},
};

struct ChangeCase {
    HandFile file;
    Change change;
    bool withSize;
};

void PrintTo(const ChangeCase& c, std::ostream* out) {
    *out << c.file.name << " " << c.change.name << (c.withSize ? " with size" : "");
}

class ChangedSettings : public ::testing::TestWithParam<ChangeCase> {};

// Every change reads back as set, every line the program does not own stays
// in its order, and a second save of the same settings changes nothing.
TEST_P(ChangedSettings, ReadBackAndKeepWhatTheyDoNotOwn) {
    const ChangeCase& c = GetParam();
    const ChartSettings read = ParseSettingsText(c.file.text, ChartSettings{});
    ChartSettings changed = read;
    c.change.apply(changed);
    const std::string saved = UpdatedSettingsText({c.file.text, read}, changed, c.withSize);

    const ChartSettings back = ParseSettingsText(saved, ChartSettings{});
    EXPECT_EQ(back.codeByDiameter, changed.codeByDiameter);
    EXPECT_EQ(back.displayMode, changed.displayMode);
    EXPECT_EQ(back.reservedFlag, changed.reservedFlag);
    EXPECT_EQ(back.showMoon, changed.showMoon);
    // Six decimals of a degree where written anew.
    EXPECT_NEAR(back.latitude / degToRad, changed.latitude / degToRad, 5e-7);
    EXPECT_NEAR(back.longitude / degToRad, changed.longitude / degToRad, 5e-7);
    EXPECT_NEAR(back.timeZoneHours, changed.timeZoneHours, 0.05);
    if (c.withSize) {
        EXPECT_EQ(back.windowWidth, changed.windowWidth);
        EXPECT_EQ(back.windowHeight, changed.windowHeight);
    } else {
        EXPECT_EQ(back.windowWidth, 1212);
        EXPECT_EQ(back.windowHeight, 800);
    }
    EXPECT_EQ(back.zone, changed.zone);
    EXPECT_EQ(back.showPlanets, changed.showPlanets);
    EXPECT_EQ(back.showMoonlight, changed.showMoonlight);
    EXPECT_EQ(SettingsLanguage(back), SettingsLanguage(changed));

    EXPECT_TRUE(InOrderAmong(UntouchableLines(c.file.text), Lines(saved))) << saved;
    // Saved again from what was written: nothing moves.
    EXPECT_EQ(UpdatedSettingsText({saved, changed}, changed, c.withSize), saved);
}

std::vector<ChangeCase> AllChanges() {
    std::vector<ChangeCase> cases;
    for (const HandFile& file : kHandFiles)
        for (const Change& change : kChanges)
            for (bool withSize : {false, true}) cases.push_back({file, change, withSize});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(HandFiles, ChangedSettings, ::testing::ValuesIn(AllChanges()), [](const auto& info) {
    return std::string(info.param.file.name) + "_" + info.param.change.name +
           (info.param.withSize ? "_WithSize" : "_NoSize");
});

// Exact saves for the shapes of hand-editing the rules above leave open.
struct ExactCase {
    const char* name;
    std::string text;
    std::function<void(ChartSettings&)> change;
    bool withSize;
    std::string saved;
};

void PrintTo(const ExactCase& c, std::ostream* out) { *out << c.name; }

class ExactSave : public ::testing::TestWithParam<ExactCase> {};

TEST_P(ExactSave, WritesOnlyWhatChanged) {
    const ExactCase& c = GetParam();
    const ChartSettings read = ParseSettingsText(c.text, ChartSettings{});
    ChartSettings changed = read;
    c.change(changed);
    EXPECT_EQ(UpdatedSettingsText({c.text, read}, changed, c.withSize), c.saved);
}

const auto kNoChange = [](ChartSettings&) {};

INSTANTIATE_TEST_SUITE_P(
    Cases, ExactSave,
    ::testing::Values(
        ExactCase{"ModeInTheIssuesFile", kNotes, [](ChartSettings& s) { s.displayMode = DisplayMode::Twilight; },
                  false,
                  "0 0 3 1 0 1 1\r\n52 9.8 1\r\nfoo 1\r\n# note\r\n_x 1\r\n\xc3\xbc" "ber 1\r\n  ind 1\r\n7key 1\r\n"},
        // Line 3 of that file is "# note": the size goes in before it, the note stays.
        ExactCase{"SizeBeforeANoteInLine3", kNotes, kNoChange, true,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\nfoo 1\r\n1212 800\r\n# note\r\n_x 1\r\n\xc3\xbc"
                  "ber 1\r\n  ind 1\r\n7key 1\r\n"},
        ExactCase{"LatitudeKeepsTheOtherNumbers", "1 1 3 # mine\r\n27.7172 85.3240 5.75 home\r\n",
                  [](ChartSettings& s) { s.latitude = 28 * degToRad; }, false,
                  "1 1 3 # mine\r\n28.000000 85.3240 5.75 home\r\n"},
        ExactCase{"FieldsAddedBeforeTheText", "1 1 3 # mine\r\n", [](ChartSettings& s) { s.showMoon = 0; }, false,
                  "1 1 3 1 0 1 0 # mine\r\n"},
        ExactCase{"TextRightAfterAChangedNumber", "1 1 3.5\r\n", [](ChartSettings& s) { s.displayMode = DisplayMode::Sun; },
                  false, "1 1 1 .5\r\n"},
        ExactCase{"NumbersWithoutBlanks", "1-1 0 1 0 1 1\r\n", [](ChartSettings& s) { s.codeByBrightness = 0; }, false,
                  "1 0 0 1 0 1 1\r\n"},
        ExactCase{"NoNumbersInLine1", "# mine\r\n", [](ChartSettings& s) { s.showGrid = 0; }, false,
                  "0 0 0 1 0 0 # mine\r\n"},
        ExactCase{"ExtraSizeFieldsStay", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n900 700 big\r\n",
                  [](ChartSettings& s) { s.windowWidth = 1000; }, true,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\n1000 700 big\r\n"},
        // A maximised window writes no size: the numbers go, the rest stays.
        ExactCase{"SizeTakenOut", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n900 700\r\nzone UTC\r\n", kNoChange, false,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\nzone UTC\r\n"},
        ExactCase{"SizeTakenOutTextStays", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n900 700 big\r\n", kNoChange, false,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\n big\r\n"},
        // A third number would be read as the size: it moves to a line of its own.
        ExactCase{"SizeTakenOutExtraNumber", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n900 700900 5\r\n", kNoChange, false,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\n\r\n 5\r\n"},
        ExactCase{"SizeTakenOutLine4Stays", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n900 700\r\n# x\r\n", kNoChange, false,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\n\r\n# x\r\n"},
        ExactCase{"EmptyLine3GetsTheSize", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n\r\n# x\r\n", kNoChange, true,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\n1212 800\r\n# x\r\n"},
        ExactCase{"SizeAfterTheLastLineWithoutEnd", "0 0 0 1 0 1 1\n52 9.8 1", kNoChange, true,
                  "0 0 0 1 0 1 1\n52 9.8 1\r\n1212 800\r\n"},
        ExactCase{"MissingLinesMadeForTheSize", "zone UTC", kNoChange, true,
                  "0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\n1212 800\r\nzone UTC"},
        ExactCase{"ZoneFirstChangedInPlace", "zone Europe/Berlin\r\n0 0 3 1 0 1 1\r\n48 9 1\r\n",
                  [](ChartSettings& s) { s.zone = "Asia/Tokyo"; }, false,
                  "zone Asia/Tokyo\r\n0 0 3 1 0 1 1\r\n48 9 1\r\n"},
        ExactCase{"NewZoneAfterTheNumbers", "0 0 0 1 0 1 1\r\n52 9.8 1\r\nfoo\r\nmoonlight 1\r\n",
                  [](ChartSettings& s) { s.zone = "UTC"; }, false,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\nzone UTC\r\nfoo\r\nmoonlight 1\r\n"},
        ExactCase{"NewPlanetsAfterTheZone", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n# a\r\nfoo\r\nzone UTC\r\n# b\r\n",
                  [](ChartSettings& s) { s.showPlanets = 1; }, false,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\n# a\r\nfoo\r\nzone UTC\r\nplanets 1\r\n# b\r\n"},
        // The last of two zone lines is the one in force; a new zone takes its place.
        ExactCase{"TwoZonesBecomeOne", "0 0 0 1 0 1 1\r\n52 9.8 1\r\nzone Asia/Tokyo\r\nfoo\r\nzone Europe/Paris\r\n",
                  [](ChartSettings& s) { s.zone = "UTC"; }, false,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\nfoo\r\nzone UTC\r\n"},
        ExactCase{"BadFlagTurnedOnInPlace", "0 0 0 1 0 1 1\r\n52 9.8 1\r\nplanets 2\r\n# x\r\n",
                  [](ChartSettings& s) { s.showPlanets = 1; }, false,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\nplanets 1\r\n# x\r\n"},
        ExactCase{"FlagTurnedOff", "0 0 0 1 0 1 1\r\n52 9.8 1\r\nplanets 1\r\n# x\r\n",
                  [](ChartSettings& s) { s.showPlanets = 0; }, false, "0 0 0 1 0 1 1\r\n52 9.8 1\r\n# x\r\n"},
        ExactCase{"GermanTakesOnlyTheLangLine", "0 0 0 1 0 1 1\r\n52 9.8 1\r\nfoo 1\r\nlang en\r\n# x\r\n",
                  [](ChartSettings& s) { s = WithSettingsLanguage(s, Language::German); }, false,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\nfoo 1\r\n# x\r\n"},
        ExactCase{"EnglishAtTheEnd", "0 0 0 1 0 1 1\r\n52 9.8 1\r\nfoo 1\r\n# x",
                  [](ChartSettings& s) { s = WithSettingsLanguage(s, Language::English); }, false,
                  "0 0 0 1 0 1 1\r\n52 9.8 1\r\nfoo 1\r\n# x\r\nlang en\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A zone the system lacks is taken as none by the window, which hands that
// as the baseline: the zone line stays until the user picks another zone.
TEST(SettingsUpdate, AZoneTakenAsNoneKeepsItsLine) {
    const std::string text = "0 0 3 1 0 1 1\r\n52 9.8 1\r\nzone Europe/Nowhere\r\n";
    ChartSettings taken = ParseSettingsText(text, ChartSettings{});
    ASSERT_EQ(taken.zone, "Europe/Nowhere");
    taken.zone.clear();
    EXPECT_EQ(UpdatedSettingsText({text, taken}, taken, false), text);
    ChartSettings sun = taken;
    sun.displayMode = DisplayMode::Sun;
    EXPECT_EQ(UpdatedSettingsText({text, taken}, sun, false), "0 0 1 1 0 1 1\r\n52 9.8 1\r\nzone Europe/Nowhere\r\n");
    ChartSettings tokyo = taken;
    tokyo.zone = "Asia/Tokyo";
    EXPECT_EQ(UpdatedSettingsText({text, taken}, tokyo, false), "0 0 3 1 0 1 1\r\n52 9.8 1\r\nzone Asia/Tokyo\r\n");
}

TEST(SettingsUpdate, ReportsOnlyZonesThatAreNoZoneNames) {
    EXPECT_EQ(UnusableZoneValue("0\r\n1\r\nzone Europe/Berlin \r\n"), std::optional<std::string>("Europe/Berlin "));
    EXPECT_EQ(UnusableZoneValue("zone ../x\nzone UTC\n"), std::nullopt);  // the last line is in force
    EXPECT_EQ(UnusableZoneValue("zone\r\n"), std::nullopt);
    EXPECT_EQ(UnusableZoneValue("0 0 0 1 0 1 1\r\n52 9.8 1\r\n"), std::nullopt);
}

}  // namespace
}  // namespace velmarin
