#include "app/program.h"
#include "race/form1.h"
#include "ui/picture.h"
#include "ui/platform.h"

namespace race {

void Form1::giveRunnerStrip(int lane, const QString& runnerFile, const QString& playerName)
{
    if (runnerFile == QLatin1String("None")) {
        PictureClip1(lane)->setPicture(Picture2->Picture());
        return;
    }
    ui::LoadedPicture strip = ui::loadPicture(runnerFile);
    // Narrower than its frames, a strip would give empty frames: an invisible runner
    if (strip.ok() && strip.image.width() < PictureClip1(lane)->Cols())
        strip = {{}, QStringLiteral("picture too narrow (%1 pixel wide)").arg(strip.image.width())};
    if (strip.ok()) {
        PictureClip1(lane)->setPicture(strip.image);
        return;
    }
    PictureClip1(lane)->setPicture(Picture2->Picture());
    ui::msgBox(QStringLiteral("Player %1 (%2) cannot run as \"%3\": %4.\nThe default runner runs instead.")
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
