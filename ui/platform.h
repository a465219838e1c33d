#pragma once
// Services the handlers call outside any one screen: the modal message box and ending the
// program. Tests put a recorder in place of the real platform.
#include <QString>

namespace ui {

class Platform {
public:
    virtual ~Platform() = default;
    // Modal, OK only, no icon; returns when it is closed
    virtual void showMessage(const QString& text, const QString& title) = 0;
    // Stops the program at once: no further handler of any screen runs
    virtual void endProgram() = 0;
};

Platform& platform();
// Installs a platform (for tests); nullptr puts the real one back. The caller keeps ownership.
void setPlatform(Platform*);

// A message box; untitled, the desktop shows the application's name in its place.
void msgBox(const QString& text, const QString& title = {});

// True while a message box is open: timers drop their ticks meanwhile.
bool modalOpen();
// How many message boxes have been opened so far. A timer whose own tick opened one was not
// waiting meanwhile, so it tells from this that the ticks that fell due are to be dropped.
unsigned messageBoxesOpened();

}  // namespace ui
