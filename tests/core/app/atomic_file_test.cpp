#include "core/app/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <grp.h>
#include <pwd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>
#include "core/file_text.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

namespace fs = std::filesystem;

using test::ReadWhole;
using test::WriteWhole;

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "velmarin-atomic-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(folder_, error))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(folder_, error);
    }
    fs::path folder_;
};

TEST_F(AtomicFile, NewFileGetsTheBytesAndTheUmaskMode) {
    const mode_t oldMask = ::umask(027);
    const fs::path path = folder_ / "chart.png";
    const std::string bytes("\x89PNG\r\n\x1a\n\0binary", 16);
    const FileWriteResult result = WriteFileAtomically(path, bytes);
    ::umask(oldMask);
    ASSERT_TRUE(result.ok()) << DescribeFileWriteResult(result);
    EXPECT_EQ(ReadWhole(path), bytes);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);  // 0666 less umask 027
    EXPECT_EQ(Names(folder_), std::vector<std::string>{"chart.png"});
}

TEST_F(AtomicFile, ReplacementKeepsPermissionsAndOldReadersSeeTheOldFile) {
    const fs::path path = folder_ / "chart.svg";
    WriteWhole(path, "old content");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    std::ifstream oldReader(path, std::ios::binary);
    ASSERT_TRUE(WriteFileAtomically(path, "new").ok());
    EXPECT_EQ(ReadWhole(path), "new");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(oldReader), {}), "old content");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // An empty content is a content too.
    ASSERT_TRUE(WriteFileAtomically(path, "").ok());
    EXPECT_EQ(fs::file_size(path), 0u);
    EXPECT_EQ(Names(folder_), std::vector<std::string>{"chart.svg"});
}

// Links are written through: relative and absolute, chained, into another
// folder. The link stays a link and its final target gets the content; the
// temporary file lives (and is cleared) in the target's folder.
TEST_F(AtomicFile, SymbolicLinksAreWrittenThrough) {
    fs::create_directory(folder_ / "real");
    fs::create_directory(folder_ / "links");
    const fs::path target = folder_ / "real" / "Velmarin.ini";
    WriteWhole(target, "old");
    fs::create_symlink("../real/Velmarin.ini", folder_ / "links" / "relative.ini");
    fs::create_symlink(folder_ / "links" / "relative.ini", folder_ / "links" / "chained.ini");

    for (const char* name : {"relative.ini", "chained.ini"}) {
        const fs::path link = folder_ / "links" / name;
        const std::string content = std::string("via ") + name;
        const FileWriteResult result = WriteFileAtomically(link, content);
        ASSERT_TRUE(result.ok()) << name << ": " << DescribeFileWriteResult(result);
        EXPECT_TRUE(fs::is_symlink(link)) << name;
        EXPECT_EQ(ReadWhole(target), content) << name;
    }
    EXPECT_EQ(Names(folder_ / "real"), std::vector<std::string>{"Velmarin.ini"});
    EXPECT_EQ(Names(folder_ / "links"), (std::vector<std::string>{"chained.ini", "relative.ini"}));
}

// What an existing target that is no regular file gets: a refusal, and the
// thing itself stays what it was.
struct Refusal {
    const char* name;
    std::function<fs::path(const fs::path& folder)> make;
    FileWriteError expected;
};

class AtomicFileRefusal : public AtomicFile, public ::testing::WithParamInterface<Refusal> {};

