#pragma once
// The runners the game ships, a sprinter and a robot: strips of two running frames, each the size
// of a runner box and drawn on the lane's colour. The sprinter also runs on the product card and
// the program icon.
#include <QColor>
#include <QImage>
#include <QSize>

class QPainter;

namespace art {

inline constexpr QSize kFrameSize(48, 43);  // a runner box on the race screen; lanes are as tall

struct SprinterColours {
    QColor outline, nearSkin, farSkin, vest, shorts;
};
inline const SprinterColours kSprinter{QColor(0x1a, 0x1a, 0x1a), QColor(0xf0, 0xc0, 0x90), QColor(0xb0, 0x80, 0x58),
                                       QColor(0x1d, 0x4e, 0xd8), QColor(0xf5, 0xf5, 0xf5)};

// Frame 0 or 1 of the sprinter, on a frame of its own
void drawSprinter(QPainter&, int frame, const SprinterColours&);

QImage sprinterStrip();
QImage robotStrip();

}  // namespace art
