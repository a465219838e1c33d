#pragma once
// Time as the screens' timers see it: a steady reading in milliseconds, and alarms that wake a
// timer once a reading falls due. The program runs on the event loop's steady clock; tests move a
// clock of their own by hand, so no test waits for time to pass.
#include <functional>
#include <memory>

#include <QElapsedTimer>

namespace ui {

class Clock {
public:
    // Rings once, on the event loop, at or after the reading it was set for; setting it again
    // replaces that reading.
    class Alarm {
    public:
        virtual ~Alarm() = default;
        virtual void set(qint64 dueMs) = 0;
        virtual void stop() = 0;
    };

    virtual ~Clock() = default;
    virtual qint64 nowMs() const = 0;
    virtual std::unique_ptr<Alarm> alarm(std::function<void()> ring) = 0;
};

// The monotonic clock, its alarms the event loop's precise timers
class SteadyClock : public Clock {
public:
    SteadyClock();
    qint64 nowMs() const override;
    std::unique_ptr<Alarm> alarm(std::function<void()> ring) override;

private:
    QElapsedTimer elapsed_;
};

}  // namespace ui
