#include "ui/clock.h"

#include <algorithm>
#include <climits>

#include <QTimer>

namespace ui {

namespace {
class TimerAlarm : public Clock::Alarm {
public:
    TimerAlarm(const Clock& clock, std::function<void()> ring) : clock_(clock)
    {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(ring));
    }
    void set(qint64 dueMs) override { timer_.start(int(std::clamp<qint64>(dueMs - clock_.nowMs(), 0, INT_MAX))); }
    void stop() override { timer_.stop(); }

private:
    const Clock& clock_;
    QTimer timer_;
};
}  // namespace

SteadyClock::SteadyClock() { elapsed_.start(); }

qint64 SteadyClock::nowMs() const { return elapsed_.elapsed(); }

std::unique_ptr<Clock::Alarm> SteadyClock::alarm(std::function<void()> ring)
{
    return std::make_unique<TimerAlarm>(*this, std::move(ring));
}

}  // namespace ui
