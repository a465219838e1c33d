#pragma once
// Key events as the handlers expect them: the platform's virtual-key codes.
class QKeyEvent;

namespace ui {

// The codes handlers name; virtualKey documents the rest
inline constexpr int kKeyShift = 16, kKeyEscape = 27;

// Letters give their capital letter's code whatever Shift and Caps Lock say; a letter of a layout
// without Latin letters gives the US letter on the same key (from the X keycode); Insert and Delete
// come the same from the editing block and from the keypad with Num Lock off; keypad digits with
// Num Lock on give 96..105 and its point 110. Keys without a code give 0.
int virtualKey(const QKeyEvent&);

// The shift-state mask: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(const QKeyEvent&);

}  // namespace ui
