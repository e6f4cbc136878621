#include "app/DeviceHook.h"

#include "platform/EvdevScanCodes.h"
#include "profiles/MacroRecording.h"
#include "profiles/MacroSteps.h"
#include "ui/framework/WindowMessages.h"

namespace orvane::app {
namespace {

struct ModeMessages {
    int mode;
    const char* keyboard;
    const char* mouse;
};

constexpr ModeMessages kModeMessages[] = {
    {kHookKeyCapture, "WM_HOOK_KEY_SINGLEKEY_MSG", nullptr},
    {kHookHitKey, "WM_HOOK_KEY_HITKEY_MSG", nullptr},
    {kHookRecordAppend, "WM_HOOK_KEY_KBMACRO_MSG", "WM_HOOK_KEY_MSMACRO_MSG"},
    {kHookRecordBefore, "WM_HOOK_KEY_KBMACROPREVIOUS_MSG", "WM_HOOK_KEY_MSMACROPREVIOUS_MSG"},
    {kHookRecordAfter, "WM_HOOK_KEY_KBMACROLATER_MSG", "WM_HOOK_KEY_MSMACROLATER_MSG"},
    {kHookReplaceStep, "WM_HOOK_KEY_KBMACROSINGLE_MSG", "WM_HOOK_KEY_MSMACROSINGLE_MSG"},
    {256, "WM_HOOK_MOU_SINGLEKEY_MSG", nullptr},
    {512, "WM_HOOK_MOU_HITKEY_MSG", nullptr},
    {1024, "WM_HOOK_MOU_KBMACRO_MSG", nullptr},
};

struct ButtonMessages {
    unsigned down;
    unsigned up;
    uint32_t xButton;
};

ButtonMessages MessagesOf(CapturedButton button) {
    switch (button) {
        case CapturedButton::Left: return {0x0201, 0x0202, 0};
        case CapturedButton::Right: return {0x0204, 0x0205, 0};
        case CapturedButton::Middle: return {0x0207, 0x0208, 0};
        case CapturedButton::Back: return {kMessageXButtonDown, kMessageXButtonUp, 1};
        case CapturedButton::Forward: return {kMessageXButtonDown, kMessageXButtonUp, 2};
    }
    return {0, 0, 0};
}

uint32_t Milliseconds(std::chrono::steady_clock::time_point when) {
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count());
}

}  // namespace

const char* HookMessageName(int mode, bool keyboard) {
    for (const ModeMessages& m : kModeMessages) {
        if (m.mode == mode) return keyboard ? m.keyboard : m.mouse;
    }
    return nullptr;
}

CDeviceHook::CDeviceHook(std::unique_ptr<InputCapture> capture) : capture_(std::move(capture)) {}

bool CDeviceHook::Install(ui::WindowImplBase* window, int mode, bool keyboard, bool mouse) {
    window_ = window;
    mode_ = mode;
    keyboard_ = keyboard;
    mouse_ = mouse;
    capture_->Start([this](const CapturedInput& input) { Deliver(input); });
    return true;
}

int CDeviceHook::Uninstall() {
    const bool running = capture_->IsRunning();
    capture_->Stop();
    return running ? 1 : 0;
}

void CDeviceHook::Deliver(const CapturedInput& input) {
    if (!window_) return;
    if (input.kind == CapturedInput::Kind::Key) {
        const char* name = HookMessageName(mode_, true);
        const auto scan = PcScanCodeOfEvdev(input.evdevCode);
        if (!keyboard_ || name == nullptr || !scan) return;
        KeyHookRecord record;
        record.scanCode = scan->code;
        record.flags = scan->extended ? kKeyExtendedFlag : 0;
        record.time = Milliseconds(input.when);
        window_->SendMessage(ui::RegisterWindowMessage(name), input.down ? kMessageKeyDown : kMessageKeyUp,
                             reinterpret_cast<ui::LParam>(&record));
        return;
    }
    const char* name = HookMessageName(mode_, false);
    if (!mouse_ || name == nullptr) return;
    const ButtonMessages messages = MessagesOf(input.button);
    MouseHookRecord record;
    record.x = input.x;
    record.y = input.y;
    record.mouseData = messages.xButton << 16;
    window_->SendMessage(ui::RegisterWindowMessage(name), input.down ? messages.down : messages.up,
                         reinterpret_cast<ui::LParam>(&record));
}

}  // namespace orvane::app
