// `orvanectl keyboard`: the first keyboard through the keyboard core, on its selected profile:
// `config` (its settings in units and the block it holds), `keys` (every key's function in words)
// and `light` (the lighting), each change saved to the profile and written to the keyboard.
#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "device/DeviceCatalogue.h"
#include "keyboard/KeyboardDevice.h"
#include "mouse/KeyFunctionSyntax.h"
#include "mouse/LightNames.h"
#include "profiles/MacroFile.h"
#include "profiles/ProfilePaths.h"
#include "tools/orvanectl/Commands.h"
#include "tools/orvanectl/LightOptions.h"
#include "tools/orvanectl/MouseSession.h"

namespace orvane::tool {
namespace {

constexpr const char* kKeyboardFolder = "keyboard";
constexpr const char* kUsage =
    "usage: orvanectl keyboard config [--json] | config rate HZ | config win-lock|w-lock|six-key on|off\n"
    "       | config repeat-rate 0-31 | config repeat-delay 250|500|750|1000\n"
    "       | keys [--json] | keys set KEY FUNCTION | keys reset [KEY]\n"
    "       | light [--json] | light modes [--json] | light MODE [light options as for the mouse]";

struct KeyboardSession {
    explicit KeyboardSession(std::unique_ptr<OpenedDevice> device)
        : opened(std::move(device)), desktop(CreateSystemKeyboardSettings()), keyboard(*opened->channel, *desktop) {
        keyboard.SetFiles(UserDataFolder(kKeyboardFolder), DefaultProfilePath(kKeyboardFolder));
    }
    std::unique_ptr<OpenedDevice> opened;
    std::unique_ptr<SystemKeyboardSettings> desktop;
    KeyboardDevice keyboard;
};

// The keyboard's light group: its catalogue row's device number.
int KeyboardLightGroup() {
    for (const CatalogueEntry& entry : Catalogue())
        if (entry.type == kDeviceKeyboard) return entry.deviceNumber;
    return 0;
}

// Opens the first keyboard, reads it and loads the list's selected profile as it stands.
std::unique_ptr<KeyboardSession> OpenKeyboardSession(const GlobalOptions& options, int& exitCode) {
    ProfileList list;
    list.SetDeviceKind(kDeviceKeyboard);
    list.SetProfilePaths(UserDataFolder(kKeyboardFolder), DefaultProfilePath(kKeyboardFolder));
    list.InitProfileList();
    auto opened = OpenFirstKeyboard(options, exitCode);
    if (!opened) return nullptr;
    auto session = std::make_unique<KeyboardSession>(std::move(opened));
    session->keyboard.SetLightGroup(KeyboardLightGroup());
    if (const DeviceOutcome connected = session->keyboard.Connect(); !connected.Ok()) {
        exitCode = OutcomeResult(connected);
        return nullptr;
    }
    session->keyboard.UseProfile(list.GetSelectedUuid());
    session->keyboard.LoadProfile();
    exitCode = kExitOk;
    return session;
}

void PrintJson(const Json::Value& document) {
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "  ";
    std::cout << Json::writeString(writer, document) << "\n";
}

std::optional<bool> OnOff(const std::string& text) {
    if (text == "on") return true;
    if (text == "off") return false;
    return std::nullopt;
}

std::optional<int> Number(const std::string& text) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < -100000 || n > 100000) return std::nullopt;
    return static_cast<int>(n);
}

// --- config ---

int ChangeSetting(KeyboardDevice& k, const std::string& name, const std::string& value) {
    if (name == "rate" || name == "repeat-rate" || name == "repeat-delay") {
        const auto n = Number(value);
        if (!n) return Fail(kExitUsage, kUsage);
        if (name == "rate") return OutcomeResult(k.SetReportRateHz(*n));
        return OutcomeResult(name == "repeat-rate" ? k.SetRepeatRate(*n) : k.SetRepeatDelayMs(*n));
    }
    const auto on = OnOff(value);
    if (!on) return Fail(kExitUsage, kUsage);
    if (name == "win-lock") return OutcomeResult(k.SetWindowsKeyLock(*on));
    if (name == "w-lock") return OutcomeResult(k.SetWKeyLock(*on));
    if (name == "six-key") return OutcomeResult(k.SetSixKeyRollover(*on));
    return Fail(kExitUsage, kUsage);
}

