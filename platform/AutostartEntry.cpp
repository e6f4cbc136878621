#include "platform/AutostartEntry.h"

#include <cerrno>
#include <cstdio>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/UserFolders.h"

namespace orvane {
namespace {

constexpr size_t kMaxEntryBytes = 64 * 1024;

// One argument of an Exec key: quoted, with the characters the desktop entry rules reserve inside
// quotes escaped, then the backslashes doubled again for the string value, and '%' (a field
// code) doubled.
std::string ExecArgument(const std::string& argument) {
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (char c : quoted) {
        if (c == '\\') value += '\\';
        if (c == '%') value += '%';
        value += c;
    }
    return value;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::string AutostartEntryPath() { return ConfigHomeFolder() + "/autostart/" + kAutostartFileName; }

std::string AutostartEntryText(const std::string& executable) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=ORVANE Q730 Gaming Mouse\n"
           "Comment=Keeps the mouse settings at hand in the notification area\n"
           "Exec=" + ExecArgument(executable) + " " + kStartMinimisedOption + "\n"
           "Icon=orvane-q730\n"
           "Terminal=false\n"
           "NoDisplay=true\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool IsAutostartEnabled() {
    std::string text;
    if (!ReadWholeFile(AutostartEntryPath(), text, kMaxEntryBytes)) return false;
    std::istringstream lines(text);
    bool inEntry = false;
    for (std::string line; std::getline(lines, line);) {
        line = Trimmed(line);
        if (!line.empty() && line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry) continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = Trimmed(line.substr(0, equals));
        const std::string value = Trimmed(line.substr(equals + 1));
        if ((key == "Hidden" && value == "true") || (key == "X-GNOME-Autostart-enabled" && value == "false")) return false;
    }
    return true;
}

bool EnableAutostart(const std::string& executable) {
    if (executable.empty() || executable.front() != '/' || executable.find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    const std::string path = AutostartEntryPath();
    return MakeFolders(path.substr(0, path.rfind('/'))) && WriteFileAtomically(path, AutostartEntryText(executable));
}

bool DisableAutostart() {
    return std::remove(AutostartEntryPath().c_str()) == 0 || errno == ENOENT;
}

}  // namespace orvane
