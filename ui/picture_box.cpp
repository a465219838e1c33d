#include "ui/picture_box.h"

#include <QPainter>

#include "ui/canvas.h"
#include "ui/drawn_pictures.h"
#include "ui/window.h"

namespace ui {

class PictureBox::Drawing : public Canvas {
public:
    using Canvas::Canvas;
    QColor back = Qt::white;
    const QImage* picture = nullptr;
    Scaling scaling = Scaling::Smooth;

protected:
    void paint(QPainter& painter, QSizeF designed) override
    {
        painter.fillRect(QRectF(QPointF(), designed), back);
        const Window* screen = screenOf(this);
        drawPicture(painter, *picture, screen ? screen->drawnPictures() : nullptr, scaling);
    }
};

PictureBox::PictureBox(QWidget* parent, double twipsPerUnit)
    : Control(new Drawing(parent), Layer::Windowed, twipsPerUnit), drawing_(static_cast<Drawing*>(widget()))
{
    drawing_->picture = &picture_;
    drawing_->setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QImage& picture)
{
    picture_ = picture;
    drawing_->update();
}

PictureBox& PictureBox::pixelArt()
{
    drawing_->scaling = Scaling::PixelArt;
    drawing_->update();
    return *this;
}

PictureBox& PictureBox::back(const QColor& color)
{
    drawing_->back = color;
    drawing_->update();
    return *this;
}

}  // namespace ui
