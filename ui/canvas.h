#pragma once
// The widget of a control that draws itself. Its painter is set up in this one place for every
// kind: scaled by the zoom of the control's screen and given the control's font at its designed
// size, so a kind draws in designed pixels, with one drawing for every zoom.
#include <QFont>
#include <QSizeF>
#include <QWidget>

class QPainter;

namespace ui {

class Canvas : public QWidget {
public:
    explicit Canvas(QWidget* parent) : QWidget(parent) {}

    QFont designedFont;  // the control's font at zoom 1, kept by the control

protected:
    // Draws the control over its whole designed size
    virtual void paint(QPainter&, QSizeF designed) = 0;

private:
    void paintEvent(QPaintEvent*) final;
};

}  // namespace ui
