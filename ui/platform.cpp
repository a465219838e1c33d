#include "ui/platform.h"

#include <QApplication>
#include <QWidget>

#include "ui/message_box.h"
#include "ui/top_window.h"

namespace ui {

void QtPlatform::showMessage(const QString& text, const QString& title, TopWindow& over)
{
    // Over the game's window whichever window the desktop has active, and the keyboard back to it
    // once closed: some desktops give the focus to nobody when a window closes.
    MessageBox box(text, title, over);
    box.exec();
    over.reclaimKeyboard();
}

void QtPlatform::endProgram()
{
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    QCoreApplication::exit(0);
}

}  // namespace ui
