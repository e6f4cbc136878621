#pragma once
// Numbered timers of one object (a control or a window). A timer fires every period until it is
// killed; arming an id that is armed restarts it with the new period, so one id never fires twice
// per period. Arming and killing are safe from any thread: off the owner's thread they are queued
// onto it. The timers die with the owner.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace orvane::ui {

class TimerSet {
public:
    TimerSet(QObject* owner, std::function<void(int)> fire);
    ~TimerSet();
    TimerSet(const TimerSet&) = delete;
    TimerSet& operator=(const TimerSet&) = delete;

    bool Set(int id, int ms);
    bool Kill(int id);
    void KillAll();

private:
    void SetHere(int id, int ms);
    void KillHere(int id);
    // Stopped at once, deleted later: a timer may be killed from its own handler.
    static void Discard(QTimer* timer);

    QObject* owner_;
    std::function<void(int)> fire_;
    QHash<int, QPointer<QTimer>> timers_;
};

}  // namespace orvane::ui
