#pragma once
// Shapes and lines, drawn on the screen's surface beneath every windowed control.
#include <QColor>
#include <QPoint>

#include "ui/control.h"

class QWidget;

namespace ui {

class Shape : public Control {
public:
    enum class Kind { Rectangle, Circle };
    Shape(QWidget* parent, double twipsPerUnit, Kind kind);

    Shape& outline(const QColor&);
    Shape& solidFill(const QColor&);

private:
    class Drawing;
    Drawing* drawing_;
};

class Line : public Control {
public:
    Line(QWidget* parent, double twipsPerUnit);
    // End points in twips, as designed
    void setEnds(QPoint from, QPoint to);
    Line& color(const QColor&);

private:
    class Drawing;
    Drawing* drawing_;
};

}  // namespace ui
