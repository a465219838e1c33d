#include "ui/shapes.h"

#include <algorithm>

#include <QPainter>

#include "ui/canvas.h"
#include "ui/units.h"

namespace ui {

namespace {
QWidget* passive(QWidget* widget)
{
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}
}  // namespace

class Shape::Drawing : public Canvas {
public:
    Drawing(QWidget* parent, Kind kind) : Canvas(parent), kind(kind) {}
    Kind kind;
    QColor outline = Qt::black;
    QColor fill;  // invalid: transparent

protected:
    // A one-pixel outline inside the box; a circle takes the smaller side of its box and sits in
    // the box's centre. Smoothed wherever an edge may fall between pixels: a circle's always, a
    // rectangle's only once zoomed (unzoomed, smoothing would just chip one of its corners).
    void paint(QPainter& painter, QSizeF designed) override
    {
        painter.setRenderHint(QPainter::Antialiasing, kind == Kind::Circle || painter.worldTransform().isScaling());
        painter.setPen(QPen(outline, 1.0));
        painter.setBrush(fill.isValid() ? QBrush(fill) : Qt::NoBrush);
        const QRectF box(QPointF(), designed);
        if (kind == Kind::Rectangle) return painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
        const double diameter = std::min(box.width(), box.height()) - 1;
        QRectF circle(0, 0, diameter, diameter);
        circle.moveCenter(box.center());
        painter.drawEllipse(circle);
    }
};

Shape::Shape(QWidget* parent, double twipsPerUnit, Kind kind)
    : Control(passive(new Drawing(parent, kind)), Layer::Surface, twipsPerUnit),
      drawing_(static_cast<Drawing*>(widget()))
{
}

Shape& Shape::outline(const QColor& color) { drawing_->outline = color; drawing_->update(); return *this; }
Shape& Shape::solidFill(const QColor& color) { drawing_->fill = color; drawing_->update(); return *this; }

class Line::Drawing : public Canvas {
public:
    using Canvas::Canvas;
    QColor color = Qt::black;
    QPoint from, to;  // designed pixels, relative to this widget

protected:
    void paint(QPainter& painter, QSizeF) override
    {
        // One pixel wide through the pixels' centres: a pen on their edges would lose its outer
        // half to the widget's edge once the screen is zoomed.
        painter.setPen(QPen(color, 1, Qt::SolidLine, Qt::SquareCap));
        const QPointF centre(0.5, 0.5);
        painter.drawLine(QPointF(from) + centre, QPointF(to) + centre);
    }
};

Line::Line(QWidget* parent, double twipsPerUnit)
    : Control(passive(new Drawing(parent)), Layer::Surface, twipsPerUnit),
      drawing_(static_cast<Drawing*>(widget()))
{
}

void Line::setEnds(QPoint from, QPoint to)
{
    const QPoint a(twipsToPixels(from.x()), twipsToPixels(from.y()));
    const QPoint b(twipsToPixels(to.x()), twipsToPixels(to.y()));
    const QPoint corner(std::min(a.x(), b.x()), std::min(a.y(), b.y()));
    drawing_->from = a - corner;
    drawing_->to = b - corner;
    const int left = std::min(from.x(), to.x()), top = std::min(from.y(), to.y());
    setDesignedRect(left, top, std::abs(from.x() - to.x()) + int(kTwipsPerPixel),
                    std::abs(from.y() - to.y()) + int(kTwipsPerPixel));
}

Line& Line::color(const QColor& color) { drawing_->color = color; drawing_->update(); return *this; }

}  // namespace ui
