// `orvanectl light`: the mouse's lighting on the selected profile, as the lighting panel changes
// it: saved to the profile and written to the mouse's settings block through the mouse core.
#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <iostream>

#include "device/DeviceCatalogue.h"
#include "mouse/LightNames.h"
#include "profiles/ProfilePaths.h"
#include "tools/orvanectl/Commands.h"
#include "tools/orvanectl/LightOptions.h"
#include "tools/orvanectl/MouseSession.h"

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

LightNameLists MouseLightNames() {
    LightNameLists names;
    LoadLightNames(names, UserDataFolder("mouse"), DefaultLightNamesPath(), kMouseLightConfigName, MouseLightGroup());
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

}  // namespace

int LightCommand(const GlobalOptions& options, const Args& given) {
    Args args = given;
    const bool json = std::erase(args, std::string("--json")) > 0;
    const LightNameLists names = MouseLightNames();
    if (!args.empty() && args[0] == "modes") {
        if (args.size() != 1) return Fail(kExitUsage, kUsage);
        return ListModes(names, json);
    }
    ProfileList list = OpenMouseProfileList();
    int code = kExitOk;
    auto session = OpenMouseSession(options, list, code);
    if (!session) return code;
    MouseDevice& mouse = session->mouse;
    mouse.SetLightGroup(MouseLightGroup());
    if (args.empty()) {
        PrintLight(mouse.LightState().light, names.ModeName(mouse.LightState().light.mode), json);
        return kExitOk;
    }
    LightSetting light = mouse.LightState().light;
    const std::vector<ModeRow> modes = ModeRows(names);
    const auto known = [&](int mode) {
        return std::any_of(modes.begin(), modes.end(), [mode](const ModeRow& r) { return r.mode == mode; });
    };
    if (!ParseLightOptions(args, known, light)) return Fail(kExitUsage, kUsage);
    if (int r = OutcomeResult(mouse.SetLighting(light)); r != kExitOk) return r;
    PrintLight(mouse.LightState().light, names.ModeName(mouse.LightState().light.mode), json);
    return kExitOk;
}

}  // namespace orvane::tool
