#pragma once
// A picture box: a windowed control filled with its back colour and showing its picture at its
// natural size from the top-left corner. Disabled picture boxes never take the focus and show
// their picture unchanged.
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

private:
    class Drawing;
    Drawing* drawing_;
    QImage picture_;
};

}  // namespace ui
