#include "mouse/MouseProfileBridge.h"

namespace orvane {

ConfigBlockInput SettingsFromProfile(CMouseProfiledata& profile, uint8_t liftOffOption, uint8_t activeProfile,
                                     const ScreenSize& screen) {
    ConfigBlockInput in;
    // GetDpiStages also refreshes the active stage from the document, so it comes first.
    in.dpiStages = profile.GetDpiStages();
    in.activeProfile = activeProfile;
    in.light = profile.GetLightInfo().light;
    in.reportRateOption = static_cast<uint8_t>(profile.GetMouseSystemSettings().ReportStage & 0xFF);
    in.activeDpiStage = static_cast<uint8_t>(profile.GetActiveDpiStage());
    in.liftOffOption = liftOffOption;
    in.screenValid = screen.valid;
    in.screenWidth = screen.width;
    in.screenHeight = screen.height;
    for (const CorrectInfoEntry& c : profile.GetCorrectInfo()) {
        if (c.CorrectSelect != 0) {
            in.correction = std::make_pair(c.CorrectMinSq, c.CorrectPixThresh);
            break;
        }
    }
    return in;
}

std::vector<FunctionCode> KeyCodesFromProfile(const std::vector<KeyListEntry>& keys) {
    std::vector<FunctionCode> codes;
    codes.reserve(keys.size());
    for (const auto& k : keys) codes.push_back(k.Assignment);
    return codes;
}

std::vector<std::vector<MacroEventBytes>> MacroEventsForDevice(const std::vector<DeviceMacro>& macros) {
    std::vector<std::vector<MacroEventBytes>> out;
    out.reserve(macros.size());
    for (const auto& m : macros) {
        std::vector<MacroEventBytes> events;
        events.reserve(m.events.size());
        for (const auto& e : m.events)
            events.push_back({MacroDelayFromText(e.Delay), static_cast<uint8_t>(e.Type), e.IsDown(),
                              static_cast<uint8_t>(e.Button)});
        out.push_back(std::move(events));
    }
    return out;
}

void TakeDeviceConfig(const DecodedConfig& config, LightInfoRecord& lightState, CMouseProfiledata& profile) {
    lightState.light = config.LightKeepingDirection(lightState.light);
    profile.SetActiveDpiStage(config.activeDpiStage);
    const LightWords words = lightState.ToWords();
    profile.SetLightInfo(words.a, words.b, words.c);
}

}  // namespace orvane
