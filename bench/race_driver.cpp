#include "bench/race_driver.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>

#include "ui/fonts.h"

LikeTheGame::Application::Application()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installFonts();
}

LikeTheGame::LikeTheGame(bool fullScreen) : stage_(clock_, answers_, &pictures_, fullScreen), forms_(stage_, &sound_) {}

race::Form1& startFourPlayerRace(Forms& forms, const QString& runnerFile)
{
    entry::Form2& entry = forms.Form2;
    entry.show();
    for (int player = 1; player <= 4; ++player) {
        entry.Label11(player)->setCaption(runnerFile);
        if (entry.check(player)->Value() == 1) continue;
        entry.check(player)->click();
        entry.nameBox(player)->setText(QStringLiteral("Player %1").arg(player));
    }
    entry.Command1->click();
    race::Form1& race = forms.Form1;
    if (!race.isShown() || !QTest::qWaitForWindowExposed(race.window()->window()->windowHandle()))
        qFatal("the race screen did not come up");
    return race;
}

void backToEntry(Forms& forms)
{
    forms.Form3.Command1->click();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void sendKey(QWindow* window, QEvent::Type type, Qt::Key key)
{
    const QString text = key >= Qt::Key_A && key <= Qt::Key_Z ? QString(QChar(key)).toLower() : QString();
    // Qt's own entry for a window-system key event, delivered at once (QTest's, without the
    // processEvents() that QTest::keyPress runs after it)
    qt_handleKeyEvent(window, type, key, Qt::NoModifier, text);
}
