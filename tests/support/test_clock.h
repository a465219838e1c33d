#pragma once
// A clock the test moves by hand: its alarms ring in the order of their readings, each with the
// clock at its reading, as the event loop rings them; `stall` is an event loop held up.
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "ui/clock.h"

class TestClock : public ui::Clock {
public:
    qint64 nowMs() const override { return now_; }
    std::unique_ptr<Alarm> alarm(std::function<void()> ring) override
    {
        return std::make_unique<TestAlarm>(*this, std::move(ring));
    }

    // Time passes: every alarm falling due meanwhile rings at its reading
    void advance(qint64 ms)
    {
        const qint64 end = now_ + ms;
        while (TestAlarm* next = earliestDue(end)) {
            now_ = std::max(now_, next->due);
            next->armed = false;
            const std::function<void()> ring = next->ring;  // ringing may destroy the alarm
            ring();
        }
        now_ = std::max(now_, end);  // a ring that moved the clock itself may have gone further
    }
    // Time passes while the event loop is held up: nothing rings until the next advance
    void stall(qint64 ms) { now_ += ms; }

private:
    struct TestAlarm : Alarm {
        TestAlarm(TestClock& clock, std::function<void()> ring) : clock(clock), ring(std::move(ring))
        {
            clock.alarms_.push_back(this);
        }
        ~TestAlarm() override { std::erase(clock.alarms_, this); }
        void set(qint64 dueMs) override { due = dueMs, armed = true; }
        void stop() override { armed = false; }

        TestClock& clock;
        std::function<void()> ring;
        qint64 due = 0;
        bool armed = false;
    };

    TestAlarm* earliestDue(qint64 end) const
    {
        TestAlarm* first = nullptr;
        for (TestAlarm* alarm : alarms_)
            if (alarm->armed && alarm->due <= end && (!first || alarm->due < first->due)) first = alarm;
        return first;
    }

    qint64 now_ = 0;
    std::vector<TestAlarm*> alarms_;
};
