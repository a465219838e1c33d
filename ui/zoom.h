#pragma once
// Full screen: every screen fills the display it is on, its designed scene scaled uniformly to the
// largest size that fits and centred. Controls stay real widgets at scaled places, sizes and fonts,
// so text and lines are drawn sharp at the scaled size and clicks land where the controls show;
// positions in a screen's own units never change. F11 switches the whole game, and the choice is
// remembered between runs.
#include <QFont>
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

// The zoom of the screen a widget lies in; a dialog takes that of the screen in front.
Zoom zoomOf(const QWidget*);

// The font message boxes take at a zoom: the application's own as designed, scaled
QFont dialogFont(double zoom);

// Every screen in full screen, or in its designed window; the stored choice until set
bool fullScreen();
// Switches the game's window at once and remembers the choice.
void setFullScreen(bool);

}  // namespace ui
