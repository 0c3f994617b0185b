// Runs the built program as scripts do: exit status, stdout, stderr, files.
#include <gtest/gtest.h>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/almanac/command_output.h"
#include "core/app/version_text.h"
#include "core/chart/phase_markers.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/time_calendar.h"
#include "core/test_names.h"

extern char** environ;

namespace velmarin {
namespace {

namespace fs = std::filesystem;

// ---- a minimal JSON reader: enough to check the shape and read numbers back ----
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;  // String: the value; Number: the literal as printed
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;  // in file order

    const Json& operator[](const std::string& key) const {
        for (const auto& [name, value] : members)
            if (name == key) return value;
        static const Json missing;
        ADD_FAILURE() << "no key " << key;
        return missing;
    }
    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        for (const auto& member : members) keys.push_back(member.first);
        return keys;
    }
};

class JsonReader {
public:
    explicit JsonReader(const std::string& text) : text_(text) {}
    bool Read(Json& out) {
        if (!Value(out)) return false;
        Space();
        return pos_ == text_.size();
    }

private:
    void Space() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    bool Literal(const char* word) {
        const std::string w = word;
        if (text_.compare(pos_, w.size(), w) != 0) return false;
        pos_ += w.size();
        return true;
    }
    bool StringValue(std::string& out) {
        if (pos_ >= text_.size() || text_[pos_] != '"') return false;
        for (++pos_; pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            if (c == '"') return ++pos_, true;
            if (c == '\\') return false;  // the program's strings need no escapes
            out += c;
        }
        return false;
    }
    bool Value(Json& out) {
        Space();
        if (pos_ >= text_.size()) return false;
        const char c = text_[pos_];
        if (c == '{') {
            out.kind = Json::Object;
            ++pos_;
            Space();
            if (pos_ < text_.size() && text_[pos_] == '}') return ++pos_, true;
            while (true) {
                Space();
                std::string key;
                Json value;
                if (!StringValue(key)) return false;
                Space();
                if (pos_ >= text_.size() || text_[pos_++] != ':' || !Value(value)) return false;
                out.members.emplace_back(key, value);
                Space();
                if (pos_ < text_.size() && text_[pos_] == ',') { ++pos_; continue; }
                return pos_ < text_.size() && text_[pos_++] == '}';
            }
        }
        if (c == '[') {
            out.kind = Json::Array;
            ++pos_;
            Space();
            if (pos_ < text_.size() && text_[pos_] == ']') return ++pos_, true;
            while (true) {
                Json value;
                if (!Value(value)) return false;
                out.items.push_back(value);
                Space();
                if (pos_ < text_.size() && text_[pos_] == ',') { ++pos_; continue; }
                return pos_ < text_.size() && text_[pos_++] == ']';
            }
        }
        if (c == '"') return out.kind = Json::String, StringValue(out.text);
        if (Literal("null")) return out.kind = Json::Null, true;
        if (Literal("true")) return out.kind = Json::Bool, out.boolean = true, true;
        if (Literal("false")) return out.kind = Json::Bool, true;
        if (Literal("null")) return out.kind = Json::Null, true;
        const char* start = text_.c_str() + pos_;
        char* end = nullptr;
        out.number = std::strtod(start, &end);
        if (end == start) return false;
        out.kind = Json::Number;
        out.text.assign(start, static_cast<std::size_t>(end - start));
        pos_ += static_cast<std::size_t>(end - start);
        return true;
    }
    const std::string& text_;
    std::size_t pos_ = 0;
};

