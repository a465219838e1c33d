#include "app/own_pictures.h"

#include <algorithm>

#include "art/scenes.h"

ui::PictureDrawing OwnPictures::drawingOf(const QImage& picture) const
{
    // Runner cells and other pictures of no scene's size are told apart at once.
    if (std::ranges::none_of(art::scenes(), [&picture](const art::Scene& scene) { return scene.size == picture.size(); }))
        return nullptr;
    if (picture.cacheKey() != lastPicture_) {
        lastPicture_ = picture.cacheKey();
        const art::Scene* scene = scenes_.sceneOf(picture);
        lastDrawing_ = scene ? ui::PictureDrawing([scene](QPainter& painter) { scene->draw(painter); }) : nullptr;
    }
    return lastDrawing_;
}
