#pragma once
// The game's own pictures the screens show: the background every screen shares and the two
// splash cards. They are drawing code, so they can be drawn at any size: the play folder holds
// them drawn at their own, and screens zoomed to fill a display draw them afresh at theirs.
#include <array>
#include <cstddef>
#include <map>
#include <utility>

#include <QImage>
#include <QSize>

class QPainter;

namespace art {

struct Scene {
    const char* fileName;  // in the play folder
    QSize size;            // its own, in pixels
    void (*drawing)(QPainter&);

    // Draws the whole picture in its own pixels, as a painter fresh on a black picture would
    void draw(QPainter&) const;
    // The picture at its own size, as the play folder holds it
    QImage render() const;
};

// back.bmp, orvenspres.bmp and tapdash.bmp
const std::array<Scene, 3>& scenes();

// Tells the scene a picture is, pixel for pixel as drawn at its own size (as the play folder holds
// it), or none. Each scene is drawn once for each pixel format asked about, and remembered by its
// pixels' hash: a picture is never copied.
class SceneFinder {
public:
    const Scene* sceneOf(const QImage&);

private:
    std::map<std::pair<const Scene*, QImage::Format>, size_t> drawn_;
};

}  // namespace art
