#pragma once
// What the harnesses that run the whole game share: the game's application set-up, message boxes
// answered at once, four-player races started from the entry screen as a user starts them, and
// key events handed to a window the way the window system hands them over.
#include <array>

#include <QEvent>
#include <QString>

#include "race/form1.h"
#include "ui/clock.h"
#include "ui/platform.h"
#include "ui/stage.h"

class QWindow;

// Answers every message box at once, so a race's end never waits for a user.
class InstantAnswers : public ui::Platform {
public:
    InstantAnswers() { ui::setPlatform(this); }
    ~InstantAnswers() override { ui::setPlatform(nullptr); }
    void showMessage(const QString&, const QString&) override {}
    void endProgram() override {}
};

// Style, fonts and window handling as the game's own start sets them, and the seven screens on
// the steady clock, for as long as it lives
class LikeTheGame {
public:
    LikeTheGame();
    ~LikeTheGame();

private:
    ui::SteadyClock clock_;
    ui::Stage stage_{clock_};
};

// The two keys of lane n are laneKeys[n - 1]: its first key, then its second.
constexpr std::array<std::array<Qt::Key, 2>, 4> laneKeys{{
    {Qt::Key_P, Qt::Key_O},
    {Qt::Key_W, Qt::Key_Q},
    {Qt::Key_V, Qt::Key_B},
    {Qt::Key_Insert, Qt::Key_Delete},
}};

// "Play" on the entry screen with all four players checked and named (checking them the first
// time), each running the runner file given ("None": the default runner); returns the race screen
// once it is on the screen, its countdown started.
race::Form1& startFourPlayerRace(const QString& runnerFile = QStringLiteral("None"));

// After a race: "New Players" on the results screen, and the closed screens cleared away.
void backToEntry();

// A key press or release delivered now, as the event loop delivers one from the window system
void sendKey(QWindow* window, QEvent::Type type, Qt::Key key);
