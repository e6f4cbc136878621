#include "platform/StartupCleanup.h"

#include <cstdlib>
#include <dirent.h>
#include <sstream>
#include <unistd.h>

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/UserFolders.h"

namespace orvane {
namespace {

constexpr size_t kMaxProcFileBytes = 64u << 10;

// Seconds since the epoch at which the system booted ("btime" of /proc/stat).
bool BootTime(long long& seconds) {
    std::string stat;
    if (!ReadWholeFile("/proc/stat", stat, kMaxProcFileBytes)) return false;
    const auto at = stat.find("\nbtime ");
    if (at == std::string::npos) return false;
    seconds = std::atoll(stat.c_str() + at + 7);
    return seconds > 0;
}

// Clock ticks after boot at which this process started (field 22 of /proc/self/stat; the
// command name before it is in parentheses and may hold blanks).
bool StartTicks(long long& ticks) {
    std::string stat;
    if (!ReadWholeFile("/proc/self/stat", stat, kMaxProcFileBytes)) return false;
    const auto close = stat.rfind(')');
    if (close == std::string::npos) return false;
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    for (int index = 3; index <= 22 && (fields >> field); ++index) {
        if (index == 22) {
            ticks = std::atoll(field.c_str());
            return true;
        }
    }
    return false;
}

// The folder and every folder directly inside it.
void ForFolderAndChildren(const std::string& folder, size_t& removed, std::time_t startedAt) {
    removed += RemoveLeftoverTempFiles(folder, startedAt);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN)) continue;
        removed += RemoveLeftoverTempFiles(folder + "/" + name, startedAt);
    }
    ::closedir(dir);
}

}  // namespace

std::time_t ProcessStartTime() {
    long long boot = 0, ticks = 0;
    const long perSecond = ::sysconf(_SC_CLK_TCK);
    if (perSecond > 0 && BootTime(boot) && StartTicks(ticks)) return static_cast<std::time_t>(boot + ticks / perSecond);
    return std::time(nullptr);
}

size_t RemoveLeftoverTempFilesOfOurFolders() {
    const std::time_t startedAt = ProcessStartTime();
    size_t removed = 0;
    for (const std::string& folder : {ProductDataFolder(), ProductConfigFolder(), ProductStateFolder()}) {
        ForFolderAndChildren(folder, removed, startedAt);
    }
    if (removed > 0) DebugLog("start-up: removed " + std::to_string(removed) + " leftover temporary files");
    return removed;
}

}  // namespace orvane
