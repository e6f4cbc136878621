#include "pages/LightModeList.h"

#include "editors/LightControl.h"
#include "protocol/LightSetting.h"

namespace orvane {

void ShowLightModes(CLightControlUI& panel, const LightNameLists& lists, int mode) {
    // The user's own effects follow the built-in modes.
    std::vector<std::string> names = lists.modeNames;
    std::vector<uint8_t> visible = lists.modeVisible;
    visible.resize(names.size(), 1);
    if (!lists.customNames.empty() && names.size() < kBuiltInLightModes) {
        names.resize(kBuiltInLightModes);
        visible.resize(kBuiltInLightModes, 0);
    }
    names.insert(names.end(), lists.customNames.begin(), lists.customNames.end());
    visible.resize(names.size(), 1);
    panel.InitLightModes(names, visible, kMaxLightLevel, kMaxLightLevel);
    panel.SelectLightMode(mode);
}

}  // namespace orvane
