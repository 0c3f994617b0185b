#include "core/app/atomic_file.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <random>
#include <system_error>

namespace velmarin {
namespace {

constexpr std::size_t kTemporarySuffixLength = 6;
constexpr int kTemporaryNameAttempts = 100;
// Marks a temporary file as this program's: ".chart.ics.velmarin-AbC123". A
// plain ".chart.ics.backup" of the user's never looks like one.
constexpr std::string_view kTemporaryMark = ".velmarin-";
// The longest file name the usual Linux file systems take (NAME_MAX).
constexpr std::size_t kMaxNameBytes = 255;

// The file a write to `path` really lands in: the final target of a
// symbolic link, else `path` itself.
struct ResolvedTarget {
    std::filesystem::path path;
    FileWriteResult problem;
};

ResolvedTarget ResolveTarget(const std::filesystem::path& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return {path, {}};
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::canonical(path, error);
    if (error) {
        // A link of /proc (/dev/stdout to a pipe) names no path yet leads somewhere.
        struct stat reached {};
        if (error.value() == ENOENT && ::stat(path.c_str(), &reached) == 0)
            return {path, {S_ISREG(reached.st_mode) ? FileWriteError::TargetUnusable : FileWriteError::TargetIsSpecial,
                           S_ISREG(reached.st_mode) ? ENOENT : 0}};
        if (error.value() == ENOENT) return {path, {FileWriteError::DanglingLink, 0}};
        return {path, {FileWriteError::TargetUnusable, error.value()}};
    }
    return {std::move(resolved), {}};
}

// As much of the target's name as a temporary name can hold: a target name
// of up to 255 bytes is legal, so its temporary's name must not be longer.
std::string_view TemporaryStem(std::string_view targetName) {
    return targetName.substr(0, kMaxNameBytes - 1 - kTemporaryMark.size() - kTemporarySuffixLength);
}

bool IsNameLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

std::string TemporaryName(std::string_view targetName) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // Names only need to differ between attempts and processes; O_EXCL does the rest.
    thread_local std::minstd_rand random(static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ (::getpid() << 16)));
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string name = "." + std::string(TemporaryStem(targetName)) + std::string(kTemporaryMark);
    for (std::size_t i = 0; i < kTemporarySuffixLength; ++i) name += kLetters[pick(random)];
    return name;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the directory entry of a rename durable; failure only weakens that.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

}  // namespace

FileWriteResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    const ResolvedTarget resolved = ResolveTarget(path);
    if (!resolved.problem.ok()) return resolved.problem;
    const std::filesystem::path& target = resolved.path;

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT) return {FileWriteError::TargetUnusable, errno};
    if (replacing) {
        if (S_ISDIR(old.st_mode)) return {FileWriteError::TargetIsDirectory, 0};
        if (!S_ISREG(old.st_mode)) return {FileWriteError::TargetIsSpecial, 0};
        // The rename would replace a file the caller may not write; refuse as open() would.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return {FileWriteError::TargetUnusable, errno};
    }

    const std::filesystem::path folder = FolderOf(target);
    const std::string targetName = target.filename().string();
    // Before writing: what killed writes left behind may be what a full disk lacks.
    RemoveAbandonedTemporaryFiles(target, kAbandonedTemporaryAge);
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && fd < 0; ++attempt) {
        temporary = folder / TemporaryName(targetName);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return {FileWriteError::CreateTemporary, errno};

    int failure = 0;
    std::optional<FileOwnerChange> ownerChange;
    if (replacing) {
        // Keep the replaced file's owner where allowed (root), else at least its
        // group where the writer belongs to it; then its permissions.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            }
            struct stat made {};
            if (::fstat(fd, &made) == 0 && (made.st_uid != old.st_uid || made.st_gid != old.st_gid))
                ownerChange = FileOwnerChange{old.st_uid, old.st_gid, made.st_uid, made.st_gid};
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) failure = errno;
    }
    if (failure == 0 && !WriteAll(fd, bytes)) failure = errno;
    if (failure == 0 && ::fsync(fd) != 0) failure = errno;
    if (::close(fd) != 0 && failure == 0) failure = errno;
    if (failure != 0) {
        ::unlink(temporary.c_str());
        return {FileWriteError::WriteData, failure};
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        return {FileWriteError::Replace, renameError};
    }
    SyncFolder(folder);
    FileWriteResult done;
    done.ownerChange = ownerChange;
    return done;
}

std::string DescribeFileWriteResult(const FileWriteResult& result) {
    const std::string reason = result.osError != 0 ? std::strerror(result.osError) : "";
    switch (result.error) {
        case FileWriteError::None: return "written";
        case FileWriteError::TargetIsDirectory: return "it is a directory";
        case FileWriteError::TargetIsSpecial:
            return "it is a device, FIFO or socket, not a regular file";
        case FileWriteError::DanglingLink: return "it is a symbolic link to a missing file";
        case FileWriteError::TargetUnusable: return reason;
        case FileWriteError::CreateTemporary:
            return "cannot create a temporary file in its folder: " + reason;
        case FileWriteError::WriteData: return "cannot write the data: " + reason;
        case FileWriteError::Replace: return "cannot replace the file: " + reason;
    }
    return reason;
}

namespace {

std::string UserName(uid_t user) {
    const passwd* entry = ::getpwuid(user);
    return entry != nullptr && entry->pw_name != nullptr ? entry->pw_name : std::to_string(user);
}

std::string GroupName(gid_t group) {
    const struct group* entry = ::getgrgid(group);
    return entry != nullptr && entry->gr_name != nullptr ? entry->gr_name : std::to_string(group);
}

}  // namespace

std::string DescribeOwnerChange(const FileOwnerChange& change) {
    return "it belonged to " + UserName(change.formerUser) + ":" + GroupName(change.formerGroup) +
           " and now belongs to " + UserName(change.user) + ":" + GroupName(change.group);
}

bool IsTemporaryFileName(std::string_view name, std::string_view targetName) {
    const std::string prefix = "." + std::string(TemporaryStem(targetName)) + std::string(kTemporaryMark);
    if (name.size() != prefix.size() + kTemporarySuffixLength || name.substr(0, prefix.size()) != prefix)
        return false;
    const std::string_view suffix = name.substr(prefix.size());
    return std::all_of(suffix.begin(), suffix.end(), IsNameLetter);
}

void TreatFileSizeLimitAsWriteError() { std::signal(SIGXFSZ, SIG_IGN); }

void RemoveAbandonedTemporaryFiles(const std::filesystem::path& target, std::chrono::seconds age) {
    const ResolvedTarget resolved = ResolveTarget(target);
    if (!resolved.problem.ok()) return;
    const std::string targetName = resolved.path.filename().string();
    const auto now = std::filesystem::file_time_type::clock::now();
    std::error_code error;
    std::filesystem::directory_iterator entries(FolderOf(resolved.path), error);
    if (error) return;
    for (const auto& entry : entries) {
        if (!IsTemporaryFileName(entry.path().filename().string(), targetName)) continue;
        // Only our own: another user's file in a shared folder is theirs.
        struct stat info {};
        if (::lstat(entry.path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        std::error_code entryError;
        const auto written = entry.last_write_time(entryError);
        if (entryError || now - written < age) continue;
        std::filesystem::remove(entry.path(), entryError);
    }
}

}  // namespace velmarin