TEST_P(AtomicFileRefusal, LeavesTheTargetAlone) {
    const fs::path path = GetParam().make(folder_);
    struct stat before {};
    const bool existed = ::stat(path.c_str(), &before) == 0;
    const auto namesBefore = Names(folder_);

    const FileWriteResult result = WriteFileAtomically(path, "would clobber");
    EXPECT_EQ(result.error, GetParam().expected) << DescribeFileWriteResult(result);
    EXPECT_EQ(Names(folder_), namesBefore);
    struct stat after {};
    EXPECT_EQ(::stat(path.c_str(), &after) == 0, existed);
    if (existed) {
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
    }
    const std::string text = DescribeFileWriteResult(result);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

fs::path MakeFifo(const fs::path& folder) {
    const fs::path path = folder / "pipe.png";
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
}

fs::path MakeSocket(const fs::path& folder) {
    const fs::path path = folder / "socket.pdf";
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    return path;
}

// A link to a character device, as the user met it. Root (CI) gets a device
// node of its own in the folder, so a writer that went wrong could only
// clobber that one; others link to /dev/null, which they cannot replace.
fs::path MakeDeviceLink(const fs::path& folder) {
    fs::path device = "/dev/null";
    if (::mknod((folder / "null-device").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
        device = folder / "null-device";
    fs::create_symlink(device, folder / "null.png");
    return folder / "null.png";
}

INSTANTIATE_TEST_SUITE_P(
    Targets, AtomicFileRefusal,
    ::testing::Values(
        Refusal{"Directory",
                [](const fs::path& f) { fs::create_directory(f / "dir.png"); return f / "dir.png"; },
                FileWriteError::TargetIsDirectory},
        Refusal{"Fifo", MakeFifo, FileWriteError::TargetIsSpecial},
        Refusal{"Socket", MakeSocket, FileWriteError::TargetIsSpecial},
        Refusal{"LinkToCharacterDevice", MakeDeviceLink, FileWriteError::TargetIsSpecial},
        Refusal{"LinkToDirectory",
                [](const fs::path& f) {
                    fs::create_directory(f / "d");
                    fs::create_symlink("d", f / "d.svg");
                    return f / "d.svg";
                },
                FileWriteError::TargetIsDirectory},
        Refusal{"DanglingLink",
                [](const fs::path& f) { fs::create_symlink("missing.png", f / "dangling.png"); return f / "dangling.png"; },
                FileWriteError::DanglingLink},
        Refusal{"LinkLoop",
                [](const fs::path& f) { fs::create_symlink("loop.png", f / "loop.png"); return f / "loop.png"; },
                FileWriteError::TargetUnusable},
        Refusal{"MissingFolder", [](const fs::path& f) { return f / "no" / "such.png"; },
                FileWriteError::CreateTemporary},
        Refusal{"FileAsFolder",
                [](const fs::path& f) { WriteWhole(f / "plain", "x"); return f / "plain" / "x.png"; },
                FileWriteError::TargetUnusable}),
    [](const auto& info) { return std::string(info.param.name); });

// Permission refusals only mean something to a process that is not root.
TEST_F(AtomicFile, PermissionsAreHonoured) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write anything";
    const fs::path readOnly = folder_ / "read-only.png";
    WriteWhole(readOnly, "keep");
    fs::permissions(readOnly, fs::perms::owner_read);
    FileWriteResult result = WriteFileAtomically(readOnly, "new");
    EXPECT_EQ(result.error, FileWriteError::TargetUnusable);
    EXPECT_EQ(result.osError, EACCES);
    EXPECT_EQ(ReadWhole(readOnly), "keep");

    const fs::path locked = folder_ / "locked";
    fs::create_directory(locked);
    WriteWhole(locked / "chart.png", "keep");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    result = WriteFileAtomically(locked / "chart.png", "new");
    EXPECT_EQ(result.error, FileWriteError::CreateTemporary);
    EXPECT_EQ(result.osError, EACCES);
    EXPECT_EQ(ReadWhole(locked / "chart.png"), "keep");
}

// A full disk, imitated by a file size limit in a child process (SIGXFSZ
// ignored, so write() fails with EFBIG instead of killing it): the old file
// stays whole and no temporary file is left. The child reports through its
// exit status: 0 the expected failure, 1 a reported success, 2 another error.
TEST_F(AtomicFile, AFailedWriteKeepsTheOldFile) {
    const fs::path path = folder_ / "chart.pdf";
    const std::string old(5000, 'o');
    WriteWhole(path, old);
    const std::string bytes(200000, 'n');

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const FileWriteResult result = WriteFileAtomically(path, bytes);
        ::_exit(result.ok() ? 1 : (result.error == FileWriteError::WriteData && result.osError == EFBIG) ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadWhole(path), old);
    EXPECT_EQ(Names(folder_), std::vector<std::string>{"chart.pdf"});
    EXPECT_EQ(DescribeFileWriteResult({FileWriteError::WriteData, EFBIG}),
              std::string("cannot write the data: ") + std::strerror(EFBIG));
}

struct TemporaryNameCase {
    const char* name;
    bool temporary;
};

class TemporaryFileName : public ::testing::TestWithParam<TemporaryNameCase> {};

TEST_P(TemporaryFileName, MatchesOnlyTheWritersPattern) {
    EXPECT_EQ(IsTemporaryFileName(GetParam().name, "Velmarin.ini"), GetParam().temporary);
}

INSTANTIATE_TEST_SUITE_P(Names, TemporaryFileName,
                         ::testing::Values(TemporaryNameCase{".Velmarin.ini.velmarin-AbCd12", true},
                                           TemporaryNameCase{".Velmarin.ini.velmarin-AbCd1", false},
                                           TemporaryNameCase{".Velmarin.ini.velmarin-AbCd123", false},
                                           TemporaryNameCase{".Velmarin.ini.velmarin-AbC.12", false},
                                           TemporaryNameCase{"Velmarin.ini.velmarin-AbCd12", false},
                                           // A user's backup beside the file is no temporary of ours.
                                           TemporaryNameCase{".Velmarin.ini.backup", false},
                                           TemporaryNameCase{".Velmarin.ini.AbCd12", false},
                                           TemporaryNameCase{".Other.ini.velmarin-AbCd12", false},
                                           TemporaryNameCase{"Velmarin.ini", false}),
                         [](const auto& info) { return test::SpelledOut(info.param.name); });

// Temporary files left by killed writes are cleared once old; a young one
// may be another process's write in progress. Through a link, the target's
// folder is the one cleared.
TEST_F(AtomicFile, AbandonedTemporaryFilesOfTheTargetAreRemoved) {
    fs::create_directory(folder_ / "real");
    const fs::path target = folder_ / "real" / "Velmarin.ini";
    WriteWhole(target, "x");
    fs::create_symlink(target, folder_ / "Velmarin.ini");
    const fs::path abandoned = folder_ / "real" / ".Velmarin.ini.velmarin-AbCd12";
    const fs::path fresh = folder_ / "real" / ".Velmarin.ini.velmarin-XyZ789";
    const fs::path unrelated = folder_ / "real" / ".Other.ini.velmarin-AbCd12";
    for (const fs::path& file : {abandoned, fresh, unrelated}) WriteWhole(file, "12");
    const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(abandoned, anHourAgo);
    fs::last_write_time(unrelated, anHourAgo);

    RemoveAbandonedTemporaryFiles(folder_ / "Velmarin.ini", std::chrono::minutes(10));
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_TRUE(fs::exists(unrelated));
    EXPECT_TRUE(fs::exists(target));
}

// Every write clears what killed writes left beside its target, and only that.
TEST_F(AtomicFile, AWriteClearsAbandonedTemporariesBesideItsTarget) {
    const fs::path target = folder_ / "c.ics";
    const auto old = fs::file_time_type::clock::now() - kAbandonedTemporaryAge - std::chrono::minutes(1);
    const auto young = fs::file_time_type::clock::now() - kAbandonedTemporaryAge + std::chrono::minutes(1);
    struct Leftover {
        const char* name;
        fs::file_time_type time;
        bool removed;
    };
    const Leftover leftovers[] = {
        {".c.ics.velmarin-Ab12Cd", old, true},
        {".c.ics.velmarin-Zz99zz", old, true},
        {".c.ics.velmarin-Xy34Zw", young, false},  // perhaps a write going on now
        {".c.ics.backup", old, false},             // the user's
        {".d.ics.velmarin-Ab12Cd", old, false},    // another target's
    };
    for (const Leftover& file : leftovers) {
        WriteWhole(folder_ / file.name, std::string(51200, 'x'));
        fs::last_write_time(folder_ / file.name, file.time);
    }
    ASSERT_TRUE(WriteFileAtomically(target, "new").ok());
    for (const Leftover& file : leftovers) EXPECT_EQ(fs::exists(folder_ / file.name), !file.removed) << file.name;
    EXPECT_EQ(ReadWhole(target), "new");
}

// In a shared folder another user's files are never ours to remove.
TEST_F(AtomicFile, AnotherUsersTemporaryStays) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can make a file of another user";
    const fs::path theirs = folder_ / ".c.ics.velmarin-Ab12Cd";
    WriteWhole(theirs, "12");
    ASSERT_EQ(::chown(theirs.c_str(), 12345, 12345), 0);
    fs::last_write_time(theirs, fs::file_time_type::clock::now() - std::chrono::hours(2));
    ASSERT_TRUE(WriteFileAtomically(folder_ / "c.ics", "new").ok());
    EXPECT_TRUE(fs::exists(theirs));
}

// A name of 255 bytes is legal; its temporary file must fit as well.
TEST_F(AtomicFile, LongestLegalNamesAreWritten) {
    for (const std::size_t length : {200u, 240u, 250u, 255u}) {
        const fs::path target = folder_ / (std::string(length - 4, 'n') + ".ics");
        EXPECT_TRUE(WriteFileAtomically(target, "x").ok()) << length;
        EXPECT_TRUE(WriteFileAtomically(target, "y").ok()) << length;
        EXPECT_EQ(ReadWhole(target), "y") << length;
    }
    EXPECT_EQ(Names(folder_).size(), 4u);  // no temporary left
}

// Under a file size limit (ulimit -f) the write that crosses it kills a
// process that does not ignore SIGXFSZ, and the cut temporary stays behind.
// The program ignores it: the write fails like a full disk.
TEST_F(AtomicFile, AFileSizeLimitIsAWriteError) {
    const fs::path path = folder_ / "c.ics";
    const std::string old = "BEGIN:VCALENDAR old\r\n";
    WriteWhole(path, old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        TreatFileSizeLimitAsWriteError();
        const rlimit limit{50 * 1024, 50 * 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
        const FileWriteResult result = WriteFileAtomically(path, std::string(200 * 1024, 'v'));
        ::_exit(result.error == FileWriteError::WriteData && result.osError == EFBIG ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadWhole(path), old);
    EXPECT_EQ(Names(folder_), std::vector<std::string>{"c.ics"});
}

// Another user replaces a file they may write but do not own: only root can
// keep its owner, so the result says who owned it and who owns it now.
struct OwnerCase {
    const char* name;
    uid_t writer;  // 0: root writes
    bool changed;
};

class ReplacedOwner : public AtomicFile, public ::testing::WithParamInterface<OwnerCase> {};

TEST_P(ReplacedOwner, IsKeptOrSaid) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can make files of other users";
    constexpr uid_t kOwner = 12345;
    constexpr gid_t kGroup = 12346;
    fs::permissions(folder_, fs::perms::all);
    const fs::path path = folder_ / "shared.csv";
    WriteWhole(path, "old");
    ASSERT_EQ(::chown(path.c_str(), kOwner, kGroup), 0);
    fs::permissions(path, fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec));

    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(report[0]);
        const uid_t writer = GetParam().writer;
        if (writer != 0 && (::setgroups(0, nullptr) != 0 || ::setgid(writer) != 0 || ::setuid(writer) != 0))
            ::_exit(3);
        const FileWriteResult result = WriteFileAtomically(path, "new");
        const std::string note = result.ownerChange ? DescribeOwnerChange(*result.ownerChange) : "-";
        if (::write(report[1], note.data(), note.size()) < 0) ::_exit(4);
        ::_exit(result.ok() ? 0 : 2);
    }
    ::close(report[1]);
    std::string note;
    char buffer[512];
    for (ssize_t got; (got = ::read(report[0], buffer, sizeof buffer)) > 0;) note.append(buffer, got);
    ::close(report[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    EXPECT_EQ(ReadWhole(path), "new");  // written all the same
    struct stat now {};
    ASSERT_EQ(::stat(path.c_str(), &now), 0);
    if (GetParam().changed) {
        EXPECT_EQ(now.st_uid, GetParam().writer);
        // Names where the system has them, numbers otherwise: both said.
        EXPECT_EQ(note.rfind("it belonged to ", 0), 0u) << note;
        const passwd* former = ::getpwuid(kOwner);
        EXPECT_NE(note.find(former ? former->pw_name : "12345"), std::string::npos) << note;
        EXPECT_NE(note.find(" and now belongs to "), std::string::npos) << note;
    } else {
        EXPECT_EQ(now.st_uid, kOwner);
        EXPECT_EQ(now.st_gid, kGroup);
        EXPECT_EQ(note, "-");
    }
}

INSTANTIATE_TEST_SUITE_P(Writers, ReplacedOwner,
                         ::testing::Values(OwnerCase{"RootKeepsTheOwner", 0, false},
                                           OwnerCase{"AnotherUserTakesTheFile", 23456, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmarin
