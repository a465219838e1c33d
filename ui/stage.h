#pragma once
// What the screens of one program share beyond their own controls, made in main (or by a test)
// and given to every screen: the clock their timers run on, and the pictures the program draws
// itself.
#include "ui/clock.h"
#include "ui/drawn_pictures.h"

namespace ui {

struct Stage {
    Clock& clock;
    const DrawnPictures* pictures = nullptr;  // none: every picture is scaled when zoomed
};

}  // namespace ui
