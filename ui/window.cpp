#include "ui/window.h"

#include <algorithm>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "ui/colors.h"
#include "ui/form.h"
#include "ui/keys.h"
#include "ui/top_window.h"

namespace ui {

namespace {
const QColor kMargin{0x16, 0x16, 0x1C};  // around a scene in full screen: quiet and dark
}

Window::Window(Form* form) : QWidget(&topWindow()), back(colors::buttonFace), form_(form)
{
    installFullScreenKey();
    hide();
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Focused when no control is (it takes the screen's keys then), but never a Tab stop of its own
    setFocusPolicy(Qt::NoFocus);
}

Window::~Window() { topWindow().hideScreen(this); }

void Window::setDesignedSize(QSize size)
{
    designedSize_ = size;
    if (!topWindow().inFront(this)) resize(size);
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
    if (topWindow().inFront(this)) scaleStyleAndDialogs(zoom.factor);
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
    topWindow().hideScreen(this);
    for (auto& control : controls_) control->setEnabled(false);
    deleteLater();
}

void Window::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (zoom_.isIdentity()) {
        painter.fillRect(rect(), back);
        if (!picture.isNull()) painter.drawImage(0, 0, picture);
        return;
    }
    const QRect scene = zoom_.map(QRect(QPoint(), designedSize_));
    painter.fillRect(rect(), kMargin);
    painter.fillRect(scene, back);
    if (picture.isNull()) return;
    painter.setClipRect(scene);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(scene.topLeft(), QSizeF(picture.size()) * zoom_.factor), picture);
}

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
    if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::WindowIconChange) topWindow().follow(this);
    QWidget::changeEvent(event);
}

}  // namespace ui
