#pragma once
// The screens driven as players drive them: names typed on the entry screen, races run by hand
// on a test clock, so no test waits for time to pass.
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QTest>

#include "app/forms.h"
#include "test_clock.h"

// Switches a player on and types the name, as on the entry screen
inline void enter(int player, const QString& name)
{
    forms().Form2.check(player)->click();
    QTest::keyClicks(forms().Form2.nameBox(player)->lineEdit(), name);
}

// The lanes the race screen has set up; a lane showing only some of its four controls counts as
// its negative number
inline QList<int> lanesSetUp()
{
    race::Form1& screen = forms().Form1;
    QList<int> lanes;
    for (const race::Lane& lane : race::kLanes) {
        const int shown = screen.label(lane.nameLabel)->Visible() + screen.label(lane.counterLabel)->Visible()
                          + screen.label(lane.keyLabel)->Visible() + screen.Picture1(lane.number)->Visible();
        if (shown) lanes << (shown == 4 ? lane.number : -lane.number);
    }
    return lanes;
}

// The five seconds of the countdown from its start
inline void countDown(TestClock& clock) { clock.advance(5000); }

// `ticks` tenths of a second on the race clock
inline void tickClock(TestClock& clock, int ticks) { clock.advance(ticks * 100); }

// A lane's hundred presses, its two keys in turn
inline void runLane(int lane)
{
    for (int press = 0; press < 50; ++press) {
        forms().Form1.keyDown(race::kLanes[lane - 1].firstKey, 0);
        forms().Form1.keyDown(race::kLanes[lane - 1].secondKey, 0);
    }
}

// The race to its end: the countdown, `ticks` on the clock, then every lane run, lane by lane
inline void runRace(TestClock& clock, int ticks)
{
    const QList<int> lanes = lanesSetUp();  // read first: the last press closes the screen
    countDown(clock);
    tickClock(clock, ticks);
    for (int lane : lanes)
        if (lane > 0) runLane(lane);
}
