#pragma once
// The macro files of a device's user data folder: the index "macro.config" ("MacroInfo": name
// and identifier per macro, in macro-number order) and one "<identifier>.mac" per macro with
// its steps. Shared by the macro editor and by the compiler of the mouse's macro memory.

#include <json/json.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "profiles/ProfilePaths.h"

namespace orvane {

inline constexpr int32_t kMacroFileVersion = 64;

// One macro step.
struct MacroEvent {
    std::string Action;  // "down" or "up"; for pointer moves the direction
    int32_t Button = 0;  // key usage, modifier bit, button bit or move distance, by Type
    int32_t Type = 0;    // 1 mouse button, 4/5 horizontal/vertical move, 9 modifier, 10 key
    std::string Delay;   // milliseconds to wait after the step, as decimal text

    bool IsDown() const { return Action == "down"; }
    // Delay read as a decimal integer ("70000" → 70000, "" or "abc" → 0).
    int32_t DelayMilliseconds() const;
    bool operator==(const MacroEvent&) const = default;
};

// "Delay" may be stored as a string or an integer; both read as text here.
MacroEvent MacroEventFromJson(const Json::Value& value);
// "Delay" is always written as decimal text.
Json::Value MacroEventToJson(const MacroEvent& event);

struct MacroIndexEntry {
    std::string MacroName;  // UTF-8
    std::string Guid;       // identifier = base name of the macro file
    bool operator==(const MacroIndexEntry&) const = default;
};

struct MacroFile {
    std::vector<MacroEvent> Events;
    std::string Guid;
    std::string MacroName;
    int32_t Version = kMacroFileVersion;
};

// The entries of "MacroInfo"; nullopt when the index is missing or not JSON.
std::optional<std::vector<MacroIndexEntry>> ReadMacroIndex(const std::string& path);
// Replaces "MacroInfo", keeping any other member of the file. True when written.
bool WriteMacroIndex(const std::string& path, const std::vector<MacroIndexEntry>& entries);

// folder + guid + ".mac"; nullopt when the identifier is not a plain file name.
std::optional<std::string> MacroFilePath(const std::string& folder, const std::string& guid);
// A missing or unreadable file reads as a macro without steps.
MacroFile ReadMacroFile(const std::string& path);
bool WriteMacroFile(const std::string& path, const MacroFile& macro);

struct DeviceMacro {
    MacroIndexEntry entry;
    std::vector<MacroEvent> events;  // empty when the file is missing, unreadable or unsafe
};

// Every macro of the folder in macro-number order with its steps; nullopt when the index
// cannot be read. `indexName` is "macro.config" (mouse, keyboard) or "vexal_macro.config".
std::optional<std::vector<DeviceMacro>> ReadDeviceMacros(const std::string& userDataFolder,
                                                         const std::string& indexName = kMacroIndexFileName);

}  // namespace orvane
