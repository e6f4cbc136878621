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

void TakeDeviceConfig(const DecodedConfig& config, LightInfoRecord& lightState, CMouseProfiledata& profile) {
    lightState.light = config.LightKeepingDirection(lightState.light);
    profile.SetActiveDpiStage(config.activeDpiStage);
    const LightWords words = lightState.ToWords();
    profile.SetLightInfo(words.a, words.b, words.c);
}

}  // namespace orvane
