#include "app/SyncUiCall.h"

#include <QThread>

namespace orvane::app {

struct SyncUiCallGate::Pending {
    enum class State { Queued, Running, Done, Dropped };
    std::mutex mutex;
    std::condition_variable changed;
    State state = State::Queued;

    void Finish(State to) {
        {
            std::lock_guard lock(mutex);
            state = to;
        }
        changed.notify_all();
    }
    // Dropped unless it already started.
    void Drop() {
        {
            std::lock_guard lock(mutex);
            if (state != State::Queued) return;
            state = State::Dropped;
        }
        changed.notify_all();
    }
};

namespace {

// Owned by the queued functor: when Qt discards the functor unrun (its context died), the waiter
// is released instead of blocking for ever.
struct Ticket {
    explicit Ticket(std::shared_ptr<SyncUiCallGate::Pending> p) : pending(std::move(p)) {}
    ~Ticket() { pending->Drop(); }
    Ticket(const Ticket&) = delete;
    Ticket& operator=(const Ticket&) = delete;
    std::shared_ptr<SyncUiCallGate::Pending> pending;
};

}  // namespace

SyncUiCallGate::SyncUiCallGate(QObject* context) : context_(context) {}

SyncUiCallGate::~SyncUiCallGate() { Close(); }

bool SyncUiCallGate::Call(std::function<void()> fn) {
    auto pending = std::make_shared<Pending>();
    {
        // Held while queueing: once Close() has returned, nothing can be queued onto a context
        // that is about to be destroyed.
        std::unique_lock lock(mutex_);
        QObject* context = context_.data();
        if (closed_ || context == nullptr) return false;
        if (QThread::currentThread() == context->thread()) {
            lock.unlock();
            fn();
            return true;
        }
        pending_.insert(pending);
        auto ticket = std::make_shared<Ticket>(pending);
        QMetaObject::invokeMethod(
            context,
            [ticket, fn = std::move(fn)] {
                Pending& p = *ticket->pending;
                {
                    std::lock_guard running(p.mutex);
                    if (p.state != Pending::State::Queued) return;
                    p.state = Pending::State::Running;
                }
                fn();
                p.Finish(Pending::State::Done);
            },
            Qt::QueuedConnection);
    }
    bool ran = false;
    {
        std::unique_lock lock(pending->mutex);
        pending->changed.wait(lock, [&] {
            return pending->state == Pending::State::Done || pending->state == Pending::State::Dropped;
        });
        ran = pending->state == Pending::State::Done;
    }
    std::lock_guard lock(mutex_);
    pending_.erase(pending);
    return ran;
}

bool SyncUiCallGate::Post(std::function<void()> fn) {
    std::lock_guard lock(mutex_);
    QObject* context = context_.data();
    if (closed_ || context == nullptr) return false;
    return QMetaObject::invokeMethod(context, std::move(fn), Qt::QueuedConnection);
}

void SyncUiCallGate::Close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    for (const auto& pending : pending_) pending->Drop();
}

}  // namespace orvane::app
