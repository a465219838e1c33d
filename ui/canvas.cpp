#include "ui/canvas.h"

#include <QPainter>

#include "ui/zoom.h"

namespace ui {

void Canvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const double factor = zoomOf(this).factor;
    painter.scale(factor, factor);
    painter.setFont(designedFont);
    paint(painter, QSizeF(size()) / factor);
}

}  // namespace ui