int PrintConfig(KeyboardSession& session, bool json) {
    KeyboardDevice& k = session.keyboard;
    KeyboardMemories memories(*session.opened->channel);
    const auto read = memories.ReadActiveBlock();
    if (!read) return NotAnswering(memories.LastFailure().command, memories.LastFailure().result, memories.LastFailure().detail);
    const KeyboardSystemSettings& s = k.Settings();
    const std::string block = HexBytes(read->second.data(), read->second.size());
    if (json) {
        Json::Value doc(Json::objectValue);
        doc["active_profile"] = read->first;
        doc["block"] = block;
        doc["report_rate_hz"] = k.ReportRateHz();
        doc["windows_key_lock"] = s.WinFlag != 0;
        doc["w_key_lock"] = s.WFlag != 0;
        doc["six_key_rollover"] = s.Key6Flag != 0;
        doc["repeat_rate"] = s.Repeat;
        doc["repeat_delay_ms"] = k.RepeatDelayMs();
        PrintJson(doc);
        return kExitOk;
    }
    std::printf("active profile    %u\nblock             %s\n", read->first, block.c_str());
    std::printf("report rate       %d Hz\nWindows key lock  %s\nW key lock        %s\nsix-key rollover  %s\n",
                k.ReportRateHz(), s.WinFlag != 0 ? "on" : "off", s.WFlag != 0 ? "on" : "off", s.Key6Flag != 0 ? "on" : "off");
    std::printf("repeat rate       %u of 31\nrepeat delay      %d ms\n", s.Repeat, k.RepeatDelayMs());
    return kExitOk;
}

int Config(const GlobalOptions& options, const Args& args) {
    const bool json = args.size() == 1 && args[0] == "--json";
    if (!args.empty() && !json && args.size() != 2) return Fail(kExitUsage, kUsage);
    int code = kExitOk;
    auto session = OpenKeyboardSession(options, code);
    if (!session) return code;
    if (args.size() == 2) {
        if (int r = ChangeSetting(session->keyboard, args[0], args[1]); r != kExitOk) return r;
    }
    return PrintConfig(*session, json);
}

// --- keys ---

std::vector<std::string> MacroNames(const KeyboardDevice& k) {
    std::vector<std::string> names;
    for (const MacroIndexEntry& e : ReadMacroIndex(k.UserDataFolder() + kMacroIndexFileName).value_or(std::vector<MacroIndexEntry>{}))
        names.push_back(e.MacroName);
    return names;
}

void PrintKeys(const KeyboardDevice& k, bool json) {
    const std::vector<std::string> macros = MacroNames(k);
    const std::vector<KeyListEntry>& keys = k.Keys();
    if (!json) {
        for (size_t i = 0; i < keys.size(); ++i)
            std::printf("%3zu  %-22s %-28s %s\n", i, FunctionWords(keys[i].DefaultAssignment, macros).c_str(),
                        FunctionWords(keys[i].Assignment, macros).c_str(), HexBytes(keys[i].Assignment.data(), 3).c_str());
        return;
    }
    Json::Value doc(Json::objectValue);
    doc["keys"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < keys.size(); ++i) {
        Json::Value item(Json::objectValue);
        item["key"] = static_cast<Json::UInt>(i);
        item["default"] = FunctionWords(keys[i].DefaultAssignment, macros);
        item["function"] = FunctionWords(keys[i].Assignment, macros);
        item["code"] = HexBytes(keys[i].Assignment.data(), 3);
        doc["keys"].append(std::move(item));
    }
    PrintJson(doc);
}

