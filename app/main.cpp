// Tapdash: a keyboard race for one to four players. The program is its screens; it starts by
// showing the splash screen, and every later screen is opened by a handler of another.
#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

#include "app/command_line.h"
#include "app/cues.h"
#include "app/forms.h"
#include "ui/fonts.h"
#include "ui/zoom.h"

int main(int argc, char* argv[])
{
    const CommandLine commandLine = parseCommandLine(argc, argv);
    if (commandLine.exitStatus) return *commandLine.exitStatus;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tapdash"));
    QApplication::setApplicationVersion(QStringLiteral(TAPDASH_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Screens are hidden and shown in turn; only the program's own end stops it.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installFontSubstitutes();
    // Icon themes are looked for among the game's own pictures, which hold none. The only themed
    // icon ever asked for is a message box's OK mark, which no installed theme has, so the
    // style's own is drawn; reading the desktop themes' indexes to find that out took 0.6 MiB.
    QIcon::setThemeSearchPaths({QStringLiteral(":/assets")});
    // Otherwise the mode stored by the last run applies when the first screen shows.
    if (commandLine.fullScreen) ui::setFullScreen(true);

    GameSound sound(commandLine.muted);

    forms().Form5.show();
    sound.openAfterDrawn(forms().Form5.window());
    const int status = QApplication::exec();
    discardForms();
    return status;
}
