#pragma once
// Where the program keeps and finds its files on Linux (XDG base directories).

#include <string>

namespace orvane {

inline constexpr const char* kProductFolderName = "ORVANE Q730 Gaming Mouse";

std::string HomeFolder();
// The folder of the running program (no trailing slash); empty when it cannot be told.
std::string ExecutableFolder();
// $XDG_DATA_HOME or ~/.local/share: the local application-data folder.
std::string DataHomeFolder();
// $XDG_STATE_HOME or ~/.local/state.
std::string StateHomeFolder();
// $XDG_CONFIG_HOME or ~/.config.
std::string ConfigHomeFolder();
// $XDG_CACHE_HOME or ~/.cache.
std::string CacheHomeFolder();
// The folders whose files are the program's own: "<data home>/ORVANE Q730 Gaming Mouse",
// "<config home>/ORVANE Q730 Gaming Mouse" and "<state home>/orvane-q730".
std::string ProductDataFolder();
std::string ProductConfigFolder();
std::string ProductStateFolder();

// "<data home>/ORVANE Q730 Gaming Mouse/<device folder>/" (trailing slash kept, as callers append names).
std::string DeviceUserDataFolder(const std::string& deviceFolder);

// The folder holding skin/, DefaultData/ and Font/: beside the executable in a build tree,
// else the share folder of the prefix the executable is installed in, else the share folder of
// the prefix it was built for. Overridable with ORVANE_DATA_DIR.
std::string ProgramDataFolder();

// mkdir -p; true when the folder exists afterwards. Folders it creates are 0700 whatever the
// umask: what the program keeps is personal (macros can hold recorded keystrokes).
bool MakeFolders(const std::string& path);

// A folder only this user can enter, for the single-instance lock and socket: $XDG_RUNTIME_DIR
// when it is an absolute path to a folder of this user that no one else may enter; otherwise
// "<cache home>/orvane-q730-runtime", made 0700 (a folder there that is not this user's, or is
// open to others and cannot be closed, is not used). Never a shared folder such as /tmp. Empty
// when neither can be had.
std::string PrivateRuntimeFolder();

}  // namespace orvane
