#pragma once
// What the harnesses that run the whole game share: the game's application set-up, message boxes
// answered at once, four-player races started from the entry screen as a user starts them, and
// key events handed to a window the way the window system hands them over.
#include <array>

#include <QEvent>
#include <QString>

#include "app/cues.h"
#include "app/forms.h"
#include "app/own_pictures.h"
#include "ui/clock.h"
#include "ui/platform.h"
#include "ui/stage.h"

class QWindow;

// Answers every message box at once, so a race's end never waits for a user.
class InstantAnswers : public ui::Platform {
public:
    void showMessage(const QString&, const QString&, ui::TopWindow&) override {}
    void endProgram() override {}
};

// The game as its main makes it, for as long as this lives: style, fonts and window handling, the
// seven screens on the steady clock with the game's own pictures, in a window or full screen, and
// the sound their cues play on (its device opened by whoever wants it heard); every message box
// answered at once.
class LikeTheGame {
public:
    explicit LikeTheGame(bool fullScreen = false);
    Forms& forms() { return forms_; }
    GameSound& sound() { return sound_; }

private:
    struct Application {
        Application();
    } application_;
    InstantAnswers answers_;
    ui::SteadyClock clock_;
    const OwnPictures pictures_;
    ui::Stage stage_;
    GameSound sound_{false};
    Forms forms_;
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
race::Form1& startFourPlayerRace(Forms&, const QString& runnerFile = QStringLiteral("None"));

// After a race: "New Players" on the results screen, and the closed screens cleared away.
void backToEntry(Forms&);

// A key press or release delivered now, as the event loop delivers one from the window system
void sendKey(QWindow* window, QEvent::Type type, Qt::Key key);
