#include "ui/window.h"

#include <algorithm>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "ui/colors.h"
#include "ui/drawn_pictures.h"
#include "ui/form.h"
#include "ui/keys.h"
#include "ui/stage.h"
#include "ui/top_window.h"

namespace ui {

namespace {
const QColor kMargin{0x16, 0x16, 0x1C};  // around a scene in full screen: quiet and dark
}

Window::Window(Form* form, Stage& stage)
    : QWidget(&stage.display.window()), back(colors::buttonFace), stage_(stage), game_(stage.display.window()),
      form_(form)
{
    hide();
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Focused when no control is (it takes the screen's keys then), but never a Tab stop of its own
    setFocusPolicy(Qt::NoFocus);
}

Window::~Window() { game_.hideScreen(this); }

void Window::setDesignedSize(QSize size)
{
    designedSize_ = size;
    if (!game_.inFront(this)) resize(size);
    fit();
}

void Window::fit()
{
    Zoom zoom;
    if (size() != designedSize_ && !designedSize_.isEmpty()) {
        zoom.factor = std::min(double(width()) / designedSize_.width(), double(height()) / designedSize_.height());
        zoom.origin = QPoint(qRound((width() - designedSize_.width() * zoom.factor) / 2),
                             qRound((height() - designedSize_.height() * zoom.factor) / 2));
    }
    if (game_.inFront(this)) stage_.display.scaleDialogs(zoom.factor);
    if (zoom == zoom_) return;
    zoom_ = zoom;
    for (auto& control : controls_) control->rezoom();
    update();
}

void Window::resizeEvent(QResizeEvent*) { fit(); }

void Window::adopt(std::unique_ptr<Control> control)
{
    controls_.push_back(std::move(control));
    if (designed_) restack();
}

void Window::restack()
{
    designed_ = true;
    for (auto layer : {Control::Layer::Surface, Control::Layer::Windowed})
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
            if ((*it)->layer() == layer) (*it)->widget()->raise();
}

void Window::applyTabOrder()
{
    std::vector<Control*> focusable;
    for (auto& control : controls_)
        if (control->layer() == Control::Layer::Windowed && control->tabIndex() >= 0) focusable.push_back(control.get());
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
    for (size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1]->widget(), focusable[i]->widget());
}

void Window::focusFirstControl()
{
    Control* first = nullptr;
    for (auto& control : controls_) {
        QWidget* w = control->widget();
        if (control->layer() != Control::Layer::Windowed || !w || !w->isEnabled() || !control->Visible() ||
            w->focusPolicy() == Qt::NoFocus)
            continue;
        if (!first || control->tabIndex() < first->tabIndex()) first = control.get();
    }
    if (first) first->widget()->setFocus(Qt::ActiveWindowFocusReason);
    else setFocus(Qt::ActiveWindowFocusReason);
}

void Window::retire()
{
    form_ = nullptr;
    game_.hideScreen(this);
    for (auto& control : controls_) control->setEnabled(false);
    deleteLater();
}

void Window::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // Drawings see how little of them shows.
    painter.setClipRect(event->rect());
    drawBackdrop(painter);
}

void Window::drawBackdrop(QPainter& painter) const
{
    painter.save();
    painter.setClipRegion(QRegion(rect()).subtracted(scene()), Qt::IntersectClip);
    painter.fillRect(rect(), kMargin);
    painter.restore();
    painter.setClipRect(scene(), Qt::IntersectClip);
    painter.fillRect(scene(), back);
    // The scene in designed pixels
    painter.setTransform(zoom_.transform(), true);
    drawPicture(painter, picture, drawnPictures());
}

const DrawnPictures* Window::drawnPictures() const { return stage_.drawn; }

void Window::keyPressEvent(QKeyEvent* event)
{
    // Keys reach the screen itself only while no control of it holds the focus.
    QWidget* focus = focusWidget();
    if (form_ && (!focus || focus == this)) form_->keyDown(virtualKey(*event), shiftState(*event));
    event->accept();
}

void Window::closeEvent(QCloseEvent* event)
{
    // Each screen decides what its close button does; the window is never closed behind its back.
    event->ignore();
    if (form_) form_->closeButton();
}

void Window::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::WindowIconChange) game_.follow(this);
    QWidget::changeEvent(event);
}

const Window* screenOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget())
        if (const auto* screen = dynamic_cast<const Window*>(widget)) return screen;
    return nullptr;
}

}  // namespace ui