int Keys(const GlobalOptions& options, const Args& args) {
    const bool list = args.empty() || (args.size() == 1 && args[0] == "--json");
    const bool set = args.size() == 3 && args[0] == "set";
    const bool reset = (args.size() == 1 || args.size() == 2) && args[0] == "reset";
    if (!list && !set && !reset) return Fail(kExitUsage, kUsage);
    int code = kExitOk;
    auto session = OpenKeyboardSession(options, code);
    if (!session) return code;
    KeyboardDevice& k = session->keyboard;
    const auto key = [&](const std::string& text) -> std::optional<int> {
        const auto n = Number(text);
        if (!n || *n < 0 || static_cast<size_t>(*n) >= k.Keys().size()) return std::nullopt;
        return n;
    };
    if (set) {
        const auto which = key(args[1]);
        if (!which) return Fail(kExitUsage, "no key " + args[1] + " (0 to " + std::to_string(k.Keys().size()) + " - 1)");
        const ParsedFunction function = ParseFunctionWords(args[2], MacroNames(k));
        if (!function.code) return Fail(kExitUsage, function.error);
        if (int r = OutcomeResult(k.AssignKey(*which, *function.code)); r != kExitOk) return r;
    } else if (reset) {
        std::vector<int> which;
        if (args.size() == 2) {
            const auto one = key(args[1]);
            if (!one) return Fail(kExitUsage, "no key " + args[1]);
            which.push_back(*one);
        } else {
            for (size_t i = 0; i < k.Keys().size(); ++i) which.push_back(static_cast<int>(i));
        }
        for (int i : which) {
            KeyListEntry entry = k.Keys()[static_cast<size_t>(i)];
            entry.Assignment = entry.DefaultAssignment;
            k.SetKeyAssignment(i, entry);
        }
        k.SaveProfile();
        if (int r = OutcomeResult(k.WriteKeys(0)); r != kExitOk) return r;
    }
    PrintKeys(k, list && !args.empty());
    return kExitOk;
}

// --- light ---

// Modes 0-21 are the keyboard's, named by the default light file; the user's own effects follow.
std::string ModeName(const LightNameLists& names, int mode) {
    if (mode < kFirstCustomStepMode)
        return static_cast<size_t>(mode) < names.modeNames.size() ? names.modeNames[static_cast<size_t>(mode)] : std::string();
    const size_t user = static_cast<size_t>(mode - kFirstCustomStepMode);
    return user < names.customNames.size() ? names.customNames[user] : std::string();
}

int ModeCount(const LightNameLists& names) { return kFirstCustomStepMode + static_cast<int>(names.customNames.size()); }

int ListModes(const LightNameLists& names, bool json) {
    Json::Value doc(Json::arrayValue);
    for (int mode = 0; mode < ModeCount(names); ++mode) {
        if (!json) {
            std::printf("%2d  %s%s\n", mode, ModeName(names, mode).c_str(), mode >= kFirstCustomStepMode ? "  (user effect)" : "");
            continue;
        }
        Json::Value item(Json::objectValue);
        item["mode"] = mode;
        item["name"] = ModeName(names, mode);
        item["user_effect"] = mode >= kFirstCustomStepMode;
        doc.append(item);
    }
    if (json) PrintJson(doc);
    return kExitOk;
}

int Light(const GlobalOptions& options, const Args& given) {
    Args args = given;
    const bool json = std::erase(args, std::string("--json")) > 0;
    LightNameLists names;
    LoadLightNames(names, UserDataFolder(kKeyboardFolder), DefaultLightNamesPath(), kKeyboardLightConfigName,
                   KeyboardLightGroup());
    if (!args.empty() && args[0] == "modes") {
        if (args.size() != 1) return Fail(kExitUsage, kUsage);
        return ListModes(names, json);
    }
    int code = kExitOk;
    auto session = OpenKeyboardSession(options, code);
    if (!session) return code;
    KeyboardDevice& k = session->keyboard;
    if (!args.empty()) {
        LightSetting light = k.LightState().light;
        if (!ParseLightOptions(args, [&](int mode) { return mode < ModeCount(names); }, light)) return Fail(kExitUsage, kUsage);
        if (int r = OutcomeResult(k.SetLighting(light)); r != kExitOk) return r;
    }
    PrintLight(k.LightState().light, ModeName(names, k.LightState().light.mode), json);
    return kExitOk;
}

}  // namespace

int KeyboardCommand(const GlobalOptions& options, const Args& args) {
    if (args.empty()) return Fail(kExitUsage, kUsage);
    const Args rest(args.begin() + 1, args.end());
    if (args[0] == "config") return Config(options, rest);
    if (args[0] == "keys") return Keys(options, rest);
    if (args[0] == "light") return Light(options, rest);
    return Fail(kExitUsage, kUsage);
}

}  // namespace orvane::tool
