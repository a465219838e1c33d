#include "ui/display.h"

#include <QApplication>
#include <QProxyStyle>

#include "ui/settings.h"
#include "ui/top_window.h"
#include "ui/zoom.h"

namespace ui {

namespace {

// The style's measures (check box indicators, frames, margins, scroll bars) scaled with the
// screen the widget lies in, so the style's parts grow with the text they frame.
class ZoomStyle : public QProxyStyle {
public:
    ZoomStyle(const QString& base, const Display& display) : QProxyStyle(base), display_(display) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        const double factor = widget ? zoomOf(widget).factor : display_.dialogZoom();
        return value > 0 && factor != 1.0 ? qMax(1, qRound(value * factor)) : value;
    }

private:
    const Display& display_;
};

}  // namespace

Display::Display(bool fullScreenThisRun)
    : fullScreen_(fullScreenThisRun || settings::fullScreen()),
      designedFont_(QApplication::font()),
      fullScreenKey_(Qt::Key_F11, [this] { setFullScreen(!fullScreen_); }),
      window_(std::make_unique<TopWindow>(*this))
{
}

Display::~Display()
{
    window_.reset();
    // The application outlives the display: its style and font go back to what they were.
    if (dynamic_cast<ZoomStyle*>(QApplication::style()))
        QApplication::setStyle(static_cast<QProxyStyle*>(QApplication::style())->baseStyle()->name());
    if (dialogZoom_ != 1.0) QApplication::setFont(designedFont_);
}

void Display::setFullScreen(bool on)
{
    fullScreen_ = on;
    settings::setFullScreen(on);
    window_->applyMode();
}

void Display::scaleDialogs(double factor)
{
    if (factor != 1.0 && !dynamic_cast<ZoomStyle*>(QApplication::style()))
        QApplication::setStyle(new ZoomStyle(QApplication::style()->name(), *this));
    if (factor == dialogZoom_) return;
    dialogZoom_ = factor;
    QApplication::setFont(dialogFont(factor));
}

QFont Display::dialogFont(double zoom) const
{
    QFont font = designedFont_;
    if (designedFont_.pixelSize() > 0) font.setPixelSize(qMax(1, qRound(designedFont_.pixelSize() * zoom)));
    else font.setPointSizeF(designedFont_.pointSizeF() * zoom);
    return font;
}

}  // namespace ui
