#pragma once
// What the screens of one program share beyond their own controls, made once (in main, or by a
// test) before any screen, and outliving them all: the clock their timers run on, the platform's
// message boxes and program end, the game's window and the mode it shows the screens in, the
// decoded pictures the screens share, and the pictures the program draws itself.
#include <QString>

#include "ui/clock.h"
#include "ui/display.h"
#include "ui/drawn_pictures.h"
#include "ui/picture.h"
#include "ui/platform.h"

namespace ui {

class Stage {
public:
    // `fullScreenThisRun`: the game starts full screen whatever the settings say, and stores nothing
    Stage(Clock& clock, Platform& platform, const DrawnPictures* drawn = nullptr, bool fullScreenThisRun = false)
        : clock(clock), platform(platform), drawn(drawn), display(fullScreenThisRun)
    {
    }
    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    Clock& clock;
    Platform& platform;
    const DrawnPictures* const drawn;  // none: every picture is scaled when zoomed
    Display display;
    PictureLoader pictures;

    // A modal message box over the game's window; untitled, the desktop shows the application's
    // name in its place.
    void msgBox(const QString& text, const QString& title = {});
    // True while a message box is open: timers drop their ticks meanwhile.
    bool modalOpen() const { return openBoxes_ > 0; }
    // How many message boxes have been opened so far. A timer whose own tick opened one was not
    // waiting meanwhile, so it tells from this that the ticks that fell due are to be dropped.
    unsigned messageBoxesOpened() const { return boxesOpened_; }

private:
    int openBoxes_ = 0;
    unsigned boxesOpened_ = 0;
};

}  // namespace ui
