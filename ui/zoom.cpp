#include "ui/zoom.h"

#include "ui/display.h"
#include "ui/top_window.h"
#include "ui/window.h"

namespace ui {

QRect Zoom::map(const QRect& designed) const
{
    if (isIdentity()) return designed;
    const int left = qRound(designed.x() * factor), top = qRound(designed.y() * factor);
    const int right = qRound((designed.x() + designed.width()) * factor);
    const int bottom = qRound((designed.y() + designed.height()) * factor);
    return QRect(origin.x() + left, origin.y() + top, right - left, bottom - top);
}

Zoom zoomOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (const auto* screen = dynamic_cast<const Window*>(widget)) return screen->zoom();
        if (const auto* game = dynamic_cast<const TopWindow*>(widget)) return {game->display().dialogZoom(), {}};
    }
    return {};
}

}  // namespace ui
