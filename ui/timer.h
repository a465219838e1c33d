#pragma once
// A screen timer. Ticks follow its clock: when the event loop was held up for several periods,
// the missed ticks are delivered on its next turn so a busy moment never slows a clock. While a
// message box is open ticks are dropped instead.
#include <memory>

#include "ui/clock.h"
#include "ui/control.h"
#include "ui/stage.h"

namespace ui {

// The shortest period this platform's timers tick at: a timer designed with a shorter interval
// ticks at this one, so a 1 ms timer ticks ten times a second.
inline constexpr int kShortestTimerPeriodMs = 100;

class Timer : public Control {
public:
    Timer(int intervalMs, Stage&);

    bool Enabled() const override { return enabled_; }
    // Enabling a disabled timer starts a fresh interval
    void setEnabled(bool enabled) override;
    Timer& disabled() { setEnabled(false); return *this; }

private:
    void schedule();
    void onAlarm();
    qint64 periodsElapsed() const { return (stage_.clock.nowMs() - start_) / period_; }

    Stage& stage_;
    std::unique_ptr<Clock::Alarm> alarm_;
    int period_;
    bool enabled_ = false;
    qint64 start_ = 0;       // the clock's reading when the timer was enabled
    qint64 delivered_ = 0;   // periods delivered since then
    unsigned generation_ = 0;  // changes on every fresh start
};

}  // namespace ui
