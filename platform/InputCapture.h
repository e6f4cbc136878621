#pragma once
// Capture of keyboard keys and mouse buttons while a macro is recorded or a key is captured for
// the key assignment. One interface, its implementations chosen at start-up: in the program's own
// window on every desktop, and on an X11 session also while another window has focus. Nothing
// here grabs the keyboard or the pointer, so nothing is left grabbed when a capture ends in any
// way. The sink runs on the thread that owns the capture (the UI thread).

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace orvane {

enum class CapturedButton { Left, Right, Middle, Back, Forward };

struct CapturedInput {
    enum class Kind { Key, Button };
    Kind kind = Kind::Key;
    bool down = false;
    uint16_t evdevCode = 0;  // keys: the Linux key code (XKB keycode - 8)
    CapturedButton button = CapturedButton::Left;
    int x = 0;  // buttons: the pointer in screen coordinates
    int y = 0;
    std::chrono::steady_clock::time_point when;
};

class InputCapture {
public:
    using Sink = std::function<void(const CapturedInput&)>;
    virtual ~InputCapture() = default;

    // From now on every key press and release (auto-repeats dropped) and every press and release of
    // the five buttons goes to `sink`; a capture already running is replaced.
    virtual void Start(Sink sink) = 0;
    virtual void Stop() = 0;
    virtual bool IsRunning() const = 0;
    // Whether input pressed while another window has focus is captured as well.
    virtual bool SeesOtherWindows() const = 0;
};

}  // namespace orvane
