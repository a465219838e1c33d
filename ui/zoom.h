#pragma once
// How a screen's designed scene maps onto its window: at its designed size in a window, scaled and
// centred in full screen (ui/display.h).
#include <QPoint>
#include <QRect>
#include <QTransform>

class QWidget;

namespace ui {

// How a screen's designed pixels map onto its window
struct Zoom {
    double factor = 1.0;
    QPoint origin;  // where the designed top-left corner lies

    bool isIdentity() const { return factor == 1.0 && origin.isNull(); }
    QRect map(const QRect& designed) const;
    // From designed pixels to the window's
    QTransform transform() const { return QTransform::fromTranslate(origin.x(), origin.y()).scale(factor, factor); }
    bool operator==(const Zoom&) const = default;
};

// The zoom of the screen a widget lies in; a message box over the game's window takes that of
// the screen in front.
Zoom zoomOf(const QWidget*);

}  // namespace ui
