#pragma once
// The game's own pictures as the screens see them: a picture that is one of the art's scenes
// (art/scenes.h), as the play folder holds it, is drawn afresh whenever a screen is zoomed. Made
// with the screens (app/forms.h), it serves them for as long as they live.
#include <QImage>

#include "ui/drawn_pictures.h"

class OwnPictures : public ui::DrawnPictures {
public:
    OwnPictures() { ui::setDrawnPictures(this); }
    ~OwnPictures() override { ui::setDrawnPictures(nullptr); }
    OwnPictures(const OwnPictures&) = delete;
    OwnPictures& operator=(const OwnPictures&) = delete;

    ui::PictureDrawing drawingOf(const QImage&) const override;

private:
    // The last picture of a scene's size asked about, and its drawing: every paint of a zoomed
    // screen asks again.
    mutable qint64 lastPicture_ = 0;
    mutable ui::PictureDrawing lastDrawing_;
};
