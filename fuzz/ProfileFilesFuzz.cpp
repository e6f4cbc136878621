// Arbitrary bytes as each file the profile readers and the macro compiler take in: a profile,
// a light configuration and a light effect, "macro.config" and a ".mac" file, the light names
// and the file-backed desktop mouse settings. Nothing may crash or trip a sanitizer.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "mouse/LightNames.h"
#include "mouse/MouseProfileBridge.h"
#include "platform/AtomicFile.h"
#include "platform/SystemMouseSettings.h"
#include "profiles/CHs8127Profiledata.h"
#include "profiles/CKeyboardProfiledata.h"
#include "profiles/CMouseProfiledata.h"
#include "profiles/MacroFile.h"
#include "protocol/MacroArea.h"

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        std::string tmpl = (std::filesystem::temp_directory_path() / "orvane-fuzz-XXXXXX").string();
        if (::mkdtemp(tmpl.data()) == nullptr) std::abort();
        return tmpl + "/";
    }();
    return folder;
}

void Clear() {
    for (const auto& entry : std::filesystem::directory_iterator(Folder())) std::filesystem::remove_all(entry.path());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string& folder = Folder();
    Clear();

    // A valid default keeps LoadProfile's fallback path in play too.
    WriteFileAtomically(folder + "default.Json", "{\"Device\":[{}]}\n");
    WriteFileAtomically(folder + "p.Json", text);
    WriteFileAtomically(folder + "vexal_light.config", text);
    CMouseProfiledata mouse;
    mouse.SetDefaultProfilePath(folder + "default.Json");
    mouse.LoadProfile(folder + "p.Json");
    mouse.LoadLightConfig(folder + "vexal_light.config");
    mouse.GetLightList();
    mouse.GetLedEffectList();
    mouse.GetKeyList();
    // The file-backed desktop settings, read from the same bytes.
    WriteFileAtomically(folder + "settings.json", text);
    FileSystemMouseSettings desktop(folder + "settings.json");
    mouse.ReadWindowsMouseSettings(desktop);
    KeyCodesFromProfile(mouse.CachedKeyList());
    SettingsFromProfile(mouse, 0, 0, {});

    WriteFileAtomically(folder + "k.Json", text);
    CKeyboardProfiledata keyboard;
    keyboard.SetDefaultProfilePath(folder + "default.Json");
    keyboard.LoadProfile(folder + "k.Json");
    keyboard.GetKeyboardSystemSettings();
    keyboard.GetCustomLightColors(0, 126);

    WriteFileAtomically(folder + "h.Json", text);
    CHs8127Profiledata headset;
    headset.SetDefaultProfilePath(folder + "default.Json");
    headset.LoadProfile(folder + "h.Json");
    headset.GetHeadsetSystemSettings();
    for (int preset = 0; preset < 14; ++preset) headset.GetEqBands(preset);

    // The macro index names itself as its one macro file, so both readers see the input.
    WriteFileAtomically(folder + "macro.config", text);
    WriteFileAtomically(folder + "m.mac", text);
    if (auto macros = ReadDeviceMacros(folder)) {
        CompileMacroArea(MacroEventsForDevice(*macros), 8 * kMacroUnitBytes);
    }
    ReadMacroFile(folder + "m.mac");

    // The same bytes as a light effect of the configuration, and as the light name sources.
    WriteFileAtomically(folder + "fx.light", text);
    WriteFileAtomically(folder + "named.config", "{\"LightInfo\": [[{\"Guid\": \"fx\"}]]}\n");
    CMouseProfiledata lights;
    lights.LoadLightConfig(folder + "named.config");
    lights.GetLedEffectList();
    LightNameLists names;
    LoadLightNames(names, folder, folder + "p.Json", "vexal_light", static_cast<int>(size % 3));
    for (int mode = 0; mode < 12; ++mode) names.ModeName(mode);

    desktop.PointerSpeed();
    desktop.PointerPrecision();
    desktop.WheelScrollLines();
    desktop.DoubleClickTime();
    desktop.SetWheelScrollLines(7);
    return 0;
}
