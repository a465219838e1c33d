#include "ui/stage.h"

namespace ui {

void Stage::msgBox(const QString& text, const QString& title)
{
    ++openBoxes_;
    ++boxesOpened_;
    platform.showMessage(text, title, display.window());
    --openBoxes_;
}

}  // namespace ui
