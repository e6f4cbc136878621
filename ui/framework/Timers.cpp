#include "ui/framework/Timers.h"

#include <QThread>

namespace orvane::ui {

TimerSet::TimerSet(QObject* owner, std::function<void(int)> fire) : owner_(owner), fire_(std::move(fire)) {}

TimerSet::~TimerSet() {
    for (const auto& timer : std::as_const(timers_)) delete timer.data();
}

bool TimerSet::Set(int id, int ms) {
    if (ms < 0) return false;
    if (QThread::currentThread() == owner_->thread()) {
        SetHere(id, ms);
        return true;
    }
    return QMetaObject::invokeMethod(owner_, [this, id, ms] { SetHere(id, ms); }, Qt::QueuedConnection);
}

bool TimerSet::Kill(int id) {
    if (QThread::currentThread() == owner_->thread()) {
        const bool armed = timers_.contains(id);
        KillHere(id);
        return armed;
    }
    return QMetaObject::invokeMethod(owner_, [this, id] { KillHere(id); }, Qt::QueuedConnection);
}

void TimerSet::KillAll() {
    for (const auto& timer : std::as_const(timers_)) Discard(timer);
    timers_.clear();
}

void TimerSet::SetHere(int id, int ms) {
    QPointer<QTimer>& timer = timers_[id];
    if (!timer) {
        timer = new QTimer(owner_);
        QObject::connect(timer, &QTimer::timeout, owner_, [this, id] { fire_(id); });
    }
    timer->start(ms);
}

void TimerSet::KillHere(int id) {
    if (auto it = timers_.find(id); it != timers_.end()) {
        Discard(*it);
        timers_.erase(it);
    }
}

void TimerSet::Discard(QTimer* timer) {
    if (timer == nullptr) return;
    timer->stop();
    timer->deleteLater();
}

}  // namespace orvane::ui
