#pragma once
// The window of a loaded screen. It owns the screen's controls for as long as it lives, which is
// until the event loop deletes it after an unload.
#include <memory>
#include <vector>

#include <QColor>
#include <QImage>
#include <QWidget>

#include "ui/control.h"
#include "ui/zoom.h"

namespace ui {

class DrawnPictures;
class Form;

class Window : public QWidget {
public:
    explicit Window(Form* form);

    // The client size the design gives, in pixels
    void setDesignedSize(QSize);
    // Shows the window in the game's mode: at its designed size, or filling its display
    void present();
    Zoom zoom() const { return zoom_; }
    // Where the designed scene lies in the window; in full screen a margin surrounds it.
    QRect scene() const { return zoom_.map(QRect(QPoint(), designedSize_)); }

    // Controls adopted after the design was finished (new array elements) are restacked at once.
    void adopt(std::unique_ptr<Control>);
    // Stored order is stacking order: earlier controls lie above later ones, and windowed
    // controls above everything drawn on the surface.
    void restack();
    void applyTabOrder();
    void focusFirstControl();
    // Hides the window and, once control is back in the event loop, gives up its native window
    // and the window-sized picture behind it; showing it again makes both afresh.
    void conceal();
    // Cuts the window off its screen: it hides, every control is disabled (timers stop), and it
    // is deleted later.
    void retire();

    QColor back;  // the screen's colour, as its design gives it
    QImage picture;
    // What the window draws beneath its controls: the scene's colour and picture, the margin
    void drawBackdrop(QPainter&) const;
    // The pictures the program draws itself, as its screen's stage gives them
    const DrawnPictures* drawnPictures() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    // Scales and centres the design in the window as it now is
    void fit();

    Form* form_;
    std::vector<std::unique_ptr<Control>> controls_;
    bool designed_ = false;
    QSize designedSize_;
    Zoom zoom_;
    bool full_ = false;  // laid out to fill its display
    QPoint normalPos_;
    bool normalMoved_ = false;
};

// Kept with the full-screen mode: the F11 switch, and the style and message boxes scaled with
// the screens in full screen
void installFullScreenKey();
void scaleStyleAndDialogs(double factor);

}  // namespace ui
