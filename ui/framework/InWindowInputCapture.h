#pragma once
// InputCapture inside the program's own windows, on every desktop: an application-wide event
// filter that, while a capture runs, takes every key press and release and every press and
// release of the five mouse buttons before any widget does. Keys are swallowed (auto-repeats
// dropped without a word); the lock keys still toggle, since the desktop toggles them before the
// program sees the key. Buttons are swallowed too, except over the pass-through widget (the
// button that ends a recording), which gets its click.

#include <QEvent>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QWidget>

#include "platform/InputCapture.h"

namespace orvane::ui {

class InWindowInputCapture final : public QObject, public InputCapture {
public:
    InWindowInputCapture() = default;
    ~InWindowInputCapture() override { Stop(); }

    void Start(Sink sink) override;
    void Stop() override;
    bool IsRunning() const override { return running_; }
    bool SeesOtherWindows() const override { return false; }

    void SetPassThrough(QWidget* widget) { passThrough_ = widget; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OverPassThrough(const QPointF& globalPosition) const;

    struct ClickSignature {
        QEvent::Type type = QEvent::None;
        Qt::MouseButton button = Qt::NoButton;
        quint64 timestamp = 0;
        QPointF position;
        bool operator==(const ClickSignature&) const = default;
    };

    Sink sink_;
    bool running_ = false;
    ClickSignature lastClick_;
    QPointer<QWidget> passThrough_;
};

}  // namespace orvane::ui
