#pragma once
// The screens driven as players drive them: names typed on the entry screen, races run to the end.
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QTest>

#include "app/forms.h"

// Switches a player on and types the name, as on the entry screen
inline void enter(int player, const QString& name)
{
    forms().Form2.check(player)->click();
    QTest::keyClicks(forms().Form2.nameBox(player)->lineEdit(), name);
}

// The lanes the race screen has set up, each counted once all four of its controls show
inline QList<int> lanesSetUp()
{
    race::Form1& screen = forms().Form1;
    QList<int> lanes;
    for (const race::Lane& lane : race::Lanes)
        if (screen.label(lane.nameLabel)->Visible() && screen.label(lane.counterLabel)->Visible()
            && screen.label(lane.keyLabel)->Visible() && screen.Picture1(lane.number)->Visible())
            lanes << lane.number;
    return lanes;
}

// Runs the race on the race screen to its end: the countdown, the clock for `ticks` tenths of a
// second, then every lane's hundred presses, lane by lane.
inline void runRace(int ticks)
{
    race::Form1& screen = forms().Form1;
    const QList<int> lanes = lanesSetUp();  // read first: the last press closes the screen
    for (int second = 0; second < 5; ++second) screen.Timer1->fire();
    for (int tick = 0; tick < ticks; ++tick) screen.Timer2->fire();
    for (int lane : lanes)
        for (int press = 0; press < 50; ++press) {
            screen.keyDown(race::Lanes[lane - 1].firstKey, 0);
            screen.keyDown(race::Lanes[lane - 1].secondKey, 0);
        }
}
