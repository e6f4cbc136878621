#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

constexpr size_t kTempRandomLength = 6;  // mkstemp's XXXXXX

bool WriteAll(int fd, std::string_view content) {
    size_t done = 0;
    while (done < content.size()) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Opening flags of every read: a FIFO or device must not block the open, a link is not followed.
constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY;

const char* FileKind(uint32_t mode) {
    switch (mode & S_IFMT) {
        case S_IFDIR: return "a folder";
        case S_IFIFO: return "a FIFO";
        case S_IFSOCK: return "a socket";
        case S_IFCHR:
        case S_IFBLK: return "a device";
        case S_IFLNK: return "a symbolic link";
        default: return "not a file";
    }
}

std::string SizeText(size_t bytes) {
    constexpr size_t kMiB = 1u << 20;
    if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
    return std::to_string(bytes) + " bytes";
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content) {
    if (path.empty()) return false;
    std::string tmp = path + std::string(kAtomicTempInfix) + std::string(kTempRandomLength, 'X');
    int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    // Personal data whatever the umask; and locked until renamed, which tells a clean-up in
    // another process that this temporary file is a write in progress.
    bool ok = ::fchmod(fd, 0600) == 0 && ::flock(fd, LOCK_EX) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0 &&
              ::rename(tmp.c_str(), path.c_str()) == 0;
    const int error = errno;
    if (!ok) ::unlink(tmp.c_str());
    ::close(fd);  // after fsync the data is on disk; close only drops the lock
    if (ok) {
        int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    errno = ok ? 0 : error;
    return ok;
}

FileReadResult ReadRegularFile(const std::string& path, size_t maxBytes) {
    FileReadResult r;
    int fd = ::open(path.c_str(), kReadFlags);
    if (fd < 0) {
        r.error = errno;
        if (r.error == ENOENT || r.error == ENOTDIR) {
            r.status = FileReadStatus::kMissing;
        } else if (r.error == ELOOP || r.error == ENXIO) {
            // A final symbolic link (O_NOFOLLOW), or a socket.
            struct stat st {};
            r.status = FileReadStatus::kNotRegular;
            if (::lstat(path.c_str(), &st) == 0) r.mode = st.st_mode;
        } else {
            r.status = FileReadStatus::kFailed;
        }
        errno = r.error;
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        r.error = errno;
        r.status = FileReadStatus::kFailed;
    } else if (!S_ISREG(st.st_mode)) {
        r.mode = st.st_mode;
        r.error = EINVAL;
        r.status = FileReadStatus::kNotRegular;
    } else if (static_cast<uint64_t>(st.st_size) > maxBytes) {
        r.error = EFBIG;
        r.status = FileReadStatus::kTooLarge;
    } else {
        r.status = FileReadStatus::kRead;
        char buffer[65536];
        for (;;) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0) {
                if (errno == EINTR) continue;
                r.error = errno;
                r.status = FileReadStatus::kFailed;
                break;
            }
            if (n == 0) break;
            // The file may grow while it is read.
            if (r.content.size() + static_cast<size_t>(n) > maxBytes) {
                r.error = EFBIG;
                r.status = FileReadStatus::kTooLarge;
                break;
            }
            r.content.append(buffer, static_cast<size_t>(n));
        }
    }
    ::close(fd);
    if (r.status != FileReadStatus::kRead) r.content.clear();
    errno = r.error;
    return r;
}

std::string DescribeFileReadFailure(const std::string& path, const FileReadResult& result, size_t maxBytes) {
    switch (result.status) {
        case FileReadStatus::kRead:
        case FileReadStatus::kMissing: return {};
        case FileReadStatus::kNotRegular: return path + " is " + FileKind(result.mode) + ", not a regular file";
        case FileReadStatus::kTooLarge: return path + " is larger than " + SizeText(maxBytes);
        case FileReadStatus::kFailed: break;
    }
    return path + " cannot be read: " + std::strerror(result.error);
}

bool ReadWholeFile(const std::string& path, std::string& content, size_t maxBytes) {
    FileReadResult r = ReadRegularFile(path, maxBytes);
    content = std::move(r.content);
    errno = r.error;
    return r.status == FileReadStatus::kRead;
}

bool IsAtomicTempName(std::string_view name) {
    const size_t suffix = kAtomicTempInfix.size() + kTempRandomLength;
    if (name.size() <= suffix) return false;
    const std::string_view tail = name.substr(name.size() - suffix);
    if (tail.substr(0, kAtomicTempInfix.size()) != kAtomicTempInfix) return false;
    for (char c : tail.substr(kAtomicTempInfix.size())) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) return false;
    }
    return true;
}

size_t RemoveLeftoverTempFiles(const std::string& folder, std::time_t startedAt) {
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (dirFd < 0) return 0;
    DIR* dir = ::fdopendir(dirFd);
    if (dir == nullptr) {
        ::close(dirFd);
        return 0;
    }
    size_t removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsAtomicTempName(entry->d_name)) continue;
        int fd = ::openat(dirFd, entry->d_name, kReadFlags);
        if (fd < 0) continue;
        struct stat st {};
        // A write still running holds its lock; one that was killed held it no longer. The lock is
        // taken before the first byte, so only an empty file can be a write that has not locked yet:
        // that one goes only when it is older than this process.
        const bool leftover = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
                              (st.st_size > 0 || st.st_mtime < startedAt) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (leftover && ::unlinkat(dirFd, entry->d_name, 0) == 0) ++removed;
        ::close(fd);
    }
    ::closedir(dir);  // closes dirFd
    return removed;
}

}  // namespace orvane
