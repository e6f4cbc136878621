#include "profiles/ProfilePaths.h"

#include "platform/UserFolders.h"

namespace orvane {

std::string DefaultDataFolder() { return ProgramDataFolder() + "/DefaultData/"; }

std::string DefaultProfilePath(const std::string& deviceFolder) {
    return DefaultDataFolder() + deviceFolder + kProfileExtension;
}

std::string DefaultLightNamesPath() { return DefaultDataFolder() + kDefaultLightFileName; }

std::string UserDataFolder(const std::string& deviceFolder) {
    std::string folder = DeviceUserDataFolder(deviceFolder);
    MakeFolders(folder.substr(0, folder.size() - 1));
    return folder;
}

bool IsPlainFileName(std::string_view name) {
    if (name.empty()) return false;
    if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos) return false;
    return name.find("..") == std::string_view::npos;
}

std::optional<std::string> FileInFolder(const std::string& folder, std::string_view name,
                                        std::string_view extension) {
    if (!IsPlainFileName(name)) return std::nullopt;
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path.append(name);
    path.append(extension);
    return path;
}

}  // namespace orvane
