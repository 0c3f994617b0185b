#pragma once

#include <chrono>
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmarin {

// Why a file could not be replaced.
enum class FileWriteError {
    None,
    TargetIsDirectory,  // the target exists and is a directory
    TargetIsSpecial,    // the target exists and is a device, FIFO or socket
    DanglingLink,       // the target is a symbolic link to nothing
    TargetUnusable,     // the target cannot be examined or is not writable (osError says why)
    CreateTemporary,    // no temporary file beside the target (osError)
    WriteData,          // writing, flushing or closing the temporary file failed (osError)
    Replace,            // the rename over the target failed (osError)
};

// A replaced file's owner and group that the new file could not keep (only
// root may give a file away), and what the new file has instead.
struct FileOwnerChange {
    uid_t formerUser = 0;
    gid_t formerGroup = 0;
    uid_t user = 0;
    gid_t group = 0;
};

struct FileWriteResult {
    FileWriteResult() = default;
    FileWriteResult(FileWriteError error, int osError) : error(error), osError(osError) {}

    FileWriteError error = FileWriteError::None;
    int osError = 0;  // errno of the failing call, 0 when there was none
    // Set on success when the file replaced belonged to someone else.
    std::optional<FileOwnerChange> ownerChange;
    bool ok() const { return error == FileWriteError::None; }
};

// Replaces the file at `path` with `bytes`, all or nothing.
//
// The bytes go to a temporary file in the target's own folder; every write
// is checked, the file is flushed to disk (fsync) and renamed over the
// target, so the target is always either the old file or the complete new
// one. On any failure the temporary file is removed and the old file stays
// as it was.
//
// A symbolic link is written through: its final target gets the new content
// and the link stays a link. A link to nothing is refused (like cp does), as
// is an existing target that is not a regular file, or one the caller may
// not write. A replaced file keeps its permission bits and, where the
// process may set them, its owner and group; the result says when it could
// not (the file is written all the same). A new file gets 0666 less the umask.
// The folder is not created.
[[nodiscard]] FileWriteResult WriteFileAtomically(const std::filesystem::path& path,
                                                  std::string_view bytes);

// The reason as one English line without the path, e.g. "cannot write the
// data: No space left on device" (the system's text from strerror).
std::string DescribeFileWriteResult(const FileWriteResult& result);

// The note about a changed owner, e.g. "it belonged to bob:staff and now
// belongs to alice:alice" (names, or numbers where there are none).
std::string DescribeOwnerChange(const FileOwnerChange& change);

// Whether `name` is the name of a temporary file that WriteFileAtomically
// makes for a target named `targetName`: ".<targetName>.velmarin-XXXXXX",
// six letters or digits, the target's name cut so that the whole stays
// within 255 bytes.
bool IsTemporaryFileName(std::string_view name, std::string_view targetName);

// A write killed between creating its temporary file and the rename leaves
// that file behind. Removes such files of `target` that are older than
// `age` and belong to this process's user; younger ones may belong to
// another process writing right now.
void RemoveAbandonedTemporaryFiles(const std::filesystem::path& target,
                                   std::chrono::seconds age);

// How old a temporary file must be to count as abandoned: a write renames
// its file within moments of its last byte, and the file's time moves with
// every byte written, so ten minutes without a change is no live writer.
// WriteFileAtomically clears such files beside its target before it writes.
inline constexpr std::chrono::minutes kAbandonedTemporaryAge{10};

// A file size limit (ulimit -f) kills a process with SIGXFSZ at the write
// that crosses it; ignored, the write fails with EFBIG instead and is
// reported like a full disk, the temporary file removed. Called at start.
void TreatFileSizeLimitAsWriteError();

}  // namespace velmarin
