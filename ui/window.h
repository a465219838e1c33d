#pragma once
// The window of a loaded screen: the surface its controls lie on, shown in the game's one window
// (ui/top_window.h) while the screen is in front. It owns the screen's controls for as long as it
// lives, which is until the event loop deletes it after an unload.
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
class Stage;
class TopWindow;

class Window : public QWidget {
public:
    Window(Form* form, Stage& stage);
    ~Window() override;

    // The client size the design gives, in pixels
    void setDesignedSize(QSize);
    QSize designedSize() const { return designedSize_; }
    // The design scaled uniformly to the largest size that fits the window, and centred
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
    // Cuts the window off its screen: it hides, every control is disabled (timers stop), and it
    // is deleted later.
    void retire();

    QColor back;  // the screen's colour, as its design gives it
    QImage picture;
    // What the window draws beneath its controls: the scene's colour and picture, the margin
    void drawBackdrop(QPainter&) const;
    // The pictures the program draws itself, as its screen's stage gives them
    const DrawnPictures* drawnPictures() const;
    bool centred = false;  // the game's window opens centred on the desktop when this screen opens it

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void changeEvent(QEvent*) override;

private:
    // Scales and centres the design in the window as it now is
    void fit();
    Stage& stage_;
    TopWindow& game_;  // in which this window is shown in turn with the other screens'
    Form* form_;
    std::vector<std::unique_ptr<Control>> controls_;
    bool designed_ = false;
    QSize designedSize_;
    Zoom zoom_;
};

// The screen a widget lies in: the nearest screen window among it and its parents, if any
const Window* screenOf(const QWidget*);

}  // namespace ui
