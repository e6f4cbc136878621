#include "ui/framework/InWindowInputCapture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <optional>

namespace orvane::ui {
namespace {

// XKB keycodes are the Linux key codes plus 8 on X11 and Wayland alike.
constexpr quint32 kXkbOffset = 8;

std::optional<CapturedButton> ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return CapturedButton::Left;
        case Qt::RightButton: return CapturedButton::Right;
        case Qt::MiddleButton: return CapturedButton::Middle;
        case Qt::BackButton: return CapturedButton::Back;
        case Qt::ForwardButton: return CapturedButton::Forward;
        default: return std::nullopt;
    }
}

}  // namespace

void InWindowInputCapture::Start(Sink sink) {
    sink_ = std::move(sink);
    if (!running_) qApp->installEventFilter(this);
    running_ = true;
}

void InWindowInputCapture::Stop() {
    if (running_ && qApp != nullptr) qApp->removeEventFilter(this);
    running_ = false;
    sink_ = nullptr;
}

bool InWindowInputCapture::OverPassThrough(const QPointF& globalPosition) const {
    if (!passThrough_ || !passThrough_->isVisible()) return false;
    const QRect area(passThrough_->mapToGlobal(QPoint(0, 0)), passThrough_->size());
    return area.contains(globalPosition.toPoint());
}

// Keys are swallowed where the filter first sees them (the window, or the widget a key is sent to),
// so each reaches it once.
bool InWindowInputCapture::eventFilter(QObject* watched, QEvent* event) {
    if (!running_) return false;
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->isAutoRepeat()) return true;
            CapturedInput input;
            input.kind = CapturedInput::Kind::Key;
            input.down = event->type() == QEvent::KeyPress;
            const quint32 native = key->nativeScanCode();
            input.evdevCode = native > kXkbOffset ? static_cast<uint16_t>(native - kXkbOffset) : 0;
            input.when = std::chrono::steady_clock::now();
            if (sink_ && input.evdevCode != 0) {
                Sink sink = sink_;  // the sink may stop the capture
                sink(input);
            }
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const auto button = ButtonOf(mouse->button());
            if (!button) return false;
            // A click reaches the filter at its window and again, as a new event, at each widget
            // it is passed on to: taken where it is first seen.
            const ClickSignature signature{event->type(), mouse->button(), mouse->timestamp(), mouse->globalPosition()};
            if (!watched->isWindowType() && signature == lastClick_) return false;
            lastClick_ = signature;
            CapturedInput input;
            input.kind = CapturedInput::Kind::Button;
            input.down = event->type() != QEvent::MouseButtonRelease;
            input.button = *button;
            input.x = static_cast<int>(mouse->globalPosition().x());
            input.y = static_cast<int>(mouse->globalPosition().y());
            input.when = std::chrono::steady_clock::now();
            const bool passes = OverPassThrough(mouse->globalPosition());
            if (sink_) {
                Sink sink = sink_;
                sink(input);
            }
            return !passes;
        }
        default: return false;
    }
}

}  // namespace orvane::ui