// ---- running the program ----
struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliBinary : public ::testing::Test {
protected:
    void SetUp() override {
        const char* binary = std::getenv("VELMARIN_BINARY");
        if (binary == nullptr) GTEST_SKIP() << "VELMARIN_BINARY is not set (run through ctest)";
        binary_ = binary;
        ASSERT_TRUE(fs::exists(binary_)) << binary_;
        std::string pattern = (fs::temp_directory_path() / "velmarin-cli-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        scratch_ = pattern;
        config_ = scratch_ / "config";
        fs::create_directory(config_);
    }
    void TearDown() override {
        std::error_code error;
        if (!scratch_.empty()) fs::remove_all(scratch_, error);
    }

    // locale: when given, the program runs with LC_ALL set to it and no other locale variable.
    // withDisplay false: the X11 platform with no display to reach.
    RunResult Run(const std::vector<std::string>& args, const char* stdoutPath = nullptr,
                  const char* locale = nullptr, bool withDisplay = true) {
        std::vector<std::string> words{binary_.string()};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);

        std::vector<std::string> env{"XDG_CONFIG_HOME=" + config_.string(),
                                     withDisplay ? "QT_QPA_PLATFORM=offscreen" : "QT_QPA_PLATFORM=xcb"};
        if (locale != nullptr) env.push_back(std::string("LC_ALL=") + locale);
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry = *e;
            const bool localeEntry = entry.rfind("LC_", 0) == 0 || entry.rfind("LANG", 0) == 0;
            const bool display = entry.rfind("DISPLAY=", 0) == 0 || entry.rfind("WAYLAND_DISPLAY=", 0) == 0;
            if (entry.rfind("XDG_CONFIG_HOME=", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0 &&
                !(locale != nullptr && localeEntry) && (withDisplay || !display))
                env.push_back(entry);
        }
        std::vector<char*> envp;
        for (std::string& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);

        const fs::path outPath = scratch_ / "stdout", errPath = scratch_ / "stderr";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, stdoutPath ? stdoutPath : outPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addchdir_np(&actions, scratch_.c_str());
        pid_t pid = 0;
        RunResult result;
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << binary_;
            return result;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadWhole(outPath);
        result.err = ReadWhole(errPath);
        fs::remove(outPath);
        fs::remove(errPath);
        return result;
    }

    Json RunJson(const std::vector<std::string>& args) {
        const RunResult run = Run(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        Json json;
        EXPECT_TRUE(JsonReader(run.out).Read(json)) << run.out.substr(0, 200);
        return json;
    }

    // Every entry of the scratch folder besides the config folder and its content.
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(scratch_))
            names.push_back(fs::relative(entry.path(), scratch_).string());
        return names;
    }

    fs::path binary_, scratch_, config_;
};

// Numbers must read back to the same double: printing what was read gives the same text.
void ExpectRoundTrip(const Json& number) {
    ASSERT_EQ(number.kind, Json::Number);
    EXPECT_EQ(JsonNumber(number.number), number.text);
}

struct BadRun {
    const char* name;
    std::vector<std::string> args;
};
class CliBinaryBadInput : public CliBinary, public ::testing::WithParamInterface<BadRun> {};

TEST_P(CliBinaryBadInput, ExitsWithStatusTwoAndOneLineOnStderr) {
    const RunResult run = Run(GetParam().args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.rfind("velmarin: ", 0), 0u) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    // Nothing written: no settings file, no output file, nothing else.
    EXPECT_EQ(Leftovers(), std::vector<std::string>{"config"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliBinaryBadInput,
    ::testing::Values(
        BadRun{"PositionsWithoutInstant", {"positions"}},
        BadRun{"PositionsBadJd", {"positions", "--jd", "abc", "--json"}},
        BadRun{"PositionsNoSuchDay", {"positions", "--date", "2023-02-29"}},
        BadRun{"PositionsInfiniteJd", {"positions", "--jd", "inf"}},
        BadRun{"PhasesYearTooLarge", {"phases", "--year", "1000000"}},
        BadRun{"PhasesYearNotANumber", {"phases", "--year", "12x"}},
        BadRun{"DaylightLatitude", {"daylight", "--lat", "91"}},
        BadRun{"DaylightNanLongitude", {"daylight", "--lon", "nan"}},
        BadRun{"DaylightZone", {"daylight", "--tz", "25", "--json"}},
        BadRun{"DaylightNewlineInValue", {"daylight", "--lat", "1\n2"}},
        BadRun{"VisibilityLatitude", {"visibility", "--lat", "-90.5"}},
        BadRun{"VisibilityYear", {"visibility", "--year", "1000000", "--json"}},
        BadRun{"DaylightUnknownZone", {"daylight", "--zone", "Atlantis/Capital", "--json"}},
        BadRun{"DaylightZoneAndOffset", {"daylight", "--zone", "Asia/Kolkata", "--tz", "5.5"}},
        BadRun{"DaylightZoneAndSummerTime", {"daylight", "--summer-time", "off", "--zone", "Asia/Kolkata"}},
        BadRun{"DaylightZoneNotAName", {"daylight", "--zone", "../../etc/passwd"}},
        BadRun{"RenderUnknownZone", {"render", "--output", "chart.png", "--zone", "Europe/Atlantis"}},
        BadRun{"RenderZoneAndOffset", {"render", "--output", "chart.png", "--zone", "UTC", "--tz", "0"}},
        BadRun{"VisibilityUnknownZone", {"visibility", "--zone", "Atlantis/Capital", "--json"}},
        BadRun{"RenderWithoutOutput", {"render"}},
        BadRun{"RenderBadExtension", {"render", "--output", "chart.gif"}},
        BadRun{"RenderBadSize", {"render", "--output", "chart.png", "--size", "0x5"}},
        BadRun{"RenderUnwritableOutput", {"render", "--output", "missing-folder/chart.png"}},
        BadRun{"UnknownCommand", {"positionz", "--jd", "0"}},
        BadRun{"UnknownOption", {"--bogus"}},
        BadRun{"UnknownOptionAfterQtOption", {"-platform", "offscreen", "-bogus"}},
        BadRun{"VersionWithArgument", {"--version", "extra"}}),
    [](const ::testing::TestParamInfo<BadRun>& info) { return std::string(info.param.name); });

TEST_F(CliBinary, WithoutADisplayOneLineAndStatusOne) {
    const RunResult run = Run({}, nullptr, nullptr, false);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("velmarin: ", 0), 0u) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_EQ(Leftovers(), std::vector<std::string>{"config"});
}

TEST_F(CliBinary, VersionAndHelp) {
    const RunResult version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Velmarin " + ReadVersionInfo().versionText + "\n");
    const RunResult help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"positions", "phases", "daylight", "render", "--json"})
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    EXPECT_EQ(help.err, "");
}

