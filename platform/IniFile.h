#pragma once
// INI files written the way the profile-string writer of the original platform writes them:
// "[SECTION]" lines and "KEY=VALUE" lines below them, names matched without regard to case.
// Setting a key replaces its line, or adds it at the end of its section, or adds the section at
// the end of the file; every other line stays as it is. The file is replaced atomically.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

using IniValues = std::vector<std::pair<std::string, std::string>>;

// Sets `values` (key, value) in `section` of the file at `path`, creating the file when missing.
// False, with the file untouched, when it exists but cannot be read whole (or exceeds 1 MiB),
// when a name or value holds a line break or a name is empty or holds '=' or ']', or when it
// cannot be written.
bool WriteIniValues(const std::string& path, std::string_view section, const IniValues& values);

}  // namespace orvane
