#pragma once
// The small JSON files in which the desktop-settings fallbacks keep their values: one object of
// named integers and flags, written atomically, read whole (at most 1 MiB).

#include <json/json.h>

#include <string>

namespace orvane {

// The stored object, or an empty one when the file is missing or not a JSON object.
Json::Value ReadSettingsFile(const std::string& path);
// The member `key` when it is an integer that `valid` accepts, else `fallback`.
int ReadSettingsInt(const std::string& path, const char* key, int fallback, bool (*valid)(int));
// Sets one member, keeping the others; creates the folder. False when it could not be written.
bool StoreSetting(const std::string& path, const char* key, const Json::Value& value);

}  // namespace orvane
