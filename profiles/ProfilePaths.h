#pragma once
// Where the profile module's files live, and the one check applied to every file name that
// comes out of a file's contents.

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

inline constexpr const char* kProfileExtension = ".Json";
inline constexpr const char* kDefaultLightFileName = "default_light.json";
inline constexpr const char* kMacroIndexFileName = "macro.config";
inline constexpr const char* kPadMacroIndexFileName = "vexal_macro.config";
inline constexpr const char* kMacroExtension = ".mac";
inline constexpr const char* kLightEffectExtension = ".light";

// "<program data>/DefaultData/": the shipped defaults (read only).
std::string DefaultDataFolder();
// Default data folder + device folder + ".Json".
std::string DefaultProfilePath(const std::string& deviceFolder);
// Default data folder + "default_light.json".
std::string DefaultLightNamesPath();
// The device's user data folder (trailing slash), created when missing.
std::string UserDataFolder(const std::string& deviceFolder);

// True for a bare file name: not empty, no '/' or '\\', no "..", no NUL. Names read from files
// ("Guid" of a macro or light effect) must pass before they become part of a path, so a file
// can never make the program read or write outside its folder.
bool IsPlainFileName(std::string_view name);
// folder + name + extension when `name` is a plain file name; nullopt otherwise.
std::optional<std::string> FileInFolder(const std::string& folder, std::string_view name,
                                        std::string_view extension);

}  // namespace orvane
