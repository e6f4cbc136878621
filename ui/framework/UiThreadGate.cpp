#include "ui/framework/UiThreadGate.h"

namespace orvane {

bool UiThreadGate::Post(std::function<void()> fn) {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    // Held while queuing, so Close cannot let the context go between the check and the post.
    return QMetaObject::invokeMethod(
        context_, [gate = shared_from_this(), fn = std::move(fn)] {
            if (gate->IsOpen()) fn();
        },
        Qt::QueuedConnection);
}

void UiThreadGate::Close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
}

bool UiThreadGate::IsOpen() const {
    std::lock_guard lock(mutex_);
    return !closed_;
}

}  // namespace orvane
