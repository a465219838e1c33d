#include "ui/timer.h"

#include <algorithm>


namespace ui {

Timer::Timer(int intervalMs, Stage& stage)
    : Control(nullptr, Layer::None, 1.0),
      stage_(stage),
      alarm_(stage.clock.alarm([this] { onAlarm(); })),
      period_(std::max(intervalMs, kShortestTimerPeriodMs))
{
    setEnabled(true);
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!enabled) {
        alarm_->stop();
        return;
    }
    ++generation_;
    delivered_ = 0;
    start_ = stage_.clock.nowMs();
    schedule();
}

void Timer::schedule() { alarm_->set(start_ + (delivered_ + 1) * period_); }

void Timer::onAlarm()
{
    if (!enabled_) return;
    if (stage_.modalOpen()) {
        delivered_ = std::max(delivered_, periodsElapsed());
        schedule();
        return;
    }
    const unsigned generation = generation_;
    while (delivered_ < periodsElapsed()) {
        ++delivered_;
        const unsigned boxes = stage_.messageBoxesOpened();
        raiseEvent();
        // The handler may have stopped or restarted this timer, or unloaded its screen.
        if (!enabled_ || generation != generation_) return;
        // A message box it opened was modal to this timer too: what fell due meanwhile is dropped.
        if (stage_.messageBoxesOpened() != boxes) delivered_ = std::max(delivered_, periodsElapsed());
    }
    schedule();
}

}  // namespace ui
