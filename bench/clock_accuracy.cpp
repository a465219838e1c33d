// The race clock against wall time over one 30-second race, on the real event loop with the real
// clock timer. Four players press at 15 presses a second each, spread evenly between them. At that
// pace 100 accepted presses would end the race in under 7 s, so each player hits the key the race
// expects only 100 times in their 450 presses of the 30 s, evenly spread with the 450th press the
// 100th accepted, and otherwise presses the key just accepted, which the race rejects. Every press
// is a key event handled in full, and the race ends with the last press, at 30 s.
// Prints: wall-seconds clock-seconds error-percent
#include <algorithm>
#include <cmath>
#include <cstdio>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "app/forms.h"
#include "bench/race_driver.h"

namespace {

constexpr int kPressesPerPlayer = 450;  // 30 s at 15 a second
constexpr int kAcceptedPerPlayer = 100;
constexpr int kPlayers = 4;
constexpr int kPresses = kPressesPerPlayer * kPlayers;
constexpr double kMsBetweenPresses = 1000.0 / (15 * kPlayers);

// Whether a player's press number k (from 0) is one of their accepted presses
bool accepts(int k)
{
    return (k + 1) * kAcceptedPerPlayer / kPressesPerPlayer > k * kAcceptedPerPlayer / kPressesPerPlayer;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    LikeTheGame game;
    race::Form1& race = startFourPlayerRace(game.forms());
    QWindow* window = race.window()->window()->windowHandle();
    for (int tick = 0; tick < 5; ++tick) race.engine.Timer1_Timer();  // the last tick starts the clock
    QElapsedTimer wall;
    wall.start();

    int next = 0;
    int accepted[kPlayers] = {};
    double lastPressSeconds = 0;
    QTimer presses;
    presses.setSingleShot(true);
    presses.setTimerType(Qt::PreciseTimer);
    QObject::connect(&presses, &QTimer::timeout, [&] {
        // Presses fall due on a fixed schedule; any that a busy moment held up go at once.
        while (next < kPresses && next * kMsBetweenPresses <= double(wall.nsecsElapsed()) / 1e6) {
            const int player = next % kPlayers, k = next / kPlayers;
            const bool firstKeyExpected = accepted[player] % 2 == 0;
            const Qt::Key key = laneKeys[player][firstKeyExpected == accepts(k) ? 0 : 1];
            if (accepts(k)) ++accepted[player];
            if (next == kPresses - 1) lastPressSeconds = double(wall.nsecsElapsed()) / 1e9;
            sendKey(window, QEvent::KeyPress, key);
            sendKey(window, QEvent::KeyRelease, key);
            ++next;
        }
        if (next == kPresses) {
            QCoreApplication::exit(0);
            return;
        }
        const double waitMs = next * kMsBetweenPresses - double(wall.nsecsElapsed()) / 1e6;
        presses.start(std::max(0, int(std::ceil(waitMs))));
    });
    presses.start(0);
    QApplication::exec();

    if (race.isLoaded() || race.engine.finishCount() != kPlayers) qFatal("the race did not end with four finishers");
    const double clockSeconds = double(race.engine.clockTicks()) / 10;
    std::printf("%.3f %.1f %.3f\n", lastPressSeconds, clockSeconds,
                100 * (clockSeconds - lastPressSeconds) / lastPressSeconds);
    return 0;
}
