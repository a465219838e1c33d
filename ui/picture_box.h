#pragma once
// A picture box: a windowed control filled with its back colour and showing its picture at its
// natural size from the top-left corner, zoomed with its screen (ui/drawn_pictures.h). Disabled
// picture boxes never take the focus and show their picture unchanged.
#include <QColor>
#include <QImage>

#include "ui/control.h"

class QWidget;

namespace ui {

class PictureBox : public Control {
public:
    PictureBox(QWidget* parent, double twipsPerUnit);

    const QImage& Picture() const { return picture_; }
    void setPicture(const QImage&);

    PictureBox& back(const QColor&);
    PictureBox& hidden() { setVisible(false); return *this; }
    PictureBox& disabled() { setEnabled(false); return *this; }
    // Its pictures are pixel art: zoomed, each pixel grows into a block rather than a blur.
    PictureBox& pixelArt();

private:
    class Drawing;
    Drawing* drawing_;
    QImage picture_;
};

}  // namespace ui
