#pragma once
// The game's one top-level window, in which the shown screens take turns: the front screen (the
// one shown last that is still shown) fills it, and the window takes that screen's caption, icon
// and designed client size. A single native window for the whole game means a switch of screens
// neither moves the game on the desktop nor opens a window the desktop places afresh (Wayland
// compositors place every new window themselves), and full screen carries over from screen to
// screen with nothing unmapped in between. Its full-screen state follows what the desktop
// reports, whoever asked for it.
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include <QDeadlineTimer>
#include <QPoint>
#include <QTimer>
#include <QWidget>

namespace ui {

class Display;
class Window;

class TopWindow : public QWidget {
public:
    explicit TopWindow(Display&);
    ~TopWindow() override;
    Display& display() const { return display_; }

    // The screen's window comes to the front; shown again, it comes back to the front.
    void showScreen(Window*);
    // The screen's window is no longer shown; the one shown before it comes to the front.
    void hideScreen(Window*);
    bool isShown(const Window* window) const { return std::ranges::find(shown_, window) != shown_.end(); }
    bool inFront(const Window* window) const { return !shown_.empty() && shown_.back() == window; }
    // The caption or icon of a screen changed
    void follow(const Window*);
    // After a message box closed: the keyboard back to the game, and once more should the desktop
    // give it to nobody as the box's window goes (weston's XWayland does, now and then)
    void reclaimKeyboard();
    // Asks the desktop for the game's mode (full screen or the designed window) and lays the
    // front screen out in it.
    void applyMode();

protected:
    void keyPressEvent(QKeyEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void changeEvent(QEvent*) override;
    bool eventFilter(QObject*, QEvent*) override;

private:
    Window* front() const { return shown_.empty() ? nullptr : shown_.back(); }
    void arrange();
    void limitSize();
    void open(const Window& firstInFront);
    void ask(bool fullScreen);
    void reported(bool fullScreen);
    void followDesktop();
    // The desktop destroyed the native window: the front screen closes as its close button has
    // it, and a window is made afresh should a screen show again.
    void lostNativeWindow();

    Display& display_;
    std::unique_ptr<QObject> destructionWatch_;
    std::vector<Window*> shown_;  // in the order shown, the front last
    bool asked_ = false;     // full screen, as last asked of the desktop
    bool reported_ = false;  // full screen, as the desktop last reported
    QTimer settling_;        // from a report that differs from what was asked
    QDeadlineTimer reclaiming_;  // while the keyboard lost to nobody comes back
    bool awaitingRestore_ = false;  // for the desktop to give the designed window back
    bool opened_ = false;
    std::optional<QPoint> normalPos_;  // where the designed window was before full screen
};

}  // namespace ui
