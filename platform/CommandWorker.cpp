#include "platform/CommandWorker.h"

namespace orvane {

CommandWorker::~CommandWorker() { Stop(); }

bool CommandWorker::Post(std::function<void()> job) {
    std::lock_guard lock(mutex_);
    if (stopping_ || pending_.size() >= kMaxPending) return false;
    pending_.push_back(std::move(job));
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    wake_.notify_one();
    return true;
}

void CommandWorker::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        pending_.clear();
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

bool CommandWorker::Busy() const {
    std::lock_guard lock(mutex_);
    return running_ || !pending_.empty();
}

void CommandWorker::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
        if (stopping_) return;
        std::function<void()> job = std::move(pending_.front());
        pending_.pop_front();
        running_ = true;
        lock.unlock();
        job();
        lock.lock();
        running_ = false;
    }
}

}  // namespace orvane
