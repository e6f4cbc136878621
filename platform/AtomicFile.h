#pragma once
// Whole-file reads and writes of the program's data files. A write never leaves a half-written
// file behind; a read never blocks on something that is not a file and never follows a link.

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace orvane {

// Temporary files of an atomic write are "<target><kAtomicTempInfix>XXXXXX" beside the target.
inline constexpr std::string_view kAtomicTempInfix = ".tmp-";

// Writes `content` to a temporary file in the target's folder (0600: user data is personal),
// flushes it to disk and renames it over `path`. On any failure the old file is untouched and
// false is returned. The temporary file is locked while it exists, so that a clean-up running
// in another process never removes a write in progress.
bool WriteFileAtomically(const std::string& path, std::string_view content);

enum class FileReadStatus {
    kRead,        // `content` holds the whole file
    kMissing,     // no such file
    kNotRegular,  // a folder, FIFO, socket, device or symbolic link: not opened for reading
    kTooLarge,    // larger than the cap
    kFailed,      // permissions or an I/O error
};

struct FileReadResult {
    FileReadStatus status = FileReadStatus::kMissing;
    std::string content;  // empty unless kRead
    int error = 0;        // errno of the failure, 0 when read
    uint32_t mode = 0;    // the file's type and mode bits, when known (kNotRegular)
};

// Reads a regular file whole. Opened without blocking and without following a final symbolic
// link, its type checked on the opened descriptor before anything is read.
FileReadResult ReadRegularFile(const std::string& path, size_t maxBytes);

// What the failure of a read was, in words ("is a FIFO, not a regular file", "is larger than
// 8 MiB", ...); empty for kRead and kMissing.
std::string DescribeFileReadFailure(const std::string& path, const FileReadResult& result, size_t maxBytes);

// As ReadRegularFile: false (content empty) for anything but a whole regular file within `maxBytes`.
bool ReadWholeFile(const std::string& path, std::string& content, size_t maxBytes = 64u << 20);

// True for the name of a temporary file of WriteFileAtomically.
bool IsAtomicTempName(std::string_view name);

// Removes the temporary files that interrupted atomic writes left in `folder` (not below it):
// only names of our own pattern, only regular files that no running write holds locked, and an
// empty one (a write may be between creating and locking it) only when last changed before
// `startedAt`. Returns how many were removed.
size_t RemoveLeftoverTempFiles(const std::string& folder, std::time_t startedAt);

}  // namespace orvane
