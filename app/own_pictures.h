#pragma once
// The game's own pictures as the screens see them: a picture that is one of the art's scenes
// (art/scenes.h), as the play folder holds it, is drawn afresh whenever a screen is zoomed. Made
// in main with the stage the screens share (ui/stage.h).
#include <QImage>

#include "art/scenes.h"
#include "ui/drawn_pictures.h"

class OwnPictures : public ui::DrawnPictures {
public:
    ui::PictureDrawing drawingOf(const QImage&) const override;

private:
    // The last picture of a scene's size asked about, and its drawing: every paint of a zoomed
    // screen asks again.
    mutable qint64 lastPicture_ = 0;
    mutable ui::PictureDrawing lastDrawing_;
    mutable art::SceneFinder scenes_;
};
