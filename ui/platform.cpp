#include "ui/platform.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QWidget>

namespace ui {

namespace {

int openModals = 0;
unsigned boxesOpened = 0;

// The OK mark of a message box's button: the style's own (no icon theme is read, see main), made
// here from the style's pictures with their format named. Made by the style, each picture would
// go to a reader that first loads every image format plugin installed to ask it about PNG, over
// half a megabyte of code. Should the pictures ever be missing, the style makes the mark.
QIcon okMark()
{
    static const QIcon mark = [] {
        QIcon icon;
        for (int size : {16, 32, 128}) {
            QImageReader reader(
                QStringLiteral(":/qt-project.org/styles/commonstyle/images/standardbutton-ok-%1.png").arg(size), "png");
            reader.setAutoDetectImageFormat(false);
            const QImage picture = reader.read();
            if (picture.isNull()) return QApplication::style()->standardIcon(QStyle::SP_DialogOkButton);
            icon.addPixmap(QPixmap::fromImage(picture));
        }
        return icon;
    }();
    return mark;
}

class QtPlatform : public Platform {
public:
    void showMessage(const QString& text, const QString& title) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, QApplication::activeWindow());
        // The OK button made as the standard one is, but named "OK" where desktop themes say "&OK":
        // a plain O, which a screen may use as a key of its own, would then press it.
        // Without a mnemonic only Return, Enter, Space, Escape and a click close the box.
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        if (box.style()->styleHint(QStyle::SH_DialogButtonBox_ButtonsHaveIcons, nullptr, &box)) ok->setIcon(okMark());
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
