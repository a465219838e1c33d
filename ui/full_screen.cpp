#include <optional>
#include <utility>

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>

#include "ui/settings.h"
#include "ui/top_window.h"
#include "ui/window.h"
#include "ui/zoom.h"

namespace ui {

namespace {

std::optional<bool> mode;  // read from the settings on first use
double dialogZoom = 1.0;   // message boxes scale with the screens in full screen
// The application font's own size, pixels or else points, kept while message boxes are scaled
std::optional<std::pair<int, double>> designedAppFontSize;

// The style's measures (check box indicators, frames, margins, scroll bars) scaled with the
// screen the widget lies in, so the style's parts grow with the text they frame.
class ZoomStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        const double factor = widget ? zoomOf(widget).factor : dialogZoom;
        return value > 0 && factor != 1.0 ? qMax(1, qRound(value * factor)) : value;
    }
};

// F11 is the game's own switch, never a key of a screen.
class FullScreenKey : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F11) return false;
        if (event->type() == QEvent::KeyPress && !key->isAutoRepeat()) setFullScreen(!fullScreen());
        return true;
    }
};

}  // namespace

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
    if (const Window* screen = screenOf(widget)) return screen->zoom();
    return {dialogZoom, {}};
}

void installFullScreenKey()
{
    static FullScreenKey* filter = nullptr;
    if (filter || !qApp) return;
    filter = new FullScreenKey;
    filter->setParent(qApp);
    qApp->installEventFilter(filter);
}

bool fullScreen()
{
    if (!mode) mode = settings::fullScreen();
    return *mode;
}

void setFullScreen(bool on)
{
    mode = on;
    settings::setFullScreen(on);
    topWindow().applyMode();
}

void scaleStyleAndDialogs(double factor)
{
    if (factor != 1.0 && !dynamic_cast<ZoomStyle*>(QApplication::style()))
        QApplication::setStyle(new ZoomStyle(QApplication::style()->name()));
    if (factor == dialogZoom) return;
    const QFont font = dialogFont(factor);
    dialogZoom = factor;
    QApplication::setFont(font);
}

QFont dialogFont(double zoom)
{
    QFont font = QApplication::font();
    if (!designedAppFontSize) designedAppFontSize = {font.pixelSize(), font.pointSizeF()};
    const auto [pixels, points] = *designedAppFontSize;
    if (pixels > 0) font.setPixelSize(qMax(1, qRound(pixels * zoom)));
    else font.setPointSizeF(points * zoom);
    return font;
}

}  // namespace ui