TEST_F(CliBinary, PositionsJsonHasTheContractShapeAndTheLibraryValues) {
    const Json json = RunJson({"positions", "--date", "2000-01-01", "--time", "12:00", "--json"});
    EXPECT_EQ(json.Keys(), (std::vector<std::string>{"jd", "bodies", "moonNodeLongitude", "siderealTime0h"}));
    EXPECT_EQ(json["jd"].number, 2451545.0);
    const Json& bodies = json["bodies"];
    ASSERT_EQ(bodies.items.size(), 9u);
    const char* names[] = {"Sonne", "Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun", "Mond"};
    EphemerisContext context;
    for (int i = 0; i < 9; ++i) {
        const Json& body = bodies.items[static_cast<std::size_t>(i)];
        EXPECT_EQ(body.Keys(), (std::vector<std::string>{"index", "name", "ra", "dec", "diameter", "magnitude"}));
        EXPECT_EQ(body["index"].number, i);
        EXPECT_EQ(body["name"].text, names[i]);
        for (const char* key : {"ra", "dec", "diameter", "magnitude"}) ExpectRoundTrip(body[key]);
        // Bit for bit what the ephemeris gives when called in index order.
        const BodyPosition p = ComputeBodyPosition(context, kAllBodies[i], 2451545.0);
        EXPECT_EQ(body["ra"].number, p.ra) << names[i];
        EXPECT_EQ(body["dec"].number, p.dec) << names[i];
        EXPECT_EQ(body["diameter"].number, p.diameter) << names[i];
        EXPECT_EQ(body["magnitude"].number, p.magnitude) << names[i];
    }
    EXPECT_EQ(json["moonNodeLongitude"].number, context.moonNodeLongitude);
    EXPECT_EQ(json["siderealTime0h"].number, SiderealTimeAtZeroHours(2451545.0));

    // Against the sky of 2000-01-01 12h: Sun at RA 18h45m, Dec -23.0 deg;
    // Moon near RA 14h50m, Dec -10.9 deg; a wrong unit or sign misses by far more.
    EXPECT_NEAR(bodies.items[0]["ra"].number, 18.7525 / 12 * M_PI, 0.005);
    EXPECT_NEAR(bodies.items[0]["dec"].number, -23.03 * M_PI / 180, 0.005);
    EXPECT_NEAR(bodies.items[8]["ra"].number, 14.83 / 12 * M_PI, 0.02);
    EXPECT_NEAR(bodies.items[8]["dec"].number, -10.9 * M_PI / 180, 0.02);
    EXPECT_NEAR(bodies.items[0]["diameter"].number, 1951.0, 10.0);

    // --jd gives the same document as the date it stands for.
    const RunResult byJd = Run({"positions", "--jd", "2451545", "--json"});
    const RunResult byDate = Run({"positions", "--date", "2000-01-01", "--time", "12:00:00", "--json"});
    EXPECT_EQ(byJd.out, byDate.out);
}

