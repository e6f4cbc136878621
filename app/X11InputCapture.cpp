#include "app/X11InputCapture.h"

#include <QGuiApplication>

// Xlib last: its macros (None, Bool, KeyPress …) must not reach the Qt headers.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace orvane::app {
namespace {

// XKB keycodes are the Linux key codes plus 8.
constexpr int kXkbOffset = 8;

std::optional<CapturedButton> ButtonOfRawDetail(int detail) {
    switch (detail) {
        case 1: return CapturedButton::Left;
        case 2: return CapturedButton::Middle;
        case 3: return CapturedButton::Right;
        case 8: return CapturedButton::Back;
        case 9: return CapturedButton::Forward;
        default: return std::nullopt;  // 4-7: the wheel
    }
}

}  // namespace

struct X11InputCapture::Connection {
    Display* display = nullptr;
    int opcode = 0;
    ~Connection() {
        if (display != nullptr) XCloseDisplay(display);
    }
    void Select(bool on) const {
        unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
        if (on) {
            XISetMask(bits, XI_RawKeyPress);
            XISetMask(bits, XI_RawKeyRelease);
            XISetMask(bits, XI_RawButtonPress);
            XISetMask(bits, XI_RawButtonRelease);
        }
        XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
        XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
        XFlush(display);
    }
};

std::unique_ptr<X11InputCapture> X11InputCapture::Open() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto connection = std::make_unique<Connection>();
    connection->display = XOpenDisplay(nullptr);
    if (connection->display == nullptr) return nullptr;
    int event = 0;
    int error = 0;
    if (!XQueryExtension(connection->display, "XInputExtension", &connection->opcode, &event, &error)) return nullptr;
    int major = 2;
    int minor = 0;
    if (XIQueryVersion(connection->display, &major, &minor) != Success) return nullptr;
    return std::unique_ptr<X11InputCapture>(new X11InputCapture(std::move(connection)));
}

X11InputCapture::X11InputCapture(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)),
      notifier_(std::make_unique<QSocketNotifier>(ConnectionNumber(connection_->display), QSocketNotifier::Read)) {
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadEvents(); });
}

X11InputCapture::~X11InputCapture() { Stop(); }

void X11InputCapture::Start(Sink sink) {
    sink_ = std::move(sink);
    // In the window: swallowed there, reported by the raw events.
    inWindow_.Start([](const CapturedInput&) {});
    if (!running_) connection_->Select(true);
    running_ = true;
}

void X11InputCapture::Stop() {
    if (running_) connection_->Select(false);
    inWindow_.Stop();
    running_ = false;
    sink_ = nullptr;
}

void X11InputCapture::ReadEvents() {
    Display* display = connection_->display;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != connection_->opcode || !XGetEventData(display, cookie)) {
            continue;
        }
        const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
        CapturedInput input;
        input.when = std::chrono::steady_clock::now();
        bool deliver = running_ && sink_;
        switch (cookie->evtype) {
            case XI_RawKeyPress:
            case XI_RawKeyRelease:
                input.kind = CapturedInput::Kind::Key;
                input.down = cookie->evtype == XI_RawKeyPress;
                deliver = deliver && raw->detail > kXkbOffset;
                input.evdevCode = static_cast<uint16_t>(raw->detail - kXkbOffset);
                break;
            case XI_RawButtonPress:
            case XI_RawButtonRelease: {
                const auto button = ButtonOfRawDetail(raw->detail);
                deliver = deliver && button.has_value();
                input.kind = CapturedInput::Kind::Button;
                input.down = cookie->evtype == XI_RawButtonPress;
                input.button = button.value_or(CapturedButton::Left);
                Window root = 0;
                Window child = 0;
                int windowX = 0;
                int windowY = 0;
                unsigned int state = 0;
                XQueryPointer(display, DefaultRootWindow(display), &root, &child, &input.x, &input.y, &windowX, &windowY, &state);
                break;
            }
            default: deliver = false; break;
        }
        XFreeEventData(display, cookie);
        if (deliver) {
            Sink sink = sink_;  // the sink may stop the capture
            sink(input);
        }
    }
}

}  // namespace orvane::app
