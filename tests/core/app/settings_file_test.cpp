#include "core/app/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <clocale>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include "core/file_text.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

namespace fs = std::filesystem;

using test::ReadWhole;
using test::WriteWhole;

// A fresh folder per test, removed afterwards.
class SettingsFileIo : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "velmarin-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code error;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(folder_, error);
    }
    int EntryCount(const fs::path& folder) const {
        return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
    fs::path folder_;
};

TEST(SettingsFileText, DefaultsGiveTheFirstStartFile) {
    EXPECT_EQ(FormatSettingsText(ChartSettings{}, false), "0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\n");
    EXPECT_EQ(FormatSettingsText(ChartSettings{}, true),
              "0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\n1212 800\r\n");
}

TEST(SettingsFileText, FormatsEveryFieldInItsPlace) {
    ChartSettings settings;
    settings.codeByDiameter = 1;
    settings.codeByBrightness = 1;
    settings.displayMode = DisplayMode::Twilight;
    settings.showDayLine = 0;
    settings.reservedFlag = -7;
    settings.showGrid = 0;
    settings.showMoon = 0;
    settings.latitude = -33.8675 * degToRad;
    settings.longitude = 151.2070 * degToRad;
    settings.timeZoneHours = -9.5;
    settings.windowWidth = 640;
    settings.windowHeight = 2147483647;
    EXPECT_EQ(FormatSettingsText(settings),
              "1 1 3 0 -7 0 0\r\n-33.867500 151.207000 -9.5\r\n640 2147483647\r\n");
}

TEST(SettingsFileText, HugeValuesFormatInFull) {
    ChartSettings settings;
    settings.latitude = 1e300;
    const std::string text = FormatSettingsText(settings, false);
    EXPECT_GT(text.size(), 300u);
    EXPECT_EQ(text.find('e'), std::string::npos);  // fixed notation, as printf's %lf
    EXPECT_DOUBLE_EQ(ParseSettingsText(text, {}).latitude, 1e300 / degToRad * degToRad);
}

TEST(SettingsFileText, RoundTripKeepsValuesToTheFileResolution) {
    // Latitudes and longitudes over the whole circle, zones in tenths.
    for (int i = -1800; i <= 1800; i += 7) {
        ChartSettings settings;
        settings.latitude = i * 0.05123 * degToRad;
        settings.longitude = -i * 0.1 * degToRad;
        settings.timeZoneHours = (i % 241) / 10.0;
        settings.displayMode = static_cast<DisplayMode>(i);
        settings.windowWidth = i * 3;
        const ChartSettings back = ParseSettingsText(FormatSettingsText(settings), ChartSettings{});
        EXPECT_NEAR(back.latitude / degToRad, settings.latitude / degToRad, 5e-7) << i;
        EXPECT_NEAR(back.longitude / degToRad, settings.longitude / degToRad, 5e-7) << i;
        EXPECT_NEAR(back.timeZoneHours, settings.timeZoneHours, 1e-9) << i;
        EXPECT_EQ(static_cast<int>(back.displayMode), i);
        EXPECT_EQ(back.windowWidth, i * 3);
        // Writing what was read gives the same text again.
        EXPECT_EQ(FormatSettingsText(back), FormatSettingsText(settings)) << i;
    }
}

struct ParseCase {
    const char* name;
    std::string text;
    std::vector<int> flags;  // the seven options of line 1 (the switches as 0 or 1: any number but 0 is on)
    double latitudeDegrees, longitudeDegrees, timeZoneHours;
    int width, height;
};

class SettingsFileParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(SettingsFileParse, FillsWhatTheTextSuppliesAndKeepsTheRest) {
    const ParseCase& c = GetParam();
    const ChartSettings s = ParseSettingsText(c.text, ChartSettings{});
    EXPECT_EQ((std::vector<int>{s.codeByDiameter, s.codeByBrightness, static_cast<int>(s.displayMode), s.showDayLine,
                                s.reservedFlag, s.showGrid, s.showMoon}),
              c.flags);
    EXPECT_DOUBLE_EQ(s.latitude, c.latitudeDegrees * degToRad);
    EXPECT_DOUBLE_EQ(s.longitude, c.longitudeDegrees * degToRad);
    EXPECT_DOUBLE_EQ(s.timeZoneHours, c.timeZoneHours);
    EXPECT_EQ(s.windowWidth, c.width);
    EXPECT_EQ(s.windowHeight, c.height);
    EXPECT_EQ(s.summerTime, 1);
}

const std::vector<int> kDefaultFlags{0, 0, 0, 1, 0, 1, 1};

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFileParse,
    ::testing::Values(
        ParseCase{"Empty", "", kDefaultFlags, 52, 9.8, 1.0, 1212, 800},
        ParseCase{"ThreeFullLines", "1 0 2 0 5 0 0\r\n48.5 -3.25 2.0\r\n900 700\r\n",
                  {1, 0, 2, 0, 5, 0, 0}, 48.5, -3.25, 2.0, 900, 700},
        ParseCase{"LfEndings", "1 0 2 0 5 0 0\n48.5 -3.25 2.0\n900 700\n",
                  {1, 0, 2, 0, 5, 0, 0}, 48.5, -3.25, 2.0, 900, 700},
        ParseCase{"NoFinalLineEnd", "0 0 0 1 0 1 1\r\n10 20 3\r\n640 480",
                  kDefaultFlags, 10, 20, 3, 640, 480},
        ParseCase{"ThreeOptions", "1 1 3\r\n", {1, 1, 3, 1, 0, 1, 1}, 52, 9.8, 1.0, 1212, 800},
        ParseCase{"FiveOptionsKeepGrid", "0 1 2 0 9\r\n", {0, 1, 2, 0, 9, 1, 1}, 52, 9.8, 1.0, 1212, 800},
        ParseCase{"LatitudeOnly", "0 0 0 1 0 1 1\r\n48.5\r\n", kDefaultFlags, 48.5, 9.8, 1.0, 1212, 800},
        ParseCase{"WidthOnly", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n900\r\n", kDefaultFlags, 52, 9.8, 1.0, 900, 800},
        ParseCase{"HalfHourZone", "0 0 0 1 0 1 1\r\n52 9.8 1.5\r\n", kDefaultFlags, 52, 9.8, 1.5, 1212, 800},
        ParseCase{"NoRangeChecks", "7 -1 99 2 0 1 1\r\n100 -400 30\r\n-5 0\r\n",
                  {1, 1, 99, 1, 0, 1, 1}, 100, -400, 30, -5, 0},
        ParseCase{"ScanStopsAtText", "1 x 3 0 0 0 0\r\n12 abc 4\r\n", {1, 0, 0, 1, 0, 1, 1}, 12, 9.8, 1.0, 1212, 800},
        ParseCase{"DecimalPointInIntegers", "1.5 1 1\r\n", {1, 0, 0, 1, 0, 1, 1}, 52, 9.8, 1.0, 1212, 800},
        ParseCase{"DecimalComma", "\r\n48,5 9,8 2\r\n", kDefaultFlags, 48, 9.8, 1.0, 1212, 800},
        ParseCase{"BlanksTabsAndSigns", "  +1\t-0  3\r\n \t+48.5e0   -.5 +2\r\n", {1, 0, 3, 1, 0, 1, 1},
                  48.5, -0.5, 2.0, 1212, 800},
        ParseCase{"NonFiniteStopsTheScan", "\r\n30 nan 2\r\n", kDefaultFlags, 30, 9.8, 1.0, 1212, 800},
        ParseCase{"InfiniteLatitude", "\r\ninf 10 2\r\n", kDefaultFlags, 52, 9.8, 1.0, 1212, 800},
        ParseCase{"OverflowingNumber", "\r\n1e999 10 2\r\n", kDefaultFlags, 52, 9.8, 1.0, 1212, 800},
        ParseCase{"HugeIntegersSaturate", "99999999999999999999 -99999999999999999999\r\n",
                  {1, 1, 0, 1, 0, 1, 1}, 52, 9.8, 1.0, 1212, 800},
        ParseCase{"HugeReservedNumberSaturates", "0 0 0 1 -99999999999999999999 1 1\r\n",
                  {0, 0, 0, 1, INT_MIN, 1, 1}, 52, 9.8, 1.0, 1212, 800},
        ParseCase{"EmptyThirdLine", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n\r\n", kDefaultFlags, 52, 9.8, 1.0, 1212, 800},
        ParseCase{"BlankThirdLine", "0 0 0 1 0 1 1\r\n52 9.8 1\r\n \r\n", kDefaultFlags, 52, 9.8, 1.0, 1212, 800},
        ParseCase{"EmptyLinesShiftNothing", "\n\n640 480\n", kDefaultFlags, 52, 9.8, 1.0, 640, 480},
        ParseCase{"NulEndsTheLine", std::string("1 1\0 3\r\n", 8), {1, 1, 0, 1, 0, 1, 1}, 52, 9.8, 1.0, 1212, 800},
        ParseCase{"Binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 19), kDefaultFlags,
                  52, 9.8, 1.0, 1212, 800}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(SettingsFileText, UnsuppliedFieldsKeepTheGivenDefaults) {
    ChartSettings defaults;
    defaults.summerTime = 0;
    defaults.showGrid = 0;
    defaults.longitude = 0.25;
    defaults.windowHeight = 333;
    const ChartSettings s = ParseSettingsText("1 1 1 1 1\r\n40\r\n500\r\n", defaults);
    EXPECT_EQ(s.summerTime, 0);
    EXPECT_EQ(s.showGrid, 0);
    EXPECT_EQ(s.longitude, 0.25);
    EXPECT_EQ(s.windowHeight, 333);
    EXPECT_EQ(s.windowWidth, 500);
    EXPECT_DOUBLE_EQ(s.latitude, 40 * degToRad);
}

TEST(SettingsFileText, IgnoresTheProcessLocale) {
    const std::string old = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale here";
    ChartSettings settings;
    settings.timeZoneHours = 1.5;
    const std::string text = FormatSettingsText(settings, false);
    const ChartSettings back = ParseSettingsText("0\r\n48.5 2.25 1.5\r\n", {});
    std::setlocale(LC_NUMERIC, old.c_str());
    EXPECT_EQ(text, "0 0 0 1 0 1 1\r\n52.000000 9.800000 1.5\r\n");
    EXPECT_DOUBLE_EQ(back.latitude, 48.5 * degToRad);
    EXPECT_DOUBLE_EQ(back.longitude, 2.25 * degToRad);
}

struct WindowCase {
    int left, top;
    bool expected;
};
class SettingsFileWindowLine : public ::testing::TestWithParam<WindowCase> {};
TEST_P(SettingsFileWindowLine, OnlyAWindowInsideTheScreenWritesItsSize) {
    EXPECT_EQ(WindowPositionAllowsSizeLine(GetParam().left, GetParam().top), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, SettingsFileWindowLine,
                         ::testing::Values(WindowCase{10, 10, true}, WindowCase{1, 1, true},
                                           WindowCase{0, 10, false}, WindowCase{10, 0, false},
                                           WindowCase{-8, -8, false}, WindowCase{-32000, -32000, false}),
                         [](const ::testing::TestParamInfo<WindowCase>& info) {
                             return "At_" + test::NameOfNumber(info.param.left) + "_" +
                                    test::NameOfNumber(info.param.top);
                         });

TEST(SettingsFilePathTest, FollowsXdgConfigHome) {
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = oldXdg ? oldXdg : "";
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);

    ::setenv("XDG_CONFIG_HOME", "/some/where", 1);
    EXPECT_EQ(SettingsFilePath(), fs::path("/some/where/Velmarin.ini"));
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);  // not absolute: ignored
    EXPECT_EQ(SettingsFilePath(), fs::path(home) / ".config" / "Velmarin.ini");
    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(SettingsFilePath(), fs::path(home) / ".config" / "Velmarin.ini");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsFilePath(), fs::path(home) / ".config" / "Velmarin.ini");

    if (oldXdg) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

TEST_F(SettingsFileIo, MissingFileLoadsNothing) {
    ChartSettings settings;
    settings.displayMode = DisplayMode::Midnight;
    EXPECT_EQ(LoadSettings(folder_ / "Velmarin.ini", settings).state, SettingsFileState::Missing);
    EXPECT_EQ(settings.displayMode, DisplayMode::Midnight);
    fs::create_directory(folder_ / "dir.ini");
    EXPECT_EQ(LoadSettings(folder_ / "dir.ini", settings).state, SettingsFileState::Unreadable);
    EXPECT_EQ(settings, [] { ChartSettings s; s.displayMode = DisplayMode::Midnight; return s; }());
}

// What is found at the settings path decides whether the defaults may be
// written there: only when nothing is there at all.
struct LoadCase {
    const char* name;
    void (*make)(const fs::path& path);
    SettingsFileState state;
    int osError;
    bool needsNonRoot;  // root reads files whatever their mode
};

class SettingsFileLoad : public SettingsFileIo, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(SettingsFileLoad, OnlyAMissingFileCountsAsMissing) {
    if (GetParam().needsNonRoot && ::geteuid() == 0) GTEST_SKIP() << "root reads any file";
    const fs::path path = folder_ / "Velmarin.ini";
    GetParam().make(path);
    ChartSettings settings;
    settings.showGrid = 0;
    const SettingsLoadResult result = LoadSettings(path, settings);
    EXPECT_EQ(result.state, GetParam().state);
    EXPECT_EQ(result.osError, GetParam().osError);
    if (result.state != SettingsFileState::Loaded) {
        EXPECT_EQ(settings.showGrid, 0);
    }
    if (result.state == SettingsFileState::Unreadable) {
        const std::string note = DescribeSettingsLoad(path, result);
        const std::string reason = result.osError != 0 ? std::strerror(result.osError) : "not a regular file";
        EXPECT_NE(note.find(reason), std::string::npos) << note;
        EXPECT_NE(note.find(path.string()), std::string::npos) << note;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFileLoad,
    ::testing::Values(
        LoadCase{"Nothing", [](const fs::path&) {}, SettingsFileState::Missing, 0, false},
        LoadCase{"DanglingLink", [](const fs::path& p) { fs::create_symlink("gone.ini", p); },
                 SettingsFileState::Missing, 0, false},
        LoadCase{"Readable", [](const fs::path& p) { WriteWhole(p, "0 0 0 1 0 1 1\r\n"); },
                 SettingsFileState::Loaded, 0, false},
        LoadCase{"LinkToReadable",
                 [](const fs::path& p) {
                     WriteWhole(p.parent_path() / "real.ini", "1 1 1 1 1 1 1\r\n");
                     fs::create_symlink("real.ini", p);
                 },
                 SettingsFileState::Loaded, 0, false},
        LoadCase{"Directory", [](const fs::path& p) { fs::create_directory(p); },
                 SettingsFileState::Unreadable, EISDIR, false},
        // Opening a FIFO for reading would wait for a writer: it must not.
        LoadCase{"Fifo", [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); },
                 SettingsFileState::Unreadable, 0, false},
        LoadCase{"NoReadPermission",
                 [](const fs::path& p) {
                     WriteWhole(p, "1 1 3\r\n");
                     fs::permissions(p, fs::perms::owner_write);
                 },
                 SettingsFileState::Unreadable, EACCES, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileIo, ANoteAboutAStrangePathStaysOneLine) {
    const std::string note = DescribeSettingsLoad(folder_ / "a\nb\x1b.ini",
                                                  {SettingsFileState::Unreadable, EACCES, {}, true});
    EXPECT_EQ(note.find('\n'), std::string::npos) << note;
    EXPECT_EQ(note.find('\x1b'), std::string::npos) << note;
    EXPECT_NE(note.find("a\\nb\\x1b.ini"), std::string::npos) << note;
}

// A dotfile manager's link stays a link; the file it points to gets the text.
TEST_F(SettingsFileIo, SavesThroughASymbolicLink) {
    fs::create_directory(folder_ / "dotfiles");
    const fs::path real = folder_ / "dotfiles" / "Velmarin.ini";
    WriteWhole(real, "old");
    const fs::path link = folder_ / "Velmarin.ini";
    fs::create_symlink("dotfiles/Velmarin.ini", link);
    ChartSettings settings;
    settings.displayMode = DisplayMode::Midnight;
    ASSERT_TRUE(SaveSettings(link, settings).ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadWhole(real), FormatSettingsText(settings));
    EXPECT_EQ(EntryCount(folder_ / "dotfiles"), 1);
}

TEST_F(SettingsFileIo, SaveCreatesFoldersAndLoadReadsItBack) {
    const fs::path path = folder_ / "a" / "b" / "Velmarin.ini";
    ChartSettings settings;
    settings.displayMode = DisplayMode::Twilight;
    settings.timeZoneHours = 1.5;
    settings.windowWidth = 1000;
    ASSERT_TRUE(SaveSettings(path, settings).ok());
    EXPECT_EQ(ReadWhole(path), "0 0 3 1 0 1 1\r\n52.000000 9.800000 1.5\r\n1000 800\r\n");
    ChartSettings back;
    ASSERT_EQ(LoadSettings(path, back).state, SettingsFileState::Loaded);
    EXPECT_EQ(back.displayMode, DisplayMode::Twilight);
    EXPECT_EQ(back.timeZoneHours, 1.5);
    EXPECT_EQ(back.windowWidth, 1000);

    // The two-line form leaves the default window size for the next start.
    ASSERT_TRUE(SaveSettings(path, settings, false).ok());
    EXPECT_EQ(ReadWhole(path), "0 0 3 1 0 1 1\r\n52.000000 9.800000 1.5\r\n");
    ChartSettings again;
    ASSERT_EQ(LoadSettings(path, again).state, SettingsFileState::Loaded);
    EXPECT_EQ(again.windowWidth, 1212);
    EXPECT_EQ(EntryCount(path.parent_path()), 1);  // no temporary file left behind
}

TEST_F(SettingsFileIo, ReplacesTheFileWholeAndSkipsAnUnchangedWrite) {
    const fs::path path = folder_ / "Velmarin.ini";
    ChartSettings first;
    ASSERT_TRUE(SaveSettings(path, first).ok());
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    // Same text: the file is left alone (same inode, still readable by the old handle).
    ASSERT_TRUE(SaveSettings(path, first).ok());
    struct stat same {};
    ASSERT_EQ(::stat(path.c_str(), &same), 0);
    EXPECT_EQ(same.st_ino, before.st_ino);

    // New text: a reader that opened the old file still sees it complete, so
    // the new one was never written into the old one in place.
    std::ifstream oldReader(path, std::ios::binary);
    ChartSettings second;
    second.showMoon = 0;
    ASSERT_TRUE(SaveSettings(path, second).ok());
    const std::string oldText{std::istreambuf_iterator<char>(oldReader), std::istreambuf_iterator<char>()};
    EXPECT_EQ(oldText, FormatSettingsText(first));
    EXPECT_EQ(ReadWhole(path), FormatSettingsText(second));
    EXPECT_EQ(EntryCount(folder_), 1);
}

// Saves killed before their rename leave temporary files; a later save clears
// the abandoned ones but not one another instance may be writing right now.
TEST_F(SettingsFileIo, ASaveRemovesAbandonedTemporaryFilesOnly) {
    const fs::path path = folder_ / "Velmarin.ini";
    const fs::path abandoned = folder_ / ".Velmarin.ini.velmarin-AbCd12";
    const fs::path fresh = folder_ / ".Velmarin.ini.velmarin-XyZ789";
    const fs::path unrelated = folder_ / ".Other.ini.velmarin-AbCd12";
    for (const fs::path& file : {abandoned, fresh, unrelated}) std::ofstream(file) << "12";
    const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(abandoned, anHourAgo);
    fs::last_write_time(unrelated, anHourAgo);

    ASSERT_TRUE(SaveSettings(path, ChartSettings{}).ok());
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_TRUE(fs::exists(unrelated));
    EXPECT_EQ(ReadWhole(path), FormatSettingsText(ChartSettings{}));
}

TEST_F(SettingsFileIo, KeepsThePermissionsOfTheFileItReplaces) {
    const fs::path path = folder_ / "Velmarin.ini";
    WriteWhole(path, "junk");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(SaveSettings(path, ChartSettings{}).ok());
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SettingsFileIo, AFileThatCannotBeWrittenStaysAsItWas) {
    // The folder's place is taken by a file: the folder cannot be made.
    WriteWhole(folder_ / "blocker", "keep");
    EXPECT_FALSE(SaveSettings(folder_ / "blocker" / "Velmarin.ini", ChartSettings{}).ok());
    EXPECT_EQ(ReadWhole(folder_ / "blocker"), "keep");

    // The file's place is taken by a folder: nothing replaces it, nothing is left over.
    fs::create_directory(folder_ / "Velmarin.ini");
    EXPECT_FALSE(SaveSettings(folder_ / "Velmarin.ini", ChartSettings{}).ok());
    EXPECT_TRUE(fs::is_directory(folder_ / "Velmarin.ini"));
    EXPECT_EQ(EntryCount(folder_), 2);

    // A read-only folder (only meaningful when not running as root).
    if (::geteuid() != 0) {
        const fs::path locked = folder_ / "locked";
        fs::create_directory(locked);
        WriteWhole(locked / "Velmarin.ini", "old text");
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(SaveSettings(locked / "Velmarin.ini", ChartSettings{}).ok());
        EXPECT_EQ(ReadWhole(locked / "Velmarin.ini"), "old text");
    }
}

TEST_F(SettingsFileIo, HugeFilesLoadFromTheirStart) {
    const fs::path path = folder_ / "Velmarin.ini";
    // A first line of valid values followed by megabytes of blanks and digits.
    WriteWhole(path, "1 1 3" + std::string(3 << 20, ' ') + std::string(1 << 20, '7'));
    ChartSettings settings;
    const SettingsLoadResult loaded = LoadSettings(path, settings);
    ASSERT_EQ(loaded.state, SettingsFileState::Loaded);
    // Not read whole: the caller must not rewrite it, and hears why.
    EXPECT_FALSE(loaded.complete);
    EXPECT_EQ(loaded.text.size(), std::size_t{1} << 20);
    EXPECT_NE(DescribeSettingsLoad(path, loaded).find("larger than 1 MiB"), std::string::npos);
    EXPECT_EQ(settings.codeByDiameter, 1);
    EXPECT_EQ(settings.displayMode, DisplayMode::Twilight);
    EXPECT_EQ(settings.showDayLine, 1);
    EXPECT_EQ(settings.latitude, ChartSettings{}.latitude);
}

TEST_F(SettingsFileIo, LongPathsWork) {
    fs::path path = folder_;
    for (int i = 0; i < 12; ++i) path /= std::string(40, static_cast<char>('a' + i));
    path /= "Velmarin.ini";
    ASSERT_GT(path.string().size(), 300u);
    ChartSettings settings;
    settings.showGrid = 0;
    ASSERT_TRUE(SaveSettings(path, settings).ok());
    ChartSettings back;
    ASSERT_EQ(LoadSettings(path, back).state, SettingsFileState::Loaded);
    EXPECT_EQ(back.showGrid, 0);
}

}  // namespace
}  // namespace velmarin
