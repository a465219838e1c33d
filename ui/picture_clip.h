#pragma once
// A picture clip: holds one picture cut into a grid of equal cells (one row here) and hands out
// each cell as a picture of its own.
#include <QImage>

#include "ui/control.h"

namespace ui {

class PictureClip : public Control {
public:
    PictureClip() : Control(nullptr, Layer::None, 1.0) {}

    void setPicture(const QImage& picture) { picture_ = picture; }
    const QImage& Picture() const { return picture_; }
    void setCols(int columns) { cols_ = columns > 0 ? columns : 1; }
    int Cols() const { return cols_; }

    // Cell k, counted from the left; a null picture when there is no such cell.
    QImage GraphicCell(int k) const;

private:
    QImage picture_;
    int cols_ = 1;
};

}  // namespace ui
