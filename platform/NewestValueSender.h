#pragma once
// Sends the newest of the values posted to it on a worker of its own: a slow or stalled receiver
// (a light report waiting behind a command exchange for the channel) never holds up the poster,
// and values posted while one is being sent are merged into the newest. Nothing runs while
// nothing is posted.

#include <functional>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/CommandWorker.h"

namespace orvane {

template <class Value>
class NewestValueSender {
public:
    explicit NewestValueSender(std::function<void(const Value&)> send) : send_(std::move(send)) {}
    // Stop(): whoever `send` talks to must make a send in progress end first (close its channel).
    ~NewestValueSender() { Stop(); }
    NewestValueSender(const NewestValueSender&) = delete;
    NewestValueSender& operator=(const NewestValueSender&) = delete;

    // Any thread.
    void Post(Value value) {
        {
            std::lock_guard lock(mutex_);
            const bool sendQueued = newest_.has_value();
            newest_ = std::move(value);
            if (sendQueued) return;  // the queued send takes this value
        }
        if (!worker_.Post([this] { SendNewest(); })) {
            std::lock_guard lock(mutex_);
            newest_.reset();
        }
    }
    // Drops what was not sent and waits for a send in progress.
    void Stop() { worker_.Stop(); }

private:
    void SendNewest() {
        std::optional<Value> value;
        {
            std::lock_guard lock(mutex_);
            value.swap(newest_);
        }
        if (value) send_(*value);
    }

    std::function<void(const Value&)> send_;
    std::mutex mutex_;
    std::optional<Value> newest_;  // posted, not yet taken
    CommandWorker worker_;
};

}  // namespace orvane
