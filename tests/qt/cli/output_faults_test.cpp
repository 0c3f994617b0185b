// The program run as a process against the faults a user's machine has:
// a full disk (a file size limit), links, devices, FIFOs, folders in the
// way, standard output, and settings files it cannot read or whose values
// the command line would refuse. Nothing may be lost or reported as done.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/file_text.h"
#include "core/test_names.h"

extern char** environ;

namespace velmarin {
namespace {

namespace fs = std::filesystem;

using test::ReadWhole;
using test::WriteWhole;

struct ProcessRun {
    int status = -1;
    std::string out;
    std::string err;
};

const std::string kPngSignature("\x89PNG\r\n\x1a\n", 8);

class OutputFaults : public ::testing::Test {
protected:
    void SetUp() override {
        const char* binary = std::getenv("VELMARIN_BINARY");
        if (binary == nullptr) GTEST_SKIP() << "VELMARIN_BINARY is not set (run through ctest)";
        binary_ = binary;
        std::string pattern = (fs::temp_directory_path() / "velmarin-faults-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        scratch_ = pattern;
        work_ = scratch_ / "work";
        config_ = scratch_ / "config";
        fs::create_directory(work_);
        fs::create_directory(config_);
    }
    void TearDown() override {
        std::error_code error;
        if (!scratch_.empty()) fs::remove_all(scratch_, error);
    }

    // Runs the program in work_ with stdout to `stdoutPath` (a file of ours
    // by default), under a file size limit when given (SIGXFSZ ignored unless
    // asked otherwise, so writes fail with EFBIG as on a full disk instead of
    // killing it; the program ignores it itself).
    ProcessRun Start(const std::vector<std::string>& args, std::optional<rlim_t> fileSizeLimit = std::nullopt,
              const char* stdoutPath = nullptr, bool ignoreFileSizeSignal = true) {
        const fs::path outPath = scratch_ / "stdout", errPath = scratch_ / "stderr";
        std::vector<std::string> words{binary_.string()};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        const std::string xdg = "XDG_CONFIG_HOME=" + config_.string();

        const pid_t child = ::fork();
        if (child == 0) {
            const int out = ::open(stdoutPath ? stdoutPath : outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 || ::chdir(work_.c_str()) != 0)
                ::_exit(120);
            ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
            if (runAs_ && (::setgroups(0, nullptr) != 0 || ::setgid(*runAs_) != 0 || ::setuid(*runAs_) != 0))
                ::_exit(123);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            if (fileSizeLimit) {
                std::signal(SIGXFSZ, ignoreFileSizeSignal ? SIG_IGN : SIG_DFL);
                const rlimit limit{*fileSizeLimit, *fileSizeLimit};
                if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(121);
            }
            ::execv(argv[0], argv.data());
            ::_exit(122);
        }
        ProcessRun run;
        if (child < 0) {
            ADD_FAILURE() << "fork failed";
            return run;
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
        if (stdoutPath == nullptr) run.out = ReadWhole(outPath);
        run.err = ReadWhole(errPath);
        return run;
    }

    std::vector<std::string> WorkFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(work_)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path binary_, scratch_, work_, config_;
    std::optional<uid_t> runAs_;  // the user the program runs as, when not ours
};

// Exactly one line, the program's.
void ExpectOneLine(const std::string& err) {
    EXPECT_EQ(err.rfind("velmarin: ", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.back(), '\n') << err;
}

class FullDisk : public OutputFaults, public ::testing::WithParamInterface<const char*> {};

// A write that fails halfway leaves the old good file as it was, no
// temporary file, one line with the system's reason and status 1 (the
// system refused a write that could have worked).
TEST_P(FullDisk, KeepsTheOldFile) {
    const std::string name = std::string("chart.") + GetParam();
    const std::string old(5000, 'o');
    WriteWhole(work_ / name, old);
    const ProcessRun run = Start({"render", "--output", name, "--size", "400x300"}, rlim_t{2048});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.err.rfind("velmarin: render: --output '" + name + "': ", 0), 0u) << run.err;
    ExpectOneLine(run.err);
    EXPECT_NE(run.err.find(std::strerror(EFBIG)), std::string::npos) << run.err;
    EXPECT_EQ(ReadWhole(work_ / name), old);
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{name});

    // The same command with room to write replaces it.
    const ProcessRun again = Start({"render", "--output", name, "--size", "400x300"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.err, "");
    EXPECT_NE(ReadWhole(work_ / name), old);
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{name});
}

INSTANTIATE_TEST_SUITE_P(Formats, FullDisk, ::testing::Values("png", "svg", "pdf"),
    [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

// `ulimit -f 50` as a shell sets it, SIGXFSZ left at its default: the write
// that crosses the limit is a write error, not the end of the program.
class FileSizeLimit : public OutputFaults, public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(FileSizeLimit, IsAWriteErrorAndKeepsTheOldFile) {
    const std::string& name = GetParam().back();
    const std::string old = "old and good\n";
    WriteWhole(work_ / name, old);
    const ProcessRun run = Start(GetParam(), rlim_t{50 * 1024}, nullptr, false);
    EXPECT_EQ(run.status, 1) << "a status over 1000 is a signal: " << run.status;
    ExpectOneLine(run.err);
    EXPECT_NE(run.err.find(std::strerror(EFBIG)), std::string::npos) << run.err;
    EXPECT_EQ(ReadWhole(work_ / name), old);
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{name});
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FileSizeLimit,
    ::testing::Values(std::vector<std::string>{"visibility", "--year", "2026", "--format", "ics", "--output", "c.ics"},
                      std::vector<std::string>{"render", "--years", "2026,2027", "--size", "800x600", "--output",
                                               "r-{year}.png"},
                      std::vector<std::string>{"daylight", "--year", "2026", "--format", "csv", "--output", "d.csv"},
                      std::vector<std::string>{"daylight", "--year", "2026", "--json", "--output", "d.json"}),
    [](const auto& info) { return test::NameOfArguments(info.param); });

// One convention for every command's messages: status 2 for bad input (an
// output that cannot be written at all among it), 1 when the system refused
// a write with its reason; one line, with the command's prefix.
struct MessageCase {
    const char* name;
    std::vector<std::string> args;
    const char* stdoutPath;
    std::optional<rlim_t> fileSizeLimit;
    int status;
    std::string start;   // how the one line begins
    std::string reason;  // a part of it
};

void PrintTo(const MessageCase& c, std::ostream* out) { *out << c.name; }

class Messages : public OutputFaults, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(Messages, FollowOneConvention) {
    const MessageCase& c = GetParam();
    const ProcessRun run = Start(c.args, c.fileSizeLimit, c.stdoutPath, false);
    EXPECT_EQ(run.status, c.status) << run.err;
    ExpectOneLine(run.err);
    EXPECT_EQ(run.err.rfind(c.start, 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    EXPECT_LT(run.err.size(), 400u) << "a word echoed whole";
    EXPECT_TRUE(WorkFiles().empty());
}

const std::string kLongWord(100000, 'a');

INSTANTIATE_TEST_SUITE_P(
    Cases, Messages,
    ::testing::Values(
        MessageCase{"FullDiskIsTheSystems", {"phases", "--year", "2026", "--format", "ics", "--output", "p.ics"},
                    nullptr, rlim_t{1024}, 1, "velmarin: phases: --output 'p.ics': ", std::strerror(EFBIG)},
        MessageCase{"FullStandardOutput", {"daylight", "--year", "2026", "--json"}, "/dev/full", std::nullopt, 1,
                    "velmarin: daylight: cannot write to standard output: ", std::strerror(ENOSPC)},
        MessageCase{"FullStandardOutputByName", {"positions", "--jd", "2451545", "--output", "/dev/stdout"},
                    "/dev/full", std::nullopt, 1, "velmarin: positions: cannot write to standard output: ",
                    std::strerror(ENOSPC)},
        MessageCase{"HelpToAFullOutput", {"--help"}, "/dev/full", std::nullopt, 1,
                    "velmarin: cannot write to standard output: ", std::strerror(ENOSPC)},
        MessageCase{"MissingFolderIsBadInput", {"daylight", "--year", "2026", "--output", "no/d.txt"}, nullptr,
                    std::nullopt, 2, "velmarin: daylight: --output 'no/d.txt': ", std::strerror(ENOENT)},
        MessageCase{"DeviceIsBadInput", {"visibility", "--year", "2026", "--output", "/dev/full"}, nullptr,
                    std::nullopt, 2, "velmarin: visibility: --output '/dev/full': ", "device, FIFO or socket"},
        MessageCase{"LongUnknownCommandIsCut", {kLongWord}, nullptr, std::nullopt, 2, "velmarin: unknown command 'aaa",
                    "(100000 bytes)"},
        MessageCase{"LongUnknownOptionIsCut", {"--" + kLongWord}, nullptr, std::nullopt, 2,
                    "velmarin: unknown option '--aaa", "(100002 bytes)"}),
    [](const auto& info) { return std::string(info.param.name); });

// --output /dev/stdout into a pipe is standard output, not a missing file.
TEST_F(OutputFaults, StandardOutputByNameIntoAPipe) {
    const std::string command = binary_.string() + " phases --year 2026 --format csv --output /dev/stdout 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
    const int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
    EXPECT_EQ(out.find("velmarin:"), std::string::npos) << out;
    EXPECT_GT(std::count(out.begin(), out.end(), '\n'), 40) << out;
}

// A file name of 250 bytes is legal; so is writing it.
TEST_F(OutputFaults, ALongLegalNameIsWritten) {
    const std::string name = std::string(246, 'n') + ".ics";
    const ProcessRun run = Start({"phases", "--year", "2026", "--format", "ics", "--output", name});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{name});
}

// Another user replaces a file they may write in a shared folder: written,
// and one line says whose it was and whose it is now.
TEST_F(OutputFaults, AnOwnerChangeIsSaid) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can make files of other users";
    for (const fs::path& folder : {scratch_, work_, config_}) fs::permissions(folder, fs::perms::all);
    const fs::path shared = work_ / "shared.csv";
    WriteWhole(shared, "theirs");
    ASSERT_EQ(::chown(shared.c_str(), 12345, 12345), 0);
    fs::permissions(shared, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    runAs_ = 23456;
    const ProcessRun run = Start({"daylight", "--year", "2026", "--format", "csv", "--output", "shared.csv"});
    EXPECT_EQ(run.status, 0) << run.err;
    ExpectOneLine(run.err);
    const passwd* former = ::getpwuid(12345);
    EXPECT_EQ(run.err.rfind("velmarin: daylight: --output 'shared.csv': written, but it belonged to " +
                                std::string(former ? former->pw_name : "12345"),
                            0),
              0u)
        << run.err;
    EXPECT_NE(ReadWhole(shared), "theirs");
    EXPECT_EQ(fs::status(shared).permissions() & fs::perms::others_write, fs::perms::others_write);
}

// What a killed write left beside its output is gone after the next write.
TEST_F(OutputFaults, AKilledWritesTemporaryGoesWithTheNextWrite) {
    const fs::path leftover = work_ / ".c.ics.velmarin-Ab12Cd";
    WriteWhole(leftover, std::string(51200, 'x'));
    fs::last_write_time(leftover, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const ProcessRun run = Start({"phases", "--year", "2026", "--format", "ics", "--output", "c.ics"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"c.ics"});
}

TEST_F(OutputFaults, WritesThroughALinkAndKeepsIt) {
    fs::create_directory(work_ / "real");
    WriteWhole(work_ / "real" / "chart.png", "old");
    fs::create_symlink("real/chart.png", work_ / "link.png");
    const ProcessRun run = Start({"render", "--output", "link.png", "--size", "200x100"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(work_ / "link.png"));
    EXPECT_EQ(ReadWhole(work_ / "real" / "chart.png").substr(0, 8), kPngSignature);
    EXPECT_EQ(WorkFiles(), (std::vector<std::string>{"link.png", "real"}));
}

struct Refused {
    const char* name;
    void (*make)(const fs::path& work);
    const char* output;
    const char* reason;
};

class RefusedOutput : public OutputFaults, public ::testing::WithParamInterface<Refused> {};

// Whatever stands at the output name and is no regular file stays what it was.
TEST_P(RefusedOutput, LeavesItAlone) {
    GetParam().make(work_);
    const fs::path output = work_ / GetParam().output;
    struct stat before {};
    const bool existed = ::lstat(output.c_str(), &before) == 0;
    const auto files = WorkFiles();
    const ProcessRun run = Start({"render", "--output", GetParam().output, "--size", "200x100"});
    EXPECT_EQ(run.status, 2);
    ExpectOneLine(run.err);
    EXPECT_NE(run.err.find(GetParam().reason), std::string::npos) << run.err;
    EXPECT_EQ(WorkFiles(), files);
    struct stat after {};
    EXPECT_EQ(::lstat(output.c_str(), &after) == 0, existed);
    if (existed) {
        EXPECT_EQ(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
    }
    struct stat null {};
    ASSERT_EQ(::stat("/dev/null", &null), 0);
    EXPECT_TRUE(S_ISCHR(null.st_mode));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, RefusedOutput,
    ::testing::Values(
        // Root (CI) links to a device node of its own, so a program that went
        // wrong clobbers only that; others link to /dev/null, which they cannot replace.
        Refused{"LinkToCharacterDevice",
                [](const fs::path& w) {
                    fs::path device = "/dev/null";
                    if (::mknod((w / "device").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) device = w / "device";
                    fs::create_symlink(device, w / "null.png");
                },
                "null.png", "device, FIFO or socket"},
        // Nobody reads the FIFO: opening it for writing would hang.
        Refused{"Fifo", [](const fs::path& w) { ::mkfifo((w / "pipe.svg").c_str(), 0600); }, "pipe.svg",
                "device, FIFO or socket"},
        Refused{"Directory", [](const fs::path& w) { fs::create_directory(w / "dir.pdf"); }, "dir.pdf",
                "is a directory"},
        Refused{"DanglingLink", [](const fs::path& w) { fs::create_symlink("gone.png", w / "gone-link.png"); },
                "gone-link.png", "symbolic link to a missing file"},
        Refused{"MissingFolder", [](const fs::path&) {}, "no/such/chart.png", std::strerror(ENOENT)},
        // Control characters in the name come out escaped, the line stays one line.
        Refused{"NameWithNewlineAndEscape", [](const fs::path&) {}, "no/a\nb\x1b[2J.png",
                "'no/a\\nb\\x1b[2J.png'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OutputFaults, StandardOutputTakesEachFormat) {
    const ProcessRun png = Start({"render", "--output", "-", "--format", "png", "--size", "200x100"});
    EXPECT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(png.err, "");
    EXPECT_EQ(png.out.substr(0, 8), kPngSignature);
    const ProcessRun svg = Start({"render", "--output=-", "--format=svg", "--size", "200x100"});
    EXPECT_EQ(svg.status, 0) << svg.err;
    EXPECT_NE(svg.out.find("<svg"), std::string::npos);
    const ProcessRun pdf = Start({"render", "--format", "pdf", "--output", "-", "--size", "200x100"});
    EXPECT_EQ(pdf.status, 0) << pdf.err;
    EXPECT_EQ(pdf.out.rfind("%PDF", 0), 0u);
    EXPECT_NE(pdf.out.find("%%EOF"), std::string::npos);
    EXPECT_TRUE(WorkFiles().empty());

    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const ProcessRun full = Start({"render", "--output", "-", "--format", "png", "--size", "200x100"}, std::nullopt,
                           "/dev/full");
    EXPECT_EQ(full.status, 1);  // the system refused a write that could have worked
    ExpectOneLine(full.err);
    EXPECT_NE(full.err.find(std::strerror(ENOSPC)), std::string::npos) << full.err;
}

// Values in the settings file the command line would refuse: the same
// refusal, naming the file, unless an option overrides the value.
TEST_F(OutputFaults, SettingsFileValuesMeetTheCommandLineLimits) {
    WriteWhole(config_ / "Velmarin.ini", "0 0 0 1 0 1 1\r\n1e308 9.8 1.0\r\n");
    const ProcessRun daylight = Start({"daylight", "--year", "2026", "--json"});
    EXPECT_EQ(daylight.status, 2);
    EXPECT_EQ(daylight.out, "");
    ExpectOneLine(daylight.err);
    EXPECT_NE(daylight.err.find("latitude 1e+308"), std::string::npos) << daylight.err;
    EXPECT_NE(daylight.err.find((config_ / "Velmarin.ini").string()), std::string::npos) << daylight.err;
    EXPECT_NE(daylight.err.find("--lat"), std::string::npos) << daylight.err;

    const ProcessRun render = Start({"render", "--output", "x.png", "--size", "200x100"});
    EXPECT_EQ(render.status, 2);
    ExpectOneLine(render.err);
    EXPECT_TRUE(WorkFiles().empty());

    const ProcessRun overridden = Start({"daylight", "--year", "2026", "--lat", "50", "--json"});
    EXPECT_EQ(overridden.status, 0) << overridden.err;
    EXPECT_EQ(overridden.err, "");
    EXPECT_EQ(ReadWhole(config_ / "Velmarin.ini"), "0 0 0 1 0 1 1\r\n1e308 9.8 1.0\r\n");
}

// A settings file that cannot be read: the defaults, said in one line, and
// the command does its work. A folder in the file's place stands for any
// unreadable file, since root reads files whatever their mode.
TEST_F(OutputFaults, AnUnreadableSettingsFileIsSaidOnce) {
    fs::create_directory(config_ / "Velmarin.ini");
    const ProcessRun run = Start({"daylight", "--year", "2026", "--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    ExpectOneLine(run.err);
    EXPECT_NE(run.err.find("cannot read the settings file"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("\"latitude\":52"), std::string::npos) << run.out.substr(0, 100);
    EXPECT_TRUE(fs::is_directory(config_ / "Velmarin.ini"));
}

}  // namespace
}  // namespace velmarin
