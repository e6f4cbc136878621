#pragma once
// CDeviceHook: the input hooks of macro recording and of the key assignment's one-key capture, over
// the input-capture layer (platform/InputCapture.h). While installed, every captured key and mouse
// button reaches the target window synchronously as the registered hook message of the current
// mode, with a record in the layout the recording handlers read. UI thread only.

#include <QPointer>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/InputCapture.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane::app {

enum HookMode : int {
    kHookKeyCapture = 1,
    kHookHitKey = 2,
    kHookRecordAppend = 4,
    kHookRecordBefore = 8,
    kHookRecordAfter = 16,
    kHookReplaceStep = 32,
};

// lParam of the keyboard hook messages: the scan code in the second word, the extended flag in
// bit 0 of the third.
struct KeyHookRecord {
    uint32_t virtualKey = 0;
    uint32_t scanCode = 0;
    uint32_t flags = 0;
    uint32_t time = 0;
    uintptr_t extraInfo = 0;
};
inline constexpr uint32_t kKeyExtendedFlag = 0x01;

// lParam of the mouse hook messages: the pointer in screen coordinates, the X button number in the
// high 16 bits of the mouse data at byte offset 20.
struct MouseHookRecord {
    int32_t x = 0;
    int32_t y = 0;
    uint32_t window = 0;
    uint32_t hitTest = 0;
    uint32_t extraInfo = 0;
    uint32_t mouseData = 0;
};
static_assert(offsetof(MouseHookRecord, mouseData) == 20);

// The registered name of the keyboard (mouse: false) hook message of `mode`; nullptr for none.
const char* HookMessageName(int mode, bool keyboard);

class CDeviceHook {
public:
    explicit CDeviceHook(std::unique_ptr<InputCapture> capture);
    ~CDeviceHook() { Uninstall(); }

    // Starts the capture for `window` in `mode` (a capture already running is replaced). Keys are
    // forwarded when `keyboard` is set, mouse buttons when `mouse` is.
    bool Install(ui::WindowImplBase* window, int mode, bool keyboard, bool mouse);
    // 1 when a capture was running, else 0.
    int Uninstall();
    bool IsInstalled() const { return capture_->IsRunning(); }
    int Mode() const { return mode_; }
    const InputCapture& Capture() const { return *capture_; }

private:
    void Deliver(const CapturedInput& input);

    std::unique_ptr<InputCapture> capture_;
    QPointer<ui::WindowImplBase> window_;
    int mode_ = 0;
    bool keyboard_ = false;
    bool mouse_ = false;
};

}  // namespace orvane::app