TEST_F(CliBinary, PhasesJsonListsTheChartMarkers) {
    const Json json = RunJson({"phases", "--year", "2026", "--json"});
    EXPECT_EQ(json.Keys(), (std::vector<std::string>{"year", "phases"}));
    EXPECT_EQ(json["year"].number, 2026);
    const std::vector<PhaseMarker> markers = SearchPhaseMarkers(2026);
    const Json& phases = json["phases"];
    ASSERT_EQ(phases.items.size(), markers.size());
    ASSERT_GT(markers.size(), 45u);
    bool lunarEclipseOnMarch3 = false;
    for (std::size_t i = 0; i < markers.size(); ++i) {
        const Json& p = phases.items[i];
        EXPECT_EQ(p.Keys(), (std::vector<std::string>{"kind", "style", "label", "jd", "date", "moonRa",
                                                      "moonLongitude", "nodeLongitude"}));
        EXPECT_EQ(p["kind"].number, markers[i].kind);
        EXPECT_EQ(p["style"].number, markers[i].style);
        EXPECT_EQ(p["label"].text, PhaseMarkerLabel(markers[i].style));
        EXPECT_EQ(p["jd"].number, markers[i].jd);
        EXPECT_EQ(p["moonLongitude"].number, markers[i].moonLongitude);
        EXPECT_EQ(p["date"].text.substr(0, 5), "2026-");
        ExpectRoundTrip(p["moonRa"]);
        ExpectRoundTrip(p["nodeLongitude"]);
        if (p["date"].text == "2026-03-03" && p["style"].number == static_cast<int>(kStyleLunarEclipse) &&
            p["label"].text == "mögl. Mondfinsternis")
            lunarEclipseOnMarch3 = true;
    }
    EXPECT_TRUE(lunarEclipseOnMarch3);
}

TEST_F(CliBinary, DaylightJsonSamplesEverySecondDay) {
    const Json json = RunJson({"daylight", "--year", "2024", "--lat", "52.5", "--lon", "13.4",
                               "--tz", "1", "--summer-time", "off", "--json"});
    EXPECT_EQ(json.Keys(), (std::vector<std::string>{"year", "latitude", "longitude", "timeZoneHours",
                                                     "summerTime", "zone", "days"}));
    EXPECT_EQ(json["zone"].kind, Json::Null);
    EXPECT_EQ(json["latitude"].number, 52.5);
    EXPECT_EQ(json["longitude"].number, 13.4);
    EXPECT_EQ(json["summerTime"].kind, Json::Bool);
    EXPECT_FALSE(json["summerTime"].boolean);
    const Json& days = json["days"];
    ASSERT_EQ(days.items.size(), 183u);  // 1 Jan .. 30 Dec of a leap year
    EXPECT_EQ(days.items.front()["date"].text, "2024-01-01");
    EXPECT_EQ(days.items.back()["date"].text, "2024-12-30");
    for (const Json& day : days.items) {
        EXPECT_EQ(day.Keys(), (std::vector<std::string>{"jd", "date", "utcOffsetHours", "sunshineHours",
                                                        "darknessHours", "bands"}));
        EXPECT_EQ(day["utcOffsetHours"].number, 1.0);
        const std::string& bands = day["bands"].text;
        ASSERT_EQ(bands.size(), 240u);
        EXPECT_EQ(bands.find_first_not_of("01234"), std::string::npos);
        // The sums count the day and darkness samples, 0.1 h each.
        const auto count = [&](char band) { return static_cast<double>(std::count(bands.begin(), bands.end(), band)); };
        EXPECT_NEAR(day["sunshineHours"].number, 0.1 * count('0'), 1e-9);
        EXPECT_NEAR(day["darknessHours"].number, 0.1 * count('4'), 1e-9);
        ExpectRoundTrip(day["sunshineHours"]);
    }
    // Berlin: about 16.8 h of day at midsummer, 7.6 h at midwinter; no full darkness in June.
    const Json& june = days.items[86];
    EXPECT_EQ(june["date"].text, "2024-06-21");
    EXPECT_NEAR(june["sunshineHours"].number, 16.8, 0.3);
    EXPECT_EQ(june["darknessHours"].number, 0.0);
    const Json& december = days.items[177];
    EXPECT_EQ(december["date"].text, "2024-12-20");
    EXPECT_NEAR(december["sunshineHours"].number, 7.7, 0.3);
    // Without summer time at UT+1 local noon falls near 12:07 for 13.4 deg E: the
    // middle of the day band lies within a few samples of index 121.
    const std::string& bands = june["bands"].text;
    const double middle = (bands.find('0') + bands.rfind('0')) / 2.0;
    EXPECT_NEAR(middle, 121, 3);
}

