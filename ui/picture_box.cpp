#include "ui/picture_box.h"

#include <QPainter>
#include <QWidget>

#include "ui/zoom.h"

namespace ui {

class PictureBox::Canvas : public QWidget {
public:
    using QWidget::QWidget;
    QColor back = Qt::white;
    const QImage* picture = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), back);
        if (!picture || picture->isNull()) return;
        const double zoom = zoomOf(this).factor;
        if (zoom == 1.0) return painter.drawImage(0, 0, *picture);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF(), QSizeF(picture->size()) * zoom), *picture);
    }
};

PictureBox::PictureBox(QWidget* parent, double twipsPerUnit)
    : Control(new Canvas(parent), Layer::Windowed, twipsPerUnit), canvas_(static_cast<Canvas*>(widget()))
{
    canvas_->picture = &picture_;
    canvas_->setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QImage& picture)
{
    picture_ = picture;
    canvas_->update();
}

PictureBox& PictureBox::back(const QColor& color)
{
    canvas_->back = color;
    canvas_->update();
    return *this;
}

}  // namespace ui
