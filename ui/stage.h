#pragma once
// What the screens of one program share beyond their own controls, made in main (or by a test)
// and given to every screen: the clock their timers run on.
#include "ui/clock.h"

namespace ui {

struct Stage {
    Clock& clock;
};

}  // namespace ui
