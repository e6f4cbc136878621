#pragma once
// Where the program keeps and finds its files on Linux (XDG base directories).

#include <string>

namespace orvane {

inline constexpr const char* kProductFolderName = "ORVANE Q730 Gaming Mouse";

std::string HomeFolder();
// $XDG_DATA_HOME or ~/.local/share: the local application-data folder.
std::string DataHomeFolder();
// $XDG_STATE_HOME or ~/.local/state.
std::string StateHomeFolder();
// $XDG_CONFIG_HOME or ~/.config.
std::string ConfigHomeFolder();

// "<data home>/ORVANE Q730 Gaming Mouse/<device folder>/" (trailing slash kept, as callers append names).
std::string DeviceUserDataFolder(const std::string& deviceFolder);

// The folder holding skin/, DefaultData/ and Font/: beside the executable in a build tree,
// else the share folder of the prefix the executable is installed in, else the share folder of
// the prefix it was built for. Overridable with ORVANE_DATA_DIR.
std::string ProgramDataFolder();

// mkdir -p; true when the folder exists afterwards.
bool MakeFolders(const std::string& path);

}  // namespace orvane
