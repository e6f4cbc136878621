#pragma once
// Start with the desktop: an XDG autostart entry, "<config home>/autostart/orvane-q730.desktop",
// that starts the program minimised to the notification area. The session starts every entry of
// that folder at log-in unless the entry says "Hidden=true" or "X-GNOME-Autostart-enabled=false"
// (what desktop settings tools write to switch it off without removing it).

#include <string>

namespace orvane {

inline constexpr const char* kAutostartFileName = "orvane-q730.desktop";
// The program option the entry starts it with.
inline constexpr const char* kStartMinimisedOption = "--minimized";

std::string AutostartEntryPath();

// True when the entry exists and is not switched off.
bool IsAutostartEnabled();

// Writes the entry (atomically) starting `executable` with kStartMinimisedOption. False when the
// path is not absolute, holds a line break, or the file cannot be written.
bool EnableAutostart(const std::string& executable);

// Removes the entry; true when there is none afterwards.
bool DisableAutostart();

// The entry's text for `executable` (its Exec line quoted by the desktop entry rules).
std::string AutostartEntryText(const std::string& executable);

}  // namespace orvane
