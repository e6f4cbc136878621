#pragma once
// How long the UI thread went without running its events: the longest gap between the ticks of
// a 5 ms timer on it, from construction until asked.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

namespace orvane::test {

class UiWatch {
public:
    UiWatch() {
        clock_.start();
        QObject::connect(&tick_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            longest_ = std::max(longest_, now - last_);
            last_ = now;
        });
        tick_.setTimerType(Qt::PreciseTimer);
        tick_.start(5);
    }
    double LongestGapMs() const {
        return static_cast<double>(std::max(longest_, clock_.nsecsElapsed() - last_)) / 1e6;
    }

private:
    QTimer tick_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

}  // namespace orvane::test
