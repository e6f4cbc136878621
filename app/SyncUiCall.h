#pragma once
// Synchronous calls from a worker thread onto the UI thread that shutdown can cancel.
//
// Call() queues the function onto the context object's thread and blocks until it has run, like a
// blocking queued call. Unlike one, it also returns when the gate is closed: the UI thread closes
// it before it waits for the workers to end, so a worker blocked in a call cannot hold the UI
// thread's wait up until its timeout. A call that was dropped never runs later. Close the gate
// before the context is destroyed: workers read the context only while the gate is open.

#include <QObject>
#include <QPointer>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <set>

namespace orvane::app {

class SyncUiCallGate {
public:
    explicit SyncUiCallGate(QObject* context);
    ~SyncUiCallGate();
    SyncUiCallGate(const SyncUiCallGate&) = delete;
    SyncUiCallGate& operator=(const SyncUiCallGate&) = delete;

    // True when `fn` ran; false when the gate was closed first or the context was destroyed.
    // From the context's own thread it runs `fn` at once.
    bool Call(std::function<void()> fn);
    // Queues `fn` without waiting; false when the gate is closed.
    bool Post(std::function<void()> fn);
    // Any thread. Pending calls are dropped and later ones return false at once.
    void Close();

    struct Pending;

private:
    QPointer<QObject> context_;
    std::mutex mutex_;
    bool closed_ = false;
    std::set<std::shared_ptr<Pending>> pending_;
};

}  // namespace orvane::app