TEST_F(CliBinary, VisibilityJsonAndTableAgree) {
    const std::vector<std::string> place{"visibility", "--year", "2026", "--lat", "52.52", "--lon", "13.405",
                                         "--tz", "1", "--summer-time", "on"};
    std::vector<std::string> jsonArgs = place;
    jsonArgs.push_back("--json");
    const Json json = RunJson(jsonArgs);
    EXPECT_EQ(json.Keys(), (std::vector<std::string>{"year", "latitude", "longitude", "zone", "days"}));
    EXPECT_EQ(json["zone"].kind, Json::Null);
    const Json& days = json["days"];
    ASSERT_EQ(days.items.size(), 365u);
    const std::vector<std::string> dayKeys{"date", "utcOffsetHours", "start", "bodies", "twilight",
                                           "darknessHours", "moonFreeDarknessHours"};
    const std::vector<std::string> bodyKeys{"index", "name", "rise", "transit", "transitAltitude",
                                            "set", "alwaysUp", "neverUp"};
    for (const Json& day : days.items) {
        ASSERT_EQ(day.Keys(), dayKeys);
        ASSERT_EQ(day["bodies"].items.size(), 9u);
        for (const Json& body : day["bodies"].items) ASSERT_EQ(body.Keys(), bodyKeys);
        EXPECT_LE(day["moonFreeDarknessHours"].number, day["darknessHours"].number + 1e-9);
    }
    // Berlin's midsummer day in the almanacs: sunrise 04:43, sunset 21:33 CEST.
    const Json& june = days.items[171];
    ASSERT_EQ(june["date"].text, "2026-06-21");
    EXPECT_EQ(june["utcOffsetHours"].number, 2.0);
    const Json& sun = june["bodies"].items[0];
    EXPECT_EQ(sun["name"].text, "Sonne");
    const auto localMinutes = [&](const Json& jd) { return (jd.number - june["start"].number) * 1440.0; };
    EXPECT_NEAR(localMinutes(sun["rise"]), 4 * 60 + 43, 3.0);
    EXPECT_NEAR(localMinutes(sun["set"]), 21 * 60 + 33, 3.0);
    // No astronomical darkness at 52.5 N at midsummer.
    EXPECT_EQ(june["twilight"]["astronomicalDusk"].kind, Json::Null);
    EXPECT_EQ(june["darknessHours"].number, 0.0);

    // The table's row of that day shows the same clock times.
    const RunResult table = Run(place);
    ASSERT_EQ(table.status, 0);
    const std::size_t row = table.out.find("\n21.06.2026");
    ASSERT_NE(row, std::string::npos);
    const std::string line = table.out.substr(row + 1, table.out.find('\n', row + 1) - row - 1);
    char riseText[32], setText[32];
    const auto clock = [](double minutes, char* text) {
        const int m = static_cast<int>(std::lround(minutes)) % 1440;
        std::snprintf(text, 32, "%02d:%02d", m / 60, m % 60);
    };
    clock(localMinutes(sun["rise"]), riseText);
    clock(localMinutes(sun["set"]), setText);
    EXPECT_NE(line.find(riseText), std::string::npos) << line;
    EXPECT_NE(line.find(setText), std::string::npos) << line;
    EXPECT_NE(line.find("—"), std::string::npos) << line;  // no dusk at -18 degrees
}

TEST_F(CliBinary, ReadsTheSettingsFileButNeverWritesIt) {
    const std::string file = "0 0 0 1 0 1 1\r\n60.000000 -20.000000 -1.0\r\n";
    {
        std::ofstream out(config_ / "Velmarin.ini", std::ios::binary);
        out << file;
    }
    const Json json = RunJson({"daylight", "--year", "2025", "--json"});
    EXPECT_NEAR(json["latitude"].number, 60.0, 1e-12);
    EXPECT_NEAR(json["longitude"].number, -20.0, 1e-12);
    EXPECT_EQ(json["timeZoneHours"].number, -1.0);
    EXPECT_TRUE(json["summerTime"].boolean);  // never in the file: on
    EXPECT_EQ(ReadWhole(config_ / "Velmarin.ini"), file);

    // Without a settings file nothing is created.
    fs::remove(config_ / "Velmarin.ini");
    const Json defaults = RunJson({"daylight", "--year", "2025", "--json"});
    EXPECT_EQ(defaults["latitude"].number, 52.0);
    EXPECT_EQ(Leftovers(), std::vector<std::string>{"config"});
}

