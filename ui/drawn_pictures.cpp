#include "ui/drawn_pictures.h"

#include <QPainter>

namespace ui {

void drawPicture(QPainter& painter, const QImage& picture, const DrawnPictures* own, Scaling scaling)
{
    if (picture.isNull()) return;
    if (own && painter.worldTransform().isScaling())
        if (const PictureDrawing drawing = own->drawingOf(picture)) return drawing(painter);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scaling == Scaling::Smooth);
    painter.drawImage(QPointF(), picture);
}

}  // namespace ui
