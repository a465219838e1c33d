#include "ui/drawn_pictures.h"

#include <QPainter>

namespace ui {

namespace {
const DrawnPictures* installed = nullptr;
}

void setDrawnPictures(const DrawnPictures* pictures) { installed = pictures; }

void drawPicture(QPainter& painter, const QImage& picture, Scaling scaling)
{
    if (picture.isNull()) return;
    if (installed && painter.worldTransform().isScaling())
        if (const PictureDrawing drawing = installed->drawingOf(picture)) return drawing(painter);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scaling == Scaling::Smooth);
    painter.drawImage(QPointF(), picture);
}

}  // namespace ui
