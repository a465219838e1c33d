#pragma once
// Services the handlers call outside any one screen: the modal message box and ending the
// program. Tests put a recorder in place of the real platform.
#include <QString>

namespace ui {

class TopWindow;

class Platform {
public:
    virtual ~Platform() = default;
    // Modal over the game's window, OK only, no icon; returns when it is closed
    virtual void showMessage(const QString& text, const QString& title, TopWindow& over) = 0;
    // Stops the program at once: no further handler of any screen runs
    virtual void endProgram() = 0;
};

// The platform of the program: real message boxes, and the event loop's end
class QtPlatform : public Platform {
public:
    void showMessage(const QString& text, const QString& title, TopWindow& over) override;
    void endProgram() override;
};

}  // namespace ui
