#pragma once
// How the screens are shown: in the game's one window, either at their designed size or full
// screen. In full screen the window fills the display it is on, its front screen's designed scene
// scaled uniformly to the largest size that fits and centred; controls stay real widgets at scaled
// places, sizes and fonts, so text and lines are drawn sharp at the scaled size and clicks land
// where the controls show, while positions in a screen's own units never change. F11 switches the
// whole game; the choice made with it, or with the desktop's own full-screen request, is remembered
// between runs, while a run started full screen by asking (--fullscreen) stores nothing.
#include <memory>

#include <QFont>

#include "ui/key_switch.h"

namespace ui {

class TopWindow;

class Display {
public:
    explicit Display(bool fullScreenThisRun = false);
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    TopWindow& window() { return *window_; }

    bool fullScreen() const { return fullScreen_; }
    // Switches the game's window at once and remembers the choice.
    void setFullScreen(bool);

    // Message boxes and the style's measures (check boxes, frames) scale with the screen in front.
    double dialogZoom() const { return dialogZoom_; }
    void scaleDialogs(double factor);
    // The font message boxes take at a zoom: the application's own as designed, scaled
    QFont dialogFont(double zoom) const;

private:
    bool fullScreen_;
    double dialogZoom_ = 1.0;
    const QFont designedFont_;  // the application's, before any zoom
    KeySwitch fullScreenKey_;  // F11
    std::unique_ptr<TopWindow> window_;
};

}  // namespace ui
