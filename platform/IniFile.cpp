#include "platform/IniFile.h"

#include <sys/stat.h>

#include "platform/AtomicFile.h"

namespace orvane {
namespace {

constexpr size_t kMaxIniBytes = 1u << 20;

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// True for a "[NAME]" line; `name` is then NAME.
bool SectionName(std::string_view line, std::string_view& name) {
    const std::string_view t = Trimmed(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
    name = Trimmed(t.substr(1, t.size() - 2));
    return true;
}

bool IsKeyLine(std::string_view line, std::string_view key) {
    const size_t equals = line.find('=');
    return equals != std::string_view::npos && EqualIgnoringCase(Trimmed(line.substr(0, equals)), key);
}

bool SafeText(std::string_view text) { return text.find_first_of("\r\n") == std::string_view::npos; }
bool SafeName(std::string_view name) {
    return !Trimmed(name).empty() && SafeText(name) && name.find_first_of("=]") == std::string_view::npos;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

bool WriteIniValues(const std::string& path, std::string_view section, const IniValues& values) {
    if (!SafeName(section)) return false;
    for (const auto& [key, value] : values) {
        if (!SafeName(key) || !SafeText(value)) return false;
    }
    std::string text;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !ReadWholeFile(path, text, kMaxIniBytes)) return false;
    std::vector<std::string> lines = SplitLines(text);

    // The section's heading line and the line after its last non-blank line.
    size_t heading = lines.size();
    size_t end = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (!SectionName(lines[i], name)) continue;
        if (heading < lines.size()) {
            end = i;
            break;
        }
        if (EqualIgnoringCase(name, Trimmed(section))) heading = i;
    }
    if (heading == lines.size()) {
        lines.push_back("[" + std::string(Trimmed(section)) + "]");
        heading = lines.size() - 1;
        end = lines.size();
    }
    while (end > heading + 1 && Trimmed(lines[end - 1]).empty()) --end;

    for (const auto& [key, value] : values) {
        const std::string line = std::string(Trimmed(key)) + "=" + value;
        bool replaced = false;
        for (size_t i = heading + 1; i < end && !replaced; ++i) {
            if (IsKeyLine(lines[i], Trimmed(key))) {
                lines[i] = line;
                replaced = true;
            }
        }
        if (!replaced) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end++), line);
    }

    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return WriteFileAtomically(path, out);
}

}  // namespace orvane
