#include "ui/shapes.h"

#include <algorithm>

#include <QPainter>
#include <QWidget>

#include "ui/units.h"
#include "ui/zoom.h"

namespace ui {

namespace {
QWidget* passive(QWidget* widget)
{
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}
}  // namespace

class Shape::Drawing : public QWidget {
public:
    Drawing(QWidget* parent, Kind kind) : QWidget(parent), kind(kind) {}
    Kind kind;
    QColor outline = Qt::black;
    QColor fill;  // invalid: transparent

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, kind == Kind::Circle);
        painter.setPen(outline);
        painter.setBrush(fill.isValid() ? QBrush(fill) : Qt::NoBrush);
        // Zoomed, the designed one-pixel box is drawn at the scale, with the widget as its unit.
        if (const double zoom = zoomOf(this).factor; zoom != 1.0) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(zoom, zoom);
            painter.setPen(QPen(outline, 1.0));
            const QRectF designed(0, 0, width() / zoom, height() / zoom);
            if (kind == Kind::Rectangle) return painter.drawRect(designed.adjusted(0.5, 0.5, -0.5, -0.5));
            const double diameter = std::min(designed.width(), designed.height()) - 1;
            QRectF circle(0, 0, diameter, diameter);
            circle.moveCenter(designed.center());
            return painter.drawEllipse(circle);
        }
        if (kind == Kind::Rectangle) {
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
            return;
        }
        // A circle takes the smaller side of its box and sits in the box's centre.
        const int diameter = std::min(width(), height()) - 1;
        QRectF circle(0, 0, diameter, diameter);
        circle.moveCenter(QRectF(rect()).center());
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

class Line::Drawing : public QWidget {
public:
    using QWidget::QWidget;
    QColor color = Qt::black;
    QPoint from, to;  // pixels, relative to this widget

protected:
    void paintEvent(QPaintEvent*) override
    {
        // One pixel wide through the pixels' centres: a pen on their edges would lose its outer
        // half to the widget's edge once the display scales the window up.
        QPainter painter(this);
        painter.setPen(QPen(color, 1, Qt::SolidLine, Qt::SquareCap));
        if (const double zoom = zoomOf(this).factor; zoom != 1.0) painter.scale(zoom, zoom);
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
