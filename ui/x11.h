#pragma once
// What the game asks of an X11 desktop directly, where Qt leaves it to the window manager. Both
// answer harmlessly on any other platform.
#include <functional>
#include <memory>

class QObject;
class QWidget;

namespace ui::x11 {

// True unless the program runs on X11 with no window manager that keeps windows full screen
// (none at all, or one without the EWMH full-screen state): full screen is then the game's own
// geometry.
bool fullScreenIsKept();

// Sends the requests made so far. Qt sends them as its event loop turns, and one made from a timer
// would otherwise wait until some other event wakes the loop.
void flush();

// Calls lost() once control is back in the event loop whenever the X server reports the native
// window of `window` destroyed by another client, for as long as the watch returned lives.
std::unique_ptr<QObject> watchDestruction(QWidget& window, std::function<void()> lost);

}  // namespace ui::x11
