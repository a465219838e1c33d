#include "ui/control.h"

#include <QWidget>

#include "ui/canvas.h"
#include "ui/window.h"

namespace ui {

Control::Control(QWidget* widget, Layer layer, double twipsPerUnit)
    : widget_(widget), layer_(layer), twipsPerUnit_(twipsPerUnit)
{
    setFont(font_);
}

void Control::setDesignedRect(int left, int top, int width, int height)
{
    left_ = float(left / twipsPerUnit_);
    top_ = float(top / twipsPerUnit_);
    width_ = float(width / twipsPerUnit_);
    height_ = float(height / twipsPerUnit_);
    place();
}

void Control::place()
{
    if (!widget_) return;
    const double t = twipsPerUnit_;
    const QRect box(twipsToPixels(left_ * t), twipsToPixels(top_ * t), twipsToPixels(width_ * t),
                    twipsToPixels(height_ * t));
    const QRect rect = pixelRect(zoomOf(widget_).map(box));
    widget_->setGeometry(rect);
    // Nothing of a control shows past the scene's edges: in full screen the margin stays clear.
    const auto* screen = dynamic_cast<const Window*>(widget_->parentWidget());
    if (screen && !screen->scene().contains(rect)) {
        const QRect shown = screen->scene().intersected(rect).translated(-rect.topLeft());
        widget_->setMask(shown.isEmpty() ? QRect(-1, -1, 1, 1) : shown);  // an empty mask would be none
    } else if (!widget_->mask().isEmpty()) {
        widget_->clearMask();
    }
}

void Control::setFont(const FontSpec& spec)
{
    font_ = spec;
    if (!widget_) return;
    widget_->setFont(makeFont(spec, zoomOf(widget_).factor));
    if (auto* canvas = dynamic_cast<Canvas*>(widget_)) canvas->designedFont = makeFont(spec);
    place();
}

void Control::rezoom()
{
    followZoom();
    setFont(font_);
}

void Control::setColors(QPalette::ColorRole textRole, const QColor& text, QPalette::ColorRole fillRole,
                        const QColor& fill)
{
    QPalette palette = widget_->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, textRole, text);
        palette.setColor(group, fillRole, fill);
    }
    widget_->setPalette(palette);
}

void Control::setVisible(bool visible)
{
    visible_ = visible;
    if (widget_) widget_->setVisible(visible);
}

void Control::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (widget_) widget_->setEnabled(enabled);
}

}  // namespace ui
