#pragma once
// The game's message box: a text, a title and an OK button, over the game's window and centred on
// the scene it shows. Its text is broken into lines as it is at the designed size, and every
// measure grows with the zoom of the screen in front, so in full screen the box is the windowed
// box scaled up; it fits itself again at once when the zoom or the window changes while it is
// open (F11 with a box open).
#include <QDialog>
#include <QStringList>

class QLabel;

namespace ui {

class TopWindow;

class MessageBox : public QDialog {
public:
    MessageBox(const QString& text, const QString& title, TopWindow& over);

    // The text's lines at the designed size (tests compare them across zooms)
    const QStringList& lines() const { return lines_; }
    // Sizes and places the box for the zoom and the window as they are now
    void fit();

protected:
    void changeEvent(QEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    bool eventFilter(QObject*, QEvent*) override;

private:
    void centre();

    QLabel* label_;
    QStringList lines_;
    TopWindow& over_;
};

}  // namespace ui
