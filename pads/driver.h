#pragma once
// What the program and the SDL module of the pads share: the buttons the game tells apart, what
// the module reports and how the program opens it.
#include <QString>

namespace pads {

// Pads are numbered 1 to kPads; a pad connected while every number is taken is left alone.
inline constexpr int kPads = 4;

// The buttons the game tells apart, as SDL names them: South is SDL's A (Xbox's A, PlayStation's
// cross). Every other button is Other.
enum class Button { South, Start, LeftShoulder, RightShoulder, Other };

class Listener {
public:
    virtual void padConnected(int pad, bool connected) = 0;
    virtual void padPressed(int pad, Button) = 0;

protected:
    ~Listener() = default;
};

// The pads over SDL, reporting to a listener from the event loop of the thread that opened them
class Driver {
public:
    virtual ~Driver() = default;
    // Handles the pad events SDL holds now
    virtual void pump() = 0;
};

// The module's one entry: starts SDL's game controllers and returns the driver, or returns null
// with the reason in `error`
using OpenDriver = Driver* (*)(Listener&, QString& error);
inline constexpr char kOpenDriver[] = "tapdash_open_pads";

}  // namespace pads
