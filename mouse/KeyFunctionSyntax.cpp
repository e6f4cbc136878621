#include "mouse/KeyFunctionSyntax.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "mouse/KeyAssignment.h"
#include "protocol/KeyCodeTables.h"

namespace orvane {
namespace {

// Words of the rows of each table, in table order.
constexpr const char* kButtonWords[] = {"left", "middle", "right", "forward", "back"};
constexpr const char* kDpiWords[] = {"dpi-up", "dpi-down", "dpi-cycle"};
constexpr const char* kMediaWords[] = {"player",        "play-pause",      "stop",         "previous",        "next",
                                       "volume-down",   "volume-up",       "mute",         "browser-home",    "browser-refresh",
                                       "browser-stop",  "browser-back",    "browser-forward", "browser-favorites",
                                       "browser-search", "computer",       "calculator",   "mail"};
constexpr const char* kPowerWords[] = {"power", "sleep", "wake"};
constexpr const char* kModifierWords[] = {"ctrl", "shift", "alt", "win", "rctrl", "rshift", "ralt", "rwin"};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::vector<std::string> Split(const std::string& text, char at) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, at)) parts.push_back(part);
    if (!text.empty() && text.back() == at) parts.emplace_back();
    return parts;
}

bool Number(const std::string& text, int low, int high, int& value) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < low || v > high) return false;
    value = static_cast<int>(v);
    return true;
}

// "keyboard_key_Page Up" -> "page-up"; the backslash and comma keys by their names.
std::string KeyWord(const KeyboardKeyRow& row) {
    std::string suffix = row.nameKey;
    const std::string prefix = "keyboard_key_";
    if (suffix.rfind(prefix, 0) == 0) suffix = suffix.substr(prefix.size());
    if (suffix == "xiegang") return "backslash";
    if (suffix == "<") return "comma";
    std::replace(suffix.begin(), suffix.end(), ' ', '-');
    return Lower(suffix);
}

template <size_t N>
std::optional<int> WordIndex(const char* const (&words)[N], const std::string& word) {
    for (size_t i = 0; i < N; ++i)
        if (word == words[i]) return static_cast<int>(i);
    return std::nullopt;
}

std::string Hex(const FunctionCode& code) {
    char text[24];
    std::snprintf(text, sizeof text, "raw:%02x:%02x:%02x", code[0], code[1], code[2]);
    return text;
}

std::string KeyWords(const FunctionCode& code) {
    std::string words;
    for (int m = 0; m < kModifierRows; ++m) {
        if ((code[1] & (1u << m)) != 0) words += std::string(words.empty() ? "" : "+") + kModifierWords[m];
    }
    if (code[2] != 0) {
        const auto row = FindKeyboardRowByUsage(code[2]);
        if (!row) return Hex(code);
        words += (words.empty() ? "" : "+") + KeyWord(KeyboardKeyRows()[static_cast<size_t>(*row)]);
    }
    return words.empty() ? Hex(code) : "key:" + words;
}

std::string PaceWords(uint8_t p1) {
    return (p1 >> 4) == 0 && (p1 & 0xF) == 0 ? "" : ":" + std::to_string(p1 >> 4) + ":" + std::to_string(p1 & 0xF);
}

ParsedFunction Refuse(std::string why) { return {std::nullopt, std::move(why)}; }

ParsedFunction ParseKey(const std::string& keys) {
    int modifiers = 0;
    int usage = 0;
    for (const std::string& part : Split(keys, '+')) {
        if (const auto m = WordIndex(kModifierWords, part)) {
            modifiers |= 1 << *m;
            continue;
        }
        if (usage != 0) return Refuse("one key at most: " + keys);
        for (int row = kModifierRows; row < kScanCodeRows && usage == 0; ++row) {
            if (KeyWord(KeyboardKeyRows()[static_cast<size_t>(row)]) == part) usage = KeyboardKeyRows()[static_cast<size_t>(row)].code[2];
        }
        if (usage == 0) return Refuse("no key named " + part);
    }
    if (modifiers == 0 && usage == 0) return Refuse("key: needs a key or a modifier");
    return {FunctionCode{kFunctionKeyboard, static_cast<uint8_t>(modifiers), static_cast<uint8_t>(usage)}, {}};
}