TEST_F(CliBinary, AFullOutputIsAnErrorNotSilence) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const RunResult run = Run({"phases", "--year", "2026", "--json"}, "/dev/full");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, std::string("velmarin: phases: cannot write to standard output: ") + std::strerror(ENOSPC) + "\n");
}

TEST_F(CliBinary, ReadableTablesUseTheGermanLabels) {
    const RunResult positions = Run({"positions", "--jd", "2460389.5"});
    EXPECT_EQ(positions.status, 0);
    for (const char* label : {"Sonne", "Rektaszension", "Deklination", "Durchmesser", "Helligkeit", "Mond"})
        EXPECT_NE(positions.out.find(label), std::string::npos) << label;
    const RunResult phases = Run({"phases", "--year", "2026"});
    EXPECT_NE(phases.out.find("03.03.2026"), std::string::npos);
    EXPECT_NE(phases.out.find("mögl. Mondfinsternis"), std::string::npos);
    const RunResult daylight = Run({"daylight", "--year", "2026"});
    EXPECT_NE(daylight.out.find("Sonnenschein"), std::string::npos);
    EXPECT_NE(daylight.out.find("Dunkelheit"), std::string::npos);
    // A common year is sampled on odd days of the year, up to 31 December.
    EXPECT_NE(daylight.out.find("31.12.2026"), std::string::npos);
    EXPECT_EQ(daylight.out.find("30.12.2026"), std::string::npos);
}

