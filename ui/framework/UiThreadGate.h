#pragma once
// Requests from worker threads onto the thread of a UI object, which the object's owner cuts
// off before the object goes: after Close nothing more is queued, and what was queued but has
// not run yet never runs. Shared by the owner and its workers.

#include <QObject>

#include <functional>
#include <memory>
#include <mutex>

namespace orvane {

class UiThreadGate : public std::enable_shared_from_this<UiThreadGate> {
public:
    explicit UiThreadGate(QObject* context) : context_(context) {}

    // Any thread: queues `fn` onto the context's thread. False once the gate is closed.
    bool Post(std::function<void()> fn);
    // Any thread; call it while the context still lives.
    void Close();

private:
    bool IsOpen() const;

    mutable std::mutex mutex_;
    QObject* context_;
    bool closed_ = false;
};

}  // namespace orvane
