#pragma once
// InputCapture on an X11 session: XInput2 raw events of every keyboard and pointer, so that keys
// and buttons pressed while another window has focus are captured too. Raw events need no grab
// and no privileges; nothing is taken from other programs. Inside the program's own window the
// in-window capture still swallows what the user presses (and lets the stop button be clicked),
// while the input itself comes from the raw events, once. The X connection is the program's own,
// read on the UI thread when it has something.

#include <QPointer>
#include <QSocketNotifier>

#include <memory>

#include "platform/InputCapture.h"
#include "ui/framework/InWindowInputCapture.h"

namespace orvane::app {

class X11InputCapture final : public InputCapture {
public:
    // nullptr when the session is no X11 session or its server lacks XInput 2.
    static std::unique_ptr<X11InputCapture> Open();
    ~X11InputCapture() override;

    void Start(Sink sink) override;
    void Stop() override;
    bool IsRunning() const override { return running_; }
    bool SeesOtherWindows() const override { return true; }

    ui::InWindowInputCapture& InWindow() { return inWindow_; }

private:
    struct Connection;
    explicit X11InputCapture(std::unique_ptr<Connection> connection);
    void ReadEvents();

    std::unique_ptr<Connection> connection_;
    std::unique_ptr<QSocketNotifier> notifier_;
    ui::InWindowInputCapture inWindow_;
    Sink sink_;
    bool running_ = false;
};

}  // namespace orvane::app
