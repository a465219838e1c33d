#pragma once
// The colours of the game's own pictures that the screens match: lanes, their markings and the
// scoreboard's frame, which the halos of some captions take.
#include <QColor>

namespace art {

// Runner frames share the lane colour, so a runner box disappears into its lane. Captions of every
// screen stand on the lanes: yellow and white ones need them dark, black ones light, so the lanes
// and their markings keep a middle brightness, as light as the yellow "Record" allows.
inline constexpr QRgb kLaneColour = 0xffb05438;
inline constexpr QRgb kLaneMarkColour = 0xff6a6a78;
inline constexpr QRgb kLaneLineColour = 0xffd9b8a6;  // bright markings where no caption stands
inline constexpr QRgb kScoreboardFrame = 0xff1e2a33;

inline QColor laneLine() { return QColor::fromRgb(kLaneLineColour); }
inline QColor scoreboardFrame() { return QColor::fromRgb(kScoreboardFrame); }

}  // namespace art
