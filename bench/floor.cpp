// The floor the game's figures are held against: the least a Qt Widgets program does to show a
// window of the game's size. One empty 634 x 455 window, shown, nothing else; with --full-screen,
// one empty window filling the display.
#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    if (app.arguments().contains(QStringLiteral("--full-screen"))) {
        window.setGeometry(window.screen()->geometry());
        window.showFullScreen();
    } else {
        window.resize(634, 455);
        window.show();
    }
    return QApplication::exec();
}
