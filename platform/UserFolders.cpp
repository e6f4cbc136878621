#include "platform/UserFolders.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

std::string EnvFolder(const char* name) {
    const char* v = std::getenv(name);
    // XDG says relative values are invalid and must be ignored.
    if (v != nullptr && v[0] == '/') return v;
    return {};
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A folder of this user that nobody else can enter (a link is not followed).
bool IsPrivateFolder(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0;
}

}  // namespace

std::string ExecutableFolder() {
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    std::string exe(buffer, static_cast<size_t>(n));
    return exe.substr(0, exe.rfind('/'));
}

std::string HomeFolder() {
    if (auto home = EnvFolder("HOME"); !home.empty()) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr) return pw->pw_dir;
    return "/tmp";
}

std::string DataHomeFolder() {
    auto v = EnvFolder("XDG_DATA_HOME");
    return v.empty() ? HomeFolder() + "/.local/share" : v;
}

std::string StateHomeFolder() {
    auto v = EnvFolder("XDG_STATE_HOME");
    return v.empty() ? HomeFolder() + "/.local/state" : v;
}

std::string ConfigHomeFolder() {
    auto v = EnvFolder("XDG_CONFIG_HOME");
    return v.empty() ? HomeFolder() + "/.config" : v;
}

std::string CacheHomeFolder() {
    auto v = EnvFolder("XDG_CACHE_HOME");
    return v.empty() ? HomeFolder() + "/.cache" : v;
}

std::string ProductDataFolder() { return DataHomeFolder() + "/" + kProductFolderName; }
std::string ProductConfigFolder() { return ConfigHomeFolder() + "/" + kProductFolderName; }
std::string ProductStateFolder() { return StateHomeFolder() + "/orvane-q730"; }

std::string DeviceUserDataFolder(const std::string& deviceFolder) {
    return DataHomeFolder() + "/" + kProductFolderName + "/" + deviceFolder + "/";
}

std::string ProgramDataFolder() {
    if (auto v = EnvFolder("ORVANE_DATA_DIR"); !v.empty()) return v;
    // Build tree: executables in <build>/bin, data copied to <build>/bin as well.
    const std::string exe = ExecutableFolder();
    if (!exe.empty() && IsFolder(exe + "/DefaultData")) return exe;
    // Installed: <prefix>/bin beside <prefix>/share/orvane-q730, wherever the prefix ended up
    // (a staging folder, a package installed under another prefix).
    if (const std::string installed = exe + "/" + ORVANE_DATA_DIR_FROM_BIN; !exe.empty() && IsFolder(installed)) {
        return installed;
    }
    return ORVANE_INSTALLED_DATA_DIR;
}

bool MakeFolders(const std::string& path) {
    if (path.empty()) return false;
    std::string partial;
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = path.find('/', pos + 1);
        partial = path.substr(0, pos);
        if (partial.empty()) continue;
        if (::mkdir(partial.c_str(), 0700) == 0) {
            ::chmod(partial.c_str(), 0700);  // mkdir's mode passed through the umask
        } else if (errno != EEXIST) {
            return false;
        }
    }
    return IsFolder(path);
}

std::string PrivateRuntimeFolder() {
    if (auto runtime = EnvFolder("XDG_RUNTIME_DIR"); !runtime.empty() && IsPrivateFolder(runtime)) return runtime;
    const std::string cache = CacheHomeFolder();
    if (!MakeFolders(cache)) return {};
    const std::string folder = cache + "/orvane-q730-runtime";
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
    struct stat st {};
    // Ours but opened up by someone: closed again. Anything else there is not used.
    if (::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()) ::chmod(folder.c_str(), 0700);
    return IsPrivateFolder(folder) ? folder : std::string();
}

}  // namespace orvane
