#include "ui/picture_clip.h"

namespace ui {

QImage PictureClip::GraphicCell(int k) const
{
    const int cellWidth = picture_.width() / cols_;
    if (picture_.isNull() || k < 0 || k >= cols_ || cellWidth == 0) return {};
    return picture_.copy(k * cellWidth, 0, cellWidth, picture_.height());
}

}  // namespace ui
