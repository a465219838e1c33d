#pragma once
// A screen timer. Ticks follow a monotonic clock: when the event loop was held up for several
// periods, the missed ticks are delivered on its next turn so a busy moment never slows a clock.
// While a message box is open ticks are dropped instead. Tests fire ticks by hand.
#include <QElapsedTimer>
#include <QTimer>

#include "ui/control.h"

namespace ui {

// The shortest period this platform's timers tick at: a timer designed with a shorter interval
// ticks at this one, so a 1 ms timer ticks ten times a second.
inline constexpr int kShortestTimerPeriodMs = 100;

class Timer : public Control {
public:
    explicit Timer(int intervalMs);

    bool Enabled() const override { return enabled_; }
    // Enabling a disabled timer starts a fresh interval
    void setEnabled(bool enabled) override;
    Timer& disabled() { setEnabled(false); return *this; }

    // Runs one tick now, as the timer would
    void fire() { raiseEvent(); }

private:
    void schedule();
    void onTimeout();

    QTimer qtimer_;
    QElapsedTimer clock_;
    int period_;
    bool enabled_ = false;
    qint64 delivered_ = 0;   // periods delivered since the timer was enabled
    unsigned generation_ = 0;  // changes on every fresh start
};

}  // namespace ui
