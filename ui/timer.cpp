#include "ui/timer.h"

#include <algorithm>

#include "ui/platform.h"

namespace ui {

Timer::Timer(int intervalMs)
    : Control(nullptr, Layer::None, 1.0), period_(std::max(intervalMs, kShortestTimerPeriodMs))
{
    qtimer_.setSingleShot(true);
    qtimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&qtimer_, &QTimer::timeout, &qtimer_, [this] { onTimeout(); });
    setEnabled(true);
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!enabled) {
        qtimer_.stop();
        return;
    }
    ++generation_;
    delivered_ = 0;
    clock_.start();
    schedule();
}

void Timer::schedule()
{
    const qint64 due = (delivered_ + 1) * period_;
    qtimer_.start(int(std::max<qint64>(0, due - clock_.elapsed())));
}

void Timer::onTimeout()
{
    if (!enabled_) return;
    const qint64 due = clock_.elapsed() / period_;
    if (modalOpen()) {
        delivered_ = std::max(delivered_, due);
        schedule();
        return;
    }
    const unsigned generation = generation_;
    while (delivered_ < due) {
        ++delivered_;
        const unsigned boxes = messageBoxesOpened();
        fire();
        // The handler may have stopped or restarted this timer, or unloaded its screen.
        if (!enabled_ || generation != generation_) return;
        // A message box it opened was modal to this timer too: what fell due meanwhile is dropped.
        if (messageBoxesOpened() != boxes) delivered_ = std::max(delivered_, clock_.elapsed() / period_);
    }
    schedule();
}

}  // namespace ui
