#pragma once
// Colours the designs use, including the desktop's system colours.
#include <QColor>

namespace ui::colors {

inline const QColor red{0xFF, 0x00, 0x00};
inline const QColor green{0x00, 0xFF, 0x00};
inline const QColor darkGreen{0x00, 0x80, 0x00};
inline const QColor blue{0x00, 0x00, 0xFF};
inline const QColor yellow{0xFF, 0xFF, 0x00};
inline const QColor white{0xFF, 0xFF, 0xFF};
inline const QColor black{0x00, 0x00, 0x00};
inline const QColor lightGrey{0xE0, 0xE0, 0xE0};

// System colours of a classic desktop
inline const QColor windowFrame{0x00, 0x00, 0x00};
inline const QColor inactiveBorder{0xD4, 0xD0, 0xC8};
inline const QColor buttonText{0x00, 0x00, 0x00};
inline const QColor buttonFace{0xD4, 0xD0, 0xC8};
inline const QColor windowText{0x00, 0x00, 0x00};
inline const QColor window{0xFF, 0xFF, 0xFF};

}  // namespace ui::colors
