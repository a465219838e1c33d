#include "ui/picture_clip.h"

#include <QColorSpace>

namespace ui {

namespace {

// The columns [x, x + width) of the picture, in the given format, converted from its own pixels
// where whole bytes hold one: a cell copied out first would be a freed block as large as the cell
// (24 MiB for a 4096 x 4096 strip in two), which the allocator then keeps resident.
QImage convertedColumns(const QImage& picture, int x, int width, QImage::Format format)
{
    if (picture.format() == format || picture.depth() % 8 != 0)
        return picture.copy(x, 0, width, picture.height()).convertToFormat(format);
    QImage view(picture.constBits() + qsizetype(x) * (picture.depth() / 8), width, picture.height(),
                picture.bytesPerLine(), picture.format());
    view.setColorTable(picture.colorTable());
    view.setColorSpace(picture.colorSpace());
    view.setDevicePixelRatio(picture.devicePixelRatio());
    view.setDotsPerMeterX(picture.dotsPerMeterX());
    view.setDotsPerMeterY(picture.dotsPerMeterY());
    return view.convertToFormat(format);
}

}  // namespace

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
        cells_.push_back(convertedColumns(picture_, k * cellWidth, cellWidth, paintFormat));
}

QImage PictureClip::GraphicCell(int k) const
{
    if (k < 0 || k >= int(cells_.size())) return {};
    return cells_[size_t(k)];
}

}  // namespace ui
