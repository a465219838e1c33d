// Tapdash: a keyboard race for one to four players. The program is its screens; it starts by
// showing the splash screen, and every later screen is opened by a handler of another.
#include <functional>

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>

#include "app/command_line.h"
#include "app/cues.h"
#include "app/forms.h"
#include "app/own_pictures.h"
#include "app/pad_play.h"
#include "sound/mixer.h"
#include "ui/fonts.h"

namespace {

// Runs `then` once the window has been drawn for the first time, when the event loop comes back
class FirstDrawing : public QObject {
public:
    FirstDrawing(QWidget* window, std::function<void()> then) : QObject(window), then_(std::move(then))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, then_);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then_;
};

}  // namespace

int main(int argc, char* argv[])
{
    const CommandLine commandLine = parseCommandLine(argc, argv);
    if (commandLine.exitStatus) return *commandLine.exitStatus;
    sound::useNoSharedMemoryPool();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tapdash"));
    QApplication::setApplicationVersion(QStringLiteral(TAPDASH_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Screens are hidden and shown in turn; only the program's own end stops it.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installFonts();
    // Icon themes are looked for among the game's own pictures, which hold none. The only themed
    // icon ever asked for is a message box's OK mark, which no installed theme has, so the
    // style's own is drawn; reading the desktop themes' indexes to find that out took 0.6 MiB.
    QIcon::setThemeSearchPaths({QStringLiteral(":/assets")});

    // What the screens share, the sound their cues play on, then the screens; they go in the
    // opposite order. Should the window system go away, the toolkit ends the program with exit()
    // from inside the event loop and none of these is destroyed: they would call into what is
    // already gone.
    ui::SteadyClock clock;
    ui::QtPlatform platform;
    const OwnPictures pictures;
    // --fullscreen for this run only; otherwise the mode stored by F11 applies.
    ui::Stage stage(clock, platform, &pictures, commandLine.fullScreen);
    GameSound sound(commandLine.muted);
    Forms forms(stage, &sound);
    // The pads' module lies beside the program. They are looked for once the first screen is
    // drawn: loading SDL takes longer than drawing it, and no screen before the entry screen
    // listens to a pad. The sound device is opened then too, on a thread of its own, once the
    // pads (on this thread) are done with starting SDL.
    pads::Pads pads(QCoreApplication::applicationDirPath() + QStringLiteral("/tapdash-pads.so"));
    playWithPads(pads, forms);
    forms.Form5.show();
    new FirstDrawing(forms.Form5.window(), [&pads, &sound] {
        pads.start();
        sound.open();
    });
    return QApplication::exec();
}
