#include "ui/platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace ui {

namespace {

int openModals = 0;
unsigned boxesOpened = 0;

class QtPlatform : public Platform {
public:
    void showMessage(const QString& text, const QString& title) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, QApplication::activeWindow());
        // Desktop themes name the button "&OK": a plain O, which a screen may use as a key of its
        // own, would then press it.
        // Without a mnemonic only Return, Enter, Space, Escape and a click close the box.
        box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        box.exec();
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
