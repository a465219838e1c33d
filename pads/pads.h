#pragma once
// Gamepads, up to four, numbered in the order they are connected: a pad unplugged frees its
// number, and the next pad connected takes the lowest free one. Presses are reported as they
// come, except those of buttons already held as the pad came.
//
// The pads are read through SDL2's game controller API, in a module of its own that is loaded
// only once the device folder holds a device the program may read (the desktop lets its user
// read pads, not keyboards and mice). Until then the pads cost nothing but a watch on that folder.
// One per process: the pads share SDL's one event queue.
#include <bitset>
#include <memory>

#include <QObject>
#include <QString>

#include "pads/driver.h"

class QSocketNotifier;

namespace pads {

class Pads : public QObject, private Listener {
    Q_OBJECT
public:
    // `module`: the file of the SDL module
    explicit Pads(QString module, QString deviceFolder = QStringLiteral("/dev/input"));
    ~Pads() override;

    // Starts SDL now if a device may be read, else once one may; a failure to start is one line
    // on standard error, and the game goes on without pads.
    void start();
    // Starts SDL at once, whatever the device folder holds
    void startNow();
    bool running() const { return driver_ != nullptr; }

    bool connected(int pad) const { return pad >= 1 && pad <= kPads && connected_.test(pad - 1); }
    // Handles at once what the pads have reported (the event loop does it by itself)
    void pump();

signals:
    void connectionChanged(int pad, bool connected);
    void pressed(int pad, pads::Button);

private:
    void lookForDevices();
    void stopWatching();
    void padConnected(int pad, bool connected) override;
    void padPressed(int pad, Button button) override { emit pressed(pad, button); }

    QString module_, deviceFolder_;
    QSocketNotifier* watch_ = nullptr;  // on the device folder; a child, gone with this
    std::unique_ptr<Driver> driver_;
    bool tried_ = false;
    std::bitset<kPads> connected_;
};

}  // namespace pads
