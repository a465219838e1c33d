#include "ui/top_window.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "ui/display.h"
#include "ui/window.h"
#include "ui/x11.h"

namespace ui {

namespace {
// Far longer than a desktop takes to answer, far shorter than a player takes to notice
constexpr std::chrono::milliseconds kSettling{300};
// As long as a desktop takes to settle the focus once a window has gone, under load
constexpr std::chrono::milliseconds kReclaiming{1000};
}

TopWindow::TopWindow(Display& display) : display_(display)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // The front screen covers every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
    settling_.setSingleShot(true);
    settling_.setInterval(kSettling);
    connect(&settling_, &QTimer::timeout, this, &TopWindow::followDesktop);
    destructionWatch_ = x11::watchDestruction(*this, [this] { lostNativeWindow(); });
}

TopWindow::~TopWindow()
{
    // Screens' windows still waiting to go (their screens are gone) go first, while this is whole.
    shown_.clear();
    qDeleteAll(findChildren<Window*>(Qt::FindDirectChildrenOnly));
}

void TopWindow::showScreen(Window* window)
{
    std::erase(shown_, window);
    shown_.push_back(window);
    window->show();
    for (Window* other : shown_)
        if (other != window) other->hide();
    applyMode();
}

void TopWindow::hideScreen(Window* window)
{
    const bool wasFront = inFront(window);
    std::erase(shown_, window);
    window->hide();
    if (wasFront) arrange();
}

void TopWindow::follow(const Window* window)
{
    if (inFront(window)) arrange();
}

void TopWindow::applyMode()
{
    if (display_.fullScreen() != asked_) ask(display_.fullScreen());
    arrange();
}

void TopWindow::arrange()
{
    Window* screen = front();
    if (!screen) {
        // Only once the handler that hid the last screen is done: it may show the next one yet, and
        // a window hidden and shown again would be placed afresh.
        QMetaObject::invokeMethod(this, [this] { if (shown_.empty()) hide(); }, Qt::QueuedConnection);
        return;
    }
    screen->show();
    setWindowTitle(screen->windowTitle());
    setWindowIcon(screen->testAttribute(Qt::WA_SetWindowIcon) ? screen->windowIcon() : QIcon());
    limitSize();
    screen->setGeometry(rect());
    if (!isVisible()) open(*screen);
    if (QWindow* native = windowHandle()) native->installEventFilter(this);
    display_.scaleDialogs(screen->zoom().factor);
}

// A designed window is of the front screen's size and no other; full screen is whatever size the
// desktop gives, and a window manager that made the window full screen within the designed
// limits sizes it again once they are lifted.
void TopWindow::limitSize()
{
    if (!asked_) {
        if (awaitingRestore_) return;
        if (const Window* screen = front()) setFixedSize(screen->designedSize());
    } else if (maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void TopWindow::open(const Window& screen)
{
    if (screen.centred && !opened_ && !asked_) {
        QRect frame(QPoint(), size());
        frame.moveCenter(this->screen()->availableGeometry().center());
        move(frame.topLeft());
    }
    opened_ = true;
    show();
}

void TopWindow::ask(bool fullScreen)
{
    asked_ = fullScreen;
    settling_.stop();
    QScreen* display = screen();
    if (fullScreen) {
        awaitingRestore_ = false;
        limitSize();
        // Without a window manager full screen is nothing but the display's geometry, set here
        // (through the widget, a geometry would drop the full-screen state again). A window
        // manager sets it itself, and one asked for a geometry meanwhile may drop the state.
        if (!isVisible()) setGeometry(display->geometry());
        setWindowState(windowState() | Qt::WindowFullScreen);
        if (isVisible() && !x11::fullScreenIsKept()) windowHandle()->setGeometry(display->geometry());
        return;
    }
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    if (x11::fullScreenIsKept()) {
        // The desktop gives the designed window back where it was; its size limits follow then, as
        // asked now they would move the window to where it lies in full screen. A window given
        // back at the size it had leaves no trace but the report, which may not come either.
        awaitingRestore_ = true;
        QTimer::singleShot(kSettling, this, [this] {
            if (std::exchange(awaitingRestore_, false)) limitSize(), x11::flush();
        });
        return;
    }
    limitSize();
    if (normalPos_) move(*normalPos_);
}

// The desktop reports the window's state, whoever asked for it. A report of what the game asked
// last is the answer; one that differs may be the answer to an earlier request, overtaken by a
// later one (F11 pressed fast), or the desktop's own request (its full-screen key or menu), which
// the game follows as it would F11. Which it was shows once the reports have settled.
void TopWindow::reported(bool fullScreen)
{
    reported_ = fullScreen;
    if (fullScreen != asked_) {
        settling_.start();
        return;
    }
    settling_.stop();
    // The desktop gives the window's place back before it reports the state; a window that was
    // never anything but full screen gets its full-screen geometry back, which leaves no resize.
    if (!fullScreen && std::exchange(awaitingRestore_, false)) limitSize();
}

void TopWindow::followDesktop()
{
    if (reported_ == asked_) return;
    asked_ = reported_;
    awaitingRestore_ = false;  // the desktop has given the window back before reporting so
    display_.setFullScreen(reported_);
    x11::flush();
}

bool TopWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::WindowStateChange)
        reported(windowHandle()->windowStates() & Qt::WindowFullScreen);
    return false;
}

void TopWindow::lostNativeWindow()
{
    hide();
    destroy();
    // The window made afresh reports the state it is made in.
    reported_ = asked_;
    if (Window* screen = front()) screen->close();
    if (!shown_.empty()) arrange();
}

void TopWindow::reclaimKeyboard()
{
    if (!isVisible()) return;
    reclaiming_.setRemainingTime(kReclaiming);
    activateWindow();
}

void TopWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !reclaiming_.hasExpired() &&
        !QGuiApplication::focusWindow())
        activateWindow();
    QWidget::changeEvent(event);
}

void TopWindow::keyPressEvent(QKeyEvent* event)
{
    // Keys reach the front screen even when nothing of it holds the focus.
    if (Window* screen = front()) QCoreApplication::sendEvent(screen, event);
}

void TopWindow::closeEvent(QCloseEvent* event)
{
    // Each screen decides what its close button does.
    event->ignore();
    if (Window* screen = front()) screen->close();
}

void TopWindow::resizeEvent(QResizeEvent*)
{
    if (std::exchange(awaitingRestore_, false)) limitSize();
    if (Window* screen = front()) screen->setGeometry(rect());
}

void TopWindow::moveEvent(QMoveEvent*)
{
    if (!asked_ && !reported_ && !awaitingRestore_ && isVisible()) normalPos_ = pos();
}

}  // namespace ui