// Every number the program writes uses "." whatever the user's locale: the
// same command gives the same bytes under C and under a German locale.
class CliBinaryLocale : public CliBinary,
                        public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(CliBinaryLocale, OutputIsTheSameUnderAGermanLocale) {
    const locale_t german = newlocale(LC_ALL_MASK, "de_DE.UTF-8", locale_t{});
    if (german == locale_t{}) GTEST_SKIP() << "no German locale here";
    freelocale(german);
    std::vector<std::string> args = GetParam();
    const bool render = args[0] == "render";
    std::string outputs[2];
    const char* locales[2] = {"C", "de_DE.UTF-8"};
    for (int i = 0; i < 2; ++i) {
        const std::string file = std::string("chart-") + std::to_string(i) + ".svg";
        std::vector<std::string> run = args;
        if (render) run.insert(run.end(), {"--output", file});
        const RunResult result = Run(run, nullptr, locales[i]);
        ASSERT_EQ(result.status, 0) << locales[i] << ": " << result.err;
        outputs[i] = render ? ReadWhole(scratch_ / file) : result.out;
    }
    ASSERT_FALSE(outputs[0].empty());
    EXPECT_TRUE(outputs[0] == outputs[1]) << "differs under de_DE.UTF-8";
    // The twilight chart names the place: the default 52 degrees north.
    if (args[2] == "twilight") {
        EXPECT_NE(outputs[1].find("52.00°N"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliBinaryLocale,
    ::testing::Values(std::vector<std::string>{"render", "--mode", "twilight", "--size", "640x480"},
                      std::vector<std::string>{"render", "--mode", "sun", "--size", "480x640",
                                               "--print"},
                      std::vector<std::string>{"daylight", "--year", "2025", "--lat", "48.25"},
                      std::vector<std::string>{"positions", "--jd", "2460389.5"},
                      std::vector<std::string>{"phases", "--year", "2025", "--json"}),
    [](const ::testing::TestParamInfo<std::vector<std::string>>& info) {
        return test::NameOfArguments(info.param);
    });

}  // namespace
}  // namespace velmarin

namespace velmarin {
namespace {

// Offsets (seconds) at local noon of every day of 2026, from python3's zoneinfo.
std::map<std::string, int> PythonNoonOffsets2026(const std::string& zone) {
    const std::string command =
        "python3 -c \"import sys, datetime as d, zoneinfo as z\n"
        "zi = z.ZoneInfo(sys.argv[1]); day = d.date(2026, 1, 1)\n"
        "while day.year == 2026:\n"
        "    print(day.isoformat(), int(d.datetime(2026, day.month, day.day, 12, tzinfo=zi).utcoffset().total_seconds()))\n"
        "    day += d.timedelta(1)\" " + zone;
    std::map<std::string, int> offsets;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return offsets;
    char date[32];
    int seconds = 0;
    while (std::fscanf(pipe, "%31s %d", date, &seconds) == 2) offsets[date] = seconds;
    ::pclose(pipe);
    return offsets;
}

struct ZonePlace {
    const char* zone;
    const char* lat;
    const char* lon;
};
class CliBinaryZone : public CliBinary, public ::testing::WithParamInterface<ZonePlace> {};

// Every day's offset is the zone database's at local noon, and the bands are
// those of a fixed zone of that day's offset.
TEST_P(CliBinaryZone, DaylightFollowsTheZoneDatabase) {
    const ZonePlace& c = GetParam();
    const std::map<std::string, int> expected = PythonNoonOffsets2026(c.zone);
    ASSERT_EQ(expected.size(), 365u) << "python3 zoneinfo gave no table";
    const Json json = RunJson({"daylight", "--year", "2026", "--lat", c.lat, "--lon", c.lon, "--zone", c.zone, "--json"});
    EXPECT_EQ(json["zone"].text, c.zone);
    std::map<double, Json> fixedRuns;  // by offset in hours
    for (const Json& day : json["days"].items) {
        const double hours = day["utcOffsetHours"].number;
        ASSERT_EQ(hours, expected.at(day["date"].text) / 3600.0) << day["date"].text;
        auto run = fixedRuns.find(hours);
        if (run == fixedRuns.end()) {
            run = fixedRuns.emplace(hours, RunJson({"daylight", "--year", "2026", "--lat", c.lat, "--lon", c.lon,
                                                    "--tz", JsonNumber(hours), "--summer-time", "off", "--json"}))
                      .first;
        }
        const auto& fixedDays = run->second["days"].items;
        const auto same = std::find_if(fixedDays.begin(), fixedDays.end(),
                                       [&](const Json& d) { return d["date"].text == day["date"].text; });
        ASSERT_NE(same, fixedDays.end());
        ASSERT_EQ(day["bands"].text, (*same)["bands"].text) << day["date"].text;
        ASSERT_EQ(day["sunshineHours"].number, (*same)["sunshineHours"].number) << day["date"].text;
    }
}

INSTANTIATE_TEST_SUITE_P(Zones, CliBinaryZone,
                         ::testing::Values(ZonePlace{"Australia/Sydney", "-33.87", "151.21"},
                                           ZonePlace{"America/New_York", "40.71", "-74.01"},
                                           ZonePlace{"Asia/Kolkata", "22.57", "88.36"},
                                           ZonePlace{"Asia/Kathmandu", "27.72", "85.32"},
                                           ZonePlace{"Europe/London", "51.51", "-0.13"},
                                           ZonePlace{"Pacific/Chatham", "-43.95", "-176.55"}),
                         [](const auto& info) {
                             std::string name = info.param.zone;
                             for (char& ch : name)
                                 if (ch == '/') ch = '_';
                             return name;
                         });

TEST_F(CliBinary, TheSettingsFilesZoneServesUntilAFixedOffsetIsGiven) {
    const auto writeFile = [&](const std::string& zoneLine) {
        std::ofstream out(config_ / "Velmarin.ini", std::ios::binary);
        out << "0 0 3 1 0 1 1\r\n22.570000 88.360000 1.0\r\n" << zoneLine;
    };
    writeFile("zone Asia/Kolkata\r\n");
    Json json = RunJson({"daylight", "--year", "2026", "--json"});
    EXPECT_EQ(json["zone"].text, "Asia/Kolkata");
    EXPECT_EQ(json["days"].items[0]["utcOffsetHours"].number, 5.5);
    json = RunJson({"daylight", "--year", "2026", "--tz", "2", "--json"});
    EXPECT_EQ(json["zone"].kind, Json::Null);
    EXPECT_EQ(json["days"].items[0]["utcOffsetHours"].number, 2.0);
    // A zone the database lacks counts as none.
    writeFile("zone Atlantis/Capital\r\n");
    json = RunJson({"daylight", "--year", "2026", "--json"});
    EXPECT_EQ(json["zone"].kind, Json::Null);
    EXPECT_EQ(json["days"].items[0]["utcOffsetHours"].number, 1.0);
}

}  // namespace
}  // namespace velmarin