// DIRECTION:COUNT[:DELAY:SPEED] of pointer moves (right|left) and the wheel (up|down).
ParsedFunction ParseMotion(const std::vector<std::string>& parts, int page, const char* positive, const char* negative) {
    KeyFunctionForm form;
    form.page = page;
    if ((parts.size() != 3 && parts.size() != 5) || (parts[1] != positive && parts[1] != negative)) {
        return Refuse(parts[0] + ":" + positive + "|" + negative + ":COUNT[:DELAY:SPEED]");
    }
    form.direction = parts[1] == negative ? 1 : 0;
    if (!Number(parts[2], 0, 127, form.count)) return Refuse("the count is 0 to 127");
    if (parts.size() == 5 && (!Number(parts[3], 0, 15, form.delay) || !Number(parts[4], 0, 15, form.speed))) {
        return Refuse("delay and speed are 0 to 15");
    }
    return {EncodeKeyFunction(form, {}, {}), {}};
}

}  // namespace

std::string FunctionWords(const FunctionCode& code, const std::vector<std::string>& macroNames) {
    const uint8_t p1 = code[1];
    const uint8_t p2 = code[2];
    auto fromTable = [&](std::span<const CodeRow> rows, const auto& words) -> std::string {
        const auto row = FindCodeRow(rows, code);
        return row ? words[*row] : Hex(code);
    };
    auto macroName = [&](uint8_t index) {
        return index < macroNames.size() ? macroNames[index] : "#" + std::to_string(index);
    };
    switch (code[0]) {
        case 0x00: return code == FunctionCode{} ? "disabled" : Hex(code);
        case kFunctionMouseButton: return fromTable(MouseButtonRows(), kButtonWords);
        case kFunctionDpi: return fromTable(DpiFunctionRows(), kDpiWords);
        case kFunctionConsumer: {
            const std::string media = fromTable(ConsumerKeyRows(), kMediaWords);
            return media.rfind("raw:", 0) == 0 ? media : "media:" + media;
        }
        case kFunctionPower: {
            const std::string power = fromTable(PowerKeyRows(), kPowerWords);
            return power.rfind("raw:", 0) == 0 ? power : "power:" + power;
        }
        case kFunctionPointerMove:
            return "move:" + std::string((p2 & 0x80) != 0 ? "left" : "right") + ":" + std::to_string(p2 & 0x7F) + PaceWords(p1);
        case kFunctionWheel:
            return "wheel:" + std::string((p2 & 0x80) != 0 ? "down" : "up") + ":" +
                   std::to_string((p2 & 0x80) != 0 ? 128 - (p2 & 0x7F) : p2) + PaceWords(p1);
        case kFunctionRapidFire: return "fire:" + std::to_string(p1) + ":" + std::to_string(p2);
        case kFunctionKeyboard: return KeyWords(code);
        case kFunctionMacro: return "macro:" + macroName(p1) + (p2 != 0 ? ":mode=" + std::to_string(p2) : "");
        case kFunctionMacroRepeated: return "macro:" + macroName(p1) + ":repeat=" + std::to_string(p2);
        case kFunctionShootPattern: return p1 < kShootPatternCount && p2 == 0 ? "pattern:" + std::to_string(p1 + 1) : Hex(code);
        case kFunctionSpecial: return code == kSpecialKeyCode ? "g-key" : Hex(code);
        default: return Hex(code);
    }
}

