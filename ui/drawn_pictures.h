#pragma once
// Pictures the program draws itself. A zoomed screen draws such a picture afresh at its zoomed
// size, sharp, where it scales any other picture's pixels up: smoothly, or block by block for
// pixel art.
#include <functional>

#include <QImage>

class QPainter;

namespace ui {

// A picture's drawing, in the picture's own pixels
using PictureDrawing = std::function<void(QPainter&)>;

class DrawnPictures {
public:
    virtual ~DrawnPictures() = default;
    // The drawing that makes this very picture, or none
    virtual PictureDrawing drawingOf(const QImage&) const = 0;
};

enum class Scaling { Smooth, PixelArt };

// Draws the picture from the painter's origin, in its own pixels at the painter's scale: scaled,
// a picture among the program's own is drawn afresh.
void drawPicture(QPainter&, const QImage&, const DrawnPictures* own, Scaling = Scaling::Smooth);

}  // namespace ui
