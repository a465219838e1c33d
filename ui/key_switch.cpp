#include "ui/key_switch.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace ui {

KeySwitch::KeySwitch(int key, std::function<void()> pressed) : key_(key), pressed_(std::move(pressed))
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool KeySwitch::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != key_) return false;
    if (event->type() == QEvent::KeyPress && !key->isAutoRepeat()) pressed_();
    return true;
}

}  // namespace ui