ParsedFunction ParseFunctionWords(const std::string& text, const std::vector<std::string>& macroNames) {
    const std::string words = Lower(text);
    if (const auto i = WordIndex(kButtonWords, words)) return {MouseButtonRows()[static_cast<size_t>(*i)].code, {}};
    if (const auto i = WordIndex(kDpiWords, words)) return {DpiFunctionRows()[static_cast<size_t>(*i)].code, {}};
    if (words == "disabled") return {FunctionCode{}, {}};
    if (words == "g-key") return {kSpecialKeyCode, {}};
    const std::vector<std::string> parts = Split(words, ':');
    const std::string& kind = parts.empty() ? words : parts[0];
    if (kind == "key" && parts.size() == 2) return ParseKey(parts[1]);
    if (kind == "media" && parts.size() == 2) {
        if (const auto i = WordIndex(kMediaWords, parts[1])) return {ConsumerKeyRows()[static_cast<size_t>(*i)].code, {}};
        return Refuse("no media key named " + parts[1]);
    }
    if (kind == "power" && parts.size() == 2) {
        if (const auto i = WordIndex(kPowerWords, parts[1])) return {PowerKeyRows()[static_cast<size_t>(*i)].code, {}};
        return Refuse("power:power|sleep|wake");
    }
    if (kind == "move") return ParseMotion(parts, kPagePointerMove, "right", "left");
    if (kind == "wheel") return ParseMotion(parts, kPageWheel, "up", "down");
    if (kind == "fire") {
        int interval = 0;
        int count = 0;
        if (parts.size() != 3 || !Number(parts[1], 0, 255, interval) || !Number(parts[2], 0, 255, count)) {
            return Refuse("fire:INTERVAL:COUNT, each 0 to 255");
        }
        return {FunctionCode{kFunctionRapidFire, static_cast<uint8_t>(interval), static_cast<uint8_t>(count)}, {}};
    }
    if (kind == "pattern") {
        int n = 0;
        if (parts.size() != 2 || !Number(parts[1], 1, kShootPatternCount, n)) return Refuse("pattern:1 to pattern:4");
        return {FunctionCode{kFunctionShootPattern, static_cast<uint8_t>(n - 1), 0}, {}};
    }
    if (kind == "macro" && (parts.size() == 2 || parts.size() == 3)) {
        // The name as typed (names keep their case); matched without regard to it.
        const std::string name = Split(text, ':')[1];
        int index = -1;
        for (size_t i = 0; i < macroNames.size() && index < 0; ++i) {
            if (Lower(macroNames[i]) == Lower(name)) index = static_cast<int>(i);
        }
        if (index < 0) return Refuse("no macro named " + name + " (see `orvanectl macros list`)");
        int value = 0;
        if (parts.size() == 2) return {FunctionCode{kFunctionMacro, static_cast<uint8_t>(index), 0}, {}};
        if (parts[2].rfind("repeat=", 0) == 0 && Number(parts[2].substr(7), 1, 255, value)) {
            return {FunctionCode{kFunctionMacroRepeated, static_cast<uint8_t>(index), static_cast<uint8_t>(value)}, {}};
        }
        if (parts[2].rfind("mode=", 0) == 0 && Number(parts[2].substr(5), 0, 3, value)) {
            return {FunctionCode{kFunctionMacro, static_cast<uint8_t>(index), static_cast<uint8_t>(value)}, {}};
        }
        return Refuse("macro:NAME[:repeat=1..255|:mode=0..3]");
    }
    if (kind == "raw" && parts.size() == 4) {
        FunctionCode code{};
        for (size_t i = 0; i < 3; ++i) {
            char* end = nullptr;
            const long v = std::strtol(parts[i + 1].c_str(), &end, 16);
            if (parts[i + 1].empty() || *end != '\0' || v < 0 || v > 0xFF) return Refuse("raw:TT:PP:QQ in hexadecimal");
            code[i] = static_cast<uint8_t>(v);
        }
        return {code, {}};
    }
    return Refuse("unknown function " + text + " (see --help)");
}

const char* FunctionWordsHelp() {
    return "Functions (keys set):\n"
           "  left right middle back forward        mouse buttons\n"
           "  dpi-up dpi-down dpi-cycle             DPI functions\n"
           "  key:ctrl+c  key:shift+f5  key:enter   a key with modifiers ctrl shift alt win (rctrl rshift ralt rwin)\n"
           "  media:play-pause  media:volume-up     player play-pause stop previous next volume-down volume-up mute\n"
           "                                        browser-home|refresh|stop|back|forward|favorites|search computer\n"
           "                                        calculator mail\n"
           "  power:sleep                           power sleep wake\n"
           "  wheel:down:3  wheel:up:1:2:5          wheel: direction, steps[, delay 0-15, speed 0-15]\n"
           "  move:left:10                          pointer movement: direction, count[, delay, speed]\n"
           "  fire:40:3                             rapid fire: interval, count\n"
           "  macro:NAME  macro:NAME:repeat=5  macro:NAME:mode=2   a macro of `macros list`\n"
           "  pattern:1 .. pattern:4  g-key  disabled  raw:20:01:06\n";
}

}  // namespace orvane
