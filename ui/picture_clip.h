#pragma once
// A picture clip: holds one picture cut into a grid of equal cells (one row here) and hands out
// each cell as a picture of its own.
#include <QImage>
#include <vector>

#include "ui/control.h"

namespace ui {

class PictureClip : public Control {
public:
    PictureClip() : Control(nullptr, Layer::None, 1.0) {}

    // The cells are cut here and when the columns change, never when one is asked for: a screen
    // may ask for a cell on every key press, however large the picture.
    void setPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }
    void setCols(int columns);
    int Cols() const { return cols_; }

    // Cell k, counted from the left; a null picture when there is no such cell.
    QImage GraphicCell(int k) const;

private:
    void cutCells();

    QImage picture_;
    int cols_ = 1;
    std::vector<QImage> cells_;
};

}  // namespace ui
