#include "app/program.h"
#include "race/form1.h"

#include <algorithm>
#include <cstring>

namespace race {

namespace {

// A frame is drawn from its box's top-left corner and cut at the box's edges: of each frame only
// that much is kept (the rows below the box are not even decoded), so a huge strip takes no more
// memory than a small one.
QImage framesAsShown(QImage strip, int frames, int boxWidth)
{
    const int frameWidth = strip.width() / frames, kept = std::min(frameWidth, boxWidth);
    if (kept == frameWidth) return strip;
    if (strip.depth() % 8 != 0) strip.convertTo(QImage::Format_ARGB32);
    QImage shown(kept * frames, strip.height(), strip.format());
    shown.setColorTable(strip.colorTable());
    const int pixelBytes = strip.depth() / 8;
    for (int y = 0; y < shown.height(); ++y)
        for (int frame = 0; frame < frames; ++frame)
            std::memcpy(shown.scanLine(y) + frame * kept * pixelBytes, strip.constScanLine(y) + frame * frameWidth * pixelBytes,
                        size_t(kept * pixelBytes));
    return shown;
}

}  // namespace

void Form1::giveRunnerStrip(int lane, const QString& runnerFile, const QString& playerName)
{
    if (runnerFile == QLatin1String("None")) {
        PictureClip1(lane)->setPicture(Picture2->Picture());
        return;
    }
    ui::LoadedPicture strip = stage().pictures.load(runnerFile, int(Picture1(lane)->Height()));
    const int frames = PictureClip1(lane)->Cols();
    // Narrower than its frames, a strip would give empty frames: an invisible runner
    if (strip.ok() && strip.image.width() < frames)
        strip = {{}, QStringLiteral("picture too narrow (%1 pixel wide)").arg(strip.image.width())};
    if (strip.ok()) {
        PictureClip1(lane)->setPicture(framesAsShown(strip.image, frames, int(Picture1(lane)->Width())));
        return;
    }
    PictureClip1(lane)->setPicture(Picture2->Picture());
    stage().msgBox(QStringLiteral("Player %1 (%2) cannot run as \"%3\": %4.\nThe default runner runs instead.")
                   .arg(lane)
                   .arg(playerName, runnerFile, strip.error),
               kProgramTitle);
}

void Form1::startCountdown()
{
    for (const Lane& lane : kLanes)
        if (Picture1(lane.number)->Visible())
            Picture1(lane.number)->setPicture(PictureClip1(lane.number)->GraphicCell(0));
    Timer1->setEnabled(true);
}

}  // namespace race
