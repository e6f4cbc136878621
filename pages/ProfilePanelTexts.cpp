#include "pages/ProfilePanelTexts.h"

namespace orvane {

const char* RefusalMessageId(ProfileNameRefusal refusal) {
    switch (refusal) {
        case ProfileNameRefusal::kEmpty: return "message_text_5_1";
        case ProfileNameRefusal::kHasWhiteSpace: return "message_text_5_2";
        case ProfileNameRefusal::kTaken: return "message_text_5";
        case ProfileNameRefusal::kNone: break;
    }
    return nullptr;
}

std::span<const char* const> HiddenFeatureTabs(int deviceKind) {
    static constexpr const char* kKeyboard[] = {"cursor_Op_tab", "macro_Op_tab"};
    static constexpr const char* kMouse[] = {"macro_Op_tab"};
    static constexpr const char* kNoKeysOrSystem[] = {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"};
    switch (deviceKind) {
        case kDeviceKeyboard: return kKeyboard;
        case kDeviceMouse: return kMouse;
        case kDeviceMousePad:
        case kDeviceHeadset: return kNoKeysOrSystem;
        default: return {};
    }
}

std::span<const char* const> ShownFeatureTabs(int deviceKind) {
    static constexpr const char* kHeadset[] = {"8127_voice_Op_tab", "magic_Op_tab"};
    if (deviceKind == kDeviceHeadset) return kHeadset;
    return {};
}

const char* ResetMacroMessage(int deviceKind, int macroWriteResult) {
    if (deviceKind != kDeviceKeyboard || macroWriteResult == 0) return nullptr;
    return macroWriteResult == -1 ? "message_text_7" : "message_text_16";
}

}  // namespace orvane
