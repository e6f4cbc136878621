// `orvanectl light`: the mouse's (or with --pad the mouse pad's) lighting on the selected profile,
// as the lighting panel changes it: saved to the profile and written to the device through its
// core.
#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <iostream>

#include "device/DeviceCatalogue.h"
#include "mouse/LightNames.h"
#include "profiles/ProfilePaths.h"
#include "tools/orvanectl/Commands.h"
#include "tools/orvanectl/MouseSession.h"
#include "tools/orvanectl/PadSession.h"

namespace orvane::tool {
namespace {

constexpr const char* kUsage =
    "usage: orvanectl light [--json] | light modes [--json] | light MODE [--colour RRGGBB] [--brightness 0-4]\n"
    "       [--speed 0-4] [--direction left|right] [--colourful]";

// The mouse's light group: its catalogue row's device number, as the page takes it.
int MouseLightGroup() {
    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.type == kDeviceMouse) return entry.deviceNumber;
    }
    return 0;
}

LightNameLists LightNamesOf(bool pad) {
    LightNameLists names;
    LoadLightNames(names, UserDataFolder(pad ? PadFolder() : "mouse"), DefaultLightNamesPath(), kMouseLightConfigName,
                   pad ? PadLightGroup() : MouseLightGroup());
    return names;
}


// Every mode the mouse offers: the built-in ones, then the user's own effects from mode 9 on.
struct ModeRow {
    int mode;
    std::string name;
    bool visible;
    bool userEffect;
};

std::vector<ModeRow> ModeRows(const LightNameLists& names) {
    std::vector<ModeRow> rows;
    for (size_t i = 0; i < names.modeNames.size(); ++i) {
        rows.push_back({static_cast<int>(i), names.modeNames[i], i >= names.modeVisible.size() || names.modeVisible[i] != 0,
                        false});
    }
    for (size_t i = 0; i < names.customNames.size(); ++i) {
        rows.push_back({static_cast<int>(kBuiltInLightModes + i), names.customNames[i], true, true});
    }
    return rows;
}

bool ParseLevel(const std::string& text, uint8_t& value) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < 0 || v > kMaxLightLevel) return false;
    value = static_cast<uint8_t>(v);
    return true;
}

bool ParseColour(const std::string& text, LightSetting& light) {
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
    const unsigned long rgb = std::strtoul(text.c_str(), nullptr, 16);
    light.red = static_cast<uint8_t>(rgb >> 16);
    light.green = static_cast<uint8_t>(rgb >> 8);
    light.blue = static_cast<uint8_t>(rgb);
    return true;
}

void PrintLight(const LightSetting& light, const LightNameLists& names, bool json) {
    char colour[8];
    std::snprintf(colour, sizeof colour, "%02x%02x%02x", light.red, light.green, light.blue);
    if (json) {
        Json::Value doc(Json::objectValue);
        doc["mode"] = light.mode;
        doc["name"] = names.ModeName(light.mode);
        doc["brightness"] = light.brightness;
        doc["speed"] = light.speed;
        doc["direction"] = light.direction != 0 ? "left" : "right";
        doc["colourful"] = light.multiColor != 0;
        doc["colour"] = colour;
        std::cout << doc.toStyledString();
        return;
    }
    std::printf("mode        %u %s\n", light.mode, names.ModeName(light.mode).c_str());
    std::printf("brightness  %u\nspeed       %u\n", light.brightness, light.speed);
    std::printf("direction   %s\ncolourful   %s\ncolour      %s\n", light.direction != 0 ? "left" : "right",
                light.multiColor != 0 ? "yes" : "no", colour);
}

int ListModes(const LightNameLists& names, bool json) {
    const std::vector<ModeRow> rows = ModeRows(names);
    if (json) {
        Json::Value doc(Json::arrayValue);
        for (const ModeRow& row : rows) {
            Json::Value item(Json::objectValue);
            item["mode"] = row.mode;
            item["name"] = row.name;
            item["visible"] = row.visible;
            item["user_effect"] = row.userEffect;
            doc.append(item);
        }
        std::cout << doc.toStyledString();
        return kExitOk;
    }
    for (const ModeRow& row : rows) {
        std::printf("%2d  %s%s%s\n", row.mode, row.name.c_str(), row.visible ? "" : "  (hidden)",
                    row.userEffect ? "  (user effect)" : "");
    }
    return kExitOk;
}

// The change the command line asks for on top of `light`; false for a bad argument.
bool ApplyOptions(const Args& args, const std::vector<ModeRow>& modes, LightSetting& light) {
    char* end = nullptr;
    const long mode = std::strtol(args[0].c_str(), &end, 10);
    const bool known = std::any_of(modes.begin(), modes.end(), [mode](const ModeRow& r) { return r.mode == mode; });
    if (args[0].empty() || *end != '\0' || !known) return false;
    light.mode = static_cast<uint8_t>(mode);
    bool colourful = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--colourful") {
            colourful = true;
            continue;
        }
        if (i + 1 >= args.size()) return false;
        const std::string& value = args[++i];
        if (option == "--colour") {
            if (!ParseColour(value, light)) return false;
            // A chosen colour ends colour cycling, as in the panel.
            light.multiColor = 0;
        } else if (option == "--brightness") {
            if (!ParseLevel(value, light.brightness)) return false;
        } else if (option == "--speed") {
            if (!ParseLevel(value, light.speed)) return false;
        } else if (option == "--direction") {
            if (value != "left" && value != "right") return false;
            light.direction = value == "left" ? 1 : 0;
        } else {
            return false;
        }
    }
    if (colourful) light.multiColor = 1;
    return true;
}

// Shows the lighting, or changes it as the command line asks and shows the result.
template <class Core>
int ShowOrChange(Core& core, const Args& args, const LightNameLists& names, bool json) {
    if (args.empty()) {
        PrintLight(core.LightState().light, names, json);
        return kExitOk;
    }
    LightSetting light = core.LightState().light;
    if (!ApplyOptions(args, ModeRows(names), light)) return Fail(kExitUsage, kUsage);
    if (int r = OutcomeResult(core.SetLighting(light)); r != kExitOk) return r;
    PrintLight(core.LightState().light, names, json);
    return kExitOk;
}

}  // namespace

int LightCommand(const GlobalOptions& options, const Args& given) {
    Args args = given;
    const bool json = std::erase(args, std::string("--json")) > 0;
    const LightNameLists names = LightNamesOf(options.pad);
    if (!args.empty() && args[0] == "modes") {
        if (args.size() != 1) return Fail(kExitUsage, kUsage);
        return ListModes(names, json);
    }
    int code = kExitOk;
    if (options.pad) {
        auto session = OpenPadSession(options, OpenPadProfileList(), code);
        return session ? ShowOrChange(session->pad, args, names, json) : code;
    }
    auto session = OpenMouseSession(options, OpenMouseProfileList(), code);
    if (!session) return code;
    session->mouse.SetLightGroup(MouseLightGroup());
    return ShowOrChange(session->mouse, args, names, json);
}

}  // namespace orvane::tool
