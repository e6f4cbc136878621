#pragma once
// One device's command worker: a thread of its own that runs the device's command sequences one
// after another, in the order they were posted, so that no device command runs on the UI thread.
// It sleeps while there is nothing to do. A sequence is never cut short from outside: closing the
// device's channel makes its remaining commands end at once.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace orvane {

class CommandWorker {
public:
    // More waiting sequences than a user can cause; beyond it Post refuses.
    static constexpr size_t kMaxPending = 1024;

    CommandWorker() = default;
    ~CommandWorker();  // Stop()
    CommandWorker(const CommandWorker&) = delete;
    CommandWorker& operator=(const CommandWorker&) = delete;

    // Queues `job` behind the others (the thread starts with the first one). False, with nothing
    // queued, once stopped or when kMaxPending jobs are waiting.
    bool Post(std::function<void()> job);
    // Drops the jobs that have not started and waits for the running one to return.
    void Stop();
    // A job is running or waiting.
    bool Busy() const;

private:
    void Run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> pending_;
    bool running_ = false;  // a job is being run
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace orvane
