#include "ui/platform.h"

#include <QApplication>
#include <QWidget>

#include "ui/message_box.h"
#include "ui/top_window.h"

namespace ui {

namespace {

int openModals = 0;
unsigned boxesOpened = 0;

class QtPlatform : public Platform {
public:
    void showMessage(const QString& text, const QString& title) override
    {
        // Over the game's window whichever window the desktop has active, and the keyboard back to
        // it once closed: some desktops give the focus to nobody when a window closes.
        TopWindow& game = topWindow();
        MessageBox box(text, title, &game);
        box.exec();
        game.reclaimKeyboard();
    }

    void endProgram() override
    {
        for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
        QCoreApplication::exit(0);
    }
};

QtPlatform realPlatform;
Platform* current = &realPlatform;

}  // namespace

Platform& platform() { return *current; }
void setPlatform(Platform* replacement) { current = replacement ? replacement : &realPlatform; }

void msgBox(const QString& text, const QString& title)
{
    ++openModals;
    ++boxesOpened;
    current->showMessage(text, title);
    --openModals;
}

bool modalOpen() { return openModals > 0; }
unsigned messageBoxesOpened() { return boxesOpened; }

}  // namespace ui
