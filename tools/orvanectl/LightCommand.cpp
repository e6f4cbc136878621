// `orvanectl light`: the mouse's (with --pad the mouse pad's, with --headset the headset's) lighting on the selected profile,
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
#include "tools/orvanectl/LightOptions.h"
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

LightNameLists LightNamesOf(const GlobalOptions& options) {
    LightNameLists names;
    const bool pad = PadFamily(options);
    LoadLightNames(names, UserDataFolder(pad ? PadFolder(options.headset) : "mouse"), DefaultLightNamesPath(),
                   kMouseLightConfigName, pad ? PadLightGroup(options.headset) : MouseLightGroup());
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

// Shows the lighting, or changes it as the command line asks and shows the result.
template <class Core>
int ShowOrChange(Core& core, const Args& args, const LightNameLists& names, bool json) {
    const auto show = [&] {
        const LightSetting& light = core.LightState().light;
        PrintLight(light, names.ModeName(light.mode), json);
        return kExitOk;
    };
    if (args.empty()) return show();
    LightSetting light = core.LightState().light;
    const std::vector<ModeRow> modes = ModeRows(names);
    const auto known = [&](int mode) {
        return std::any_of(modes.begin(), modes.end(), [mode](const ModeRow& r) { return r.mode == mode; });
    };
    if (!ParseLightOptions(args, known, light)) return Fail(kExitUsage, kUsage);
    if (int r = OutcomeResult(core.SetLighting(light)); r != kExitOk) return r;
    return show();
}

}  // namespace

int LightCommand(const GlobalOptions& options, const Args& given) {
    Args args = given;
    const bool json = std::erase(args, std::string("--json")) > 0;
    const LightNameLists names = LightNamesOf(options);
    if (!args.empty() && args[0] == "modes") {
        if (args.size() != 1) return Fail(kExitUsage, kUsage);
        return ListModes(names, json);
    }
    int code = kExitOk;
    if (PadFamily(options)) {
        auto session = OpenPadSession(options, OpenPadProfileList(options.headset), code);
        return session ? ShowOrChange(session->pad, args, names, json) : code;
    }
    auto session = OpenMouseSession(options, OpenMouseProfileList(), code);
    if (!session) return code;
    session->mouse.SetLightGroup(MouseLightGroup());
    return ShowOrChange(session->mouse, args, names, json);
}

}  // namespace orvane::tool
