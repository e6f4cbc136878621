// `orvanectl keys`: every button of the selected profile with its function in words and its three
// bytes; `keys set BUTTON FUNCTION` and `keys reset [BUTTON]` change them through the mouse core,
// which saves the profile and writes the macros and the key table.
#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "mouse/KeyFunctionSyntax.h"
#include "profiles/MacroFile.h"
#include "profiles/ProfilePaths.h"
#include "tools/orvanectl/Commands.h"
#include "tools/orvanectl/MouseSession.h"

namespace orvane::tool {
namespace {

constexpr const char* kUsage = "usage: orvanectl keys [--json] | keys set BUTTON FUNCTION | keys reset [BUTTON]";

// Words for the logical buttons, in "KeyList" order.
constexpr const char* kButtonNames[] = {"left",    "right",    "middle", "forward",   "back", "dpi-up",
                                        "dpi-down", "g-key",   "dpi-cycle", "game-mode", "m8"};

std::vector<std::string> MacroNames(const MouseDevice& mouse) {
    std::vector<std::string> names;
    for (const MacroIndexEntry& e : ReadMacroIndex(mouse.UserDataFolder() + kMacroIndexFileName).value_or(std::vector<MacroIndexEntry>{})) {
        names.push_back(e.MacroName);
    }
    return names;
}

std::string ButtonName(size_t button) {
    return button < std::size(kButtonNames) ? kButtonNames[button] : "button-" + std::to_string(button);
}

// A button by its number or its name.
std::optional<int> ParseButton(const std::string& text, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (text == ButtonName(i)) return static_cast<int>(i);
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 0 || static_cast<size_t>(n) >= count) return std::nullopt;
    return static_cast<int>(n);
}

void PrintKeys(const MouseDevice& mouse, bool json) {
    const std::vector<std::string> macros = MacroNames(mouse);
    const std::vector<KeyListEntry>& keys = mouse.Keys();
    if (!json) {
        for (size_t i = 0; i < keys.size(); ++i) {
            std::printf("%2zu  %-10s %-28s %s\n", i, ButtonName(i).c_str(), FunctionWords(keys[i].Assignment, macros).c_str(),
                        HexBytes(keys[i].Assignment.data(), 3).c_str());
        }
        return;
    }
    Json::Value document(Json::objectValue);
    document["buttons"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < keys.size(); ++i) {
        Json::Value item(Json::objectValue);
        item["button"] = static_cast<Json::UInt>(i);
        item["name"] = ButtonName(i);
        item["function"] = FunctionWords(keys[i].Assignment, macros);
        item["code"] = HexBytes(keys[i].Assignment.data(), 3);
        item["default"] = FunctionWords(keys[i].DefaultAssignment, macros);
        document["buttons"].append(std::move(item));
    }
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "  ";
    std::cout << Json::writeString(writer, document) << "\n";
}

}  // namespace

int KeysCommand(const GlobalOptions& options, const Args& args) {
    const bool list = args.empty() || (args.size() == 1 && args[0] == "--json");
    const bool set = args.size() == 3 && args[0] == "set";
    const bool reset = (args.size() == 1 || args.size() == 2) && args[0] == "reset";
    if (!list && !set && !reset) return Fail(kExitUsage, kUsage);
    ProfileList profiles = OpenMouseProfileList();
    int code = kExitOk;
    auto session = OpenMouseSession(options, profiles, code);
    if (!session) return code;
    MouseDevice& mouse = session->mouse;
    const size_t count = mouse.Keys().size();
    if (set) {
        const auto button = ParseButton(args[1], count);
        if (!button) return Fail(kExitUsage, "no button " + args[1] + " (0 to " + std::to_string(count - 1) + " or a name)");
        const ParsedFunction function = ParseFunctionWords(args[2], MacroNames(mouse));
        if (!function.code) return Fail(kExitUsage, function.error);
        if (int r = OutcomeResult(mouse.AssignKey(*button, *function.code)); r != kExitOk) return r;
    } else if (reset) {
        std::vector<int> buttons;
        if (args.size() == 2) {
            const auto button = ParseButton(args[1], count);
            if (!button) return Fail(kExitUsage, "no button " + args[1]);
            buttons.push_back(*button);
        } else {
            for (size_t i = 0; i < count; ++i) buttons.push_back(static_cast<int>(i));
        }
        for (int b : buttons) {
            if (int r = OutcomeResult(mouse.AssignKey(b, mouse.Keys()[static_cast<size_t>(b)].DefaultAssignment)); r != kExitOk) {
                return r;
            }
        }
    }
    PrintKeys(mouse, list && !args.empty());
    return kExitOk;
}

}  // namespace orvane::tool
