#pragma once
// Designs are measured in twips (1/1440 inch). Screens are laid out for 96 dots per inch, where
// 15 twips make one pixel, so every layout holds whatever the display's real density.
#include <QtGlobal>

namespace ui {

inline constexpr double kTwipsPerPixel = 15.0;

// A screen's scale unit: the unit its handlers read and write positions in.
enum class Scale { Twips, Pixels };

inline constexpr double twipsPerUnit(Scale scale) { return scale == Scale::Twips ? 1.0 : kTwipsPerPixel; }

inline int twipsToPixels(double twips) { return qRound(twips / kTwipsPerPixel); }

// Font sizes are points; at 96 dots per inch a point is 4/3 of a pixel.
inline int pointsToPixels(double points) { return qRound(points * 96.0 / 72.0); }

}  // namespace ui
