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

// Installs the program's drawings (nullptr: none); the caller keeps ownership.
void setDrawnPictures(const DrawnPictures*);

enum class Scaling { Smooth, PixelArt };

// Draws the picture from the painter's origin, in its own pixels at the painter's scale
void drawPicture(QPainter&, const QImage&, Scaling = Scaling::Smooth);

}  // namespace ui
