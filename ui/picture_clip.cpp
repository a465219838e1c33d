#include "ui/picture_clip.h"

namespace ui {

void PictureClip::setPicture(const QImage& picture)
{
    picture_ = picture;
    cutCells();
}

void PictureClip::setCols(int columns)
{
    const int cols = columns > 0 ? columns : 1;
    if (cols == cols_) return;
    cols_ = cols;
    cutCells();
}

void PictureClip::cutCells()
{
    cells_.clear();
    const int cellWidth = picture_.width() / cols_;
    if (picture_.isNull() || cellWidth == 0) return;
    // In the format the screen paints fastest, so that no drawing converts it again
    const QImage::Format paintFormat =
        picture_.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    for (int k = 0; k < cols_; ++k)
        cells_.push_back(picture_.copy(k * cellWidth, 0, cellWidth, picture_.height()).convertToFormat(paintFormat));
}

QImage PictureClip::GraphicCell(int k) const
{
    if (k < 0 || k >= int(cells_.size())) return {};
    return cells_[size_t(k)];
}

}  // namespace ui
