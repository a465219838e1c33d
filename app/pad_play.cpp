#include "app/pad_play.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "app/forms.h"

namespace {

void pressReturn(QWidget* box)
{
    QWidget* target = box->focusWidget() ? box->focusWidget() : box;
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent key(type, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &key);
    }
}

void padPressed(Forms& forms, int pad, pads::Button button)
{
    // While a message box is open the screens get no keys, and no pad buttons either.
    if (QWidget* box = QApplication::activeModalWidget()) {
        if (button == pads::Button::South || button == pads::Button::Start) pressReturn(box);
        return;
    }
    if (forms.Form1.isShown()) forms.Form1.padPressed(pad, button);
    else forms.Form3.padPressed(button);
}

}  // namespace

void playWithPads(pads::Pads& pads, Forms& forms)
{
    QObject::connect(&pads, &pads::Pads::pressed, &pads,
                     [&forms](int pad, pads::Button button) { padPressed(forms, pad, button); });
    QObject::connect(&pads, &pads::Pads::connectionChanged, &pads,
                     [&forms](int pad, bool connected) { forms.Form2.showPad(pad, connected); });
}
