// The race screen on real widgets: its fixed window, a race run on key events through the window
// system, and its close button. The race rules are tested on the engine (tests/race), the set-up
// from the entry screen in tests/entry, the result rows in tests/results.
#include <QPointer>
#include <QTest>

#include "test_main.h"
#include "fresh_screens.h"
#include "play.h"

class RaceScreenTest : public QObject {
    Q_OBJECT
    FreshScreens screens;
    RecordingPlatform* platform = nullptr;

    // Ann in lane 1 and Bo in lane 2, set up by "Play"
    static race::Form1& startedRace()
    {
        enter(1, "Ann");
        enter(2, "Bo");
        forms().Form2.Command1->click();
        return forms().Form1;
    }

private slots:
    void init() { platform = &screens.reset(); }

    void aRaceRunsOnRealKeysInAFixedWindow()
    {
        race::Form1& race = startedRace();
        QPointer<QWidget> raceWindow = race.window();
        QVERIFY(raceWindow->minimumSize() == QSize(634, 455) && raceWindow->maximumSize() == QSize(634, 455));
        QVERIFY(!(raceWindow->windowFlags() & Qt::WindowMaximizeButtonHint) && !raceWindow->windowIcon().isNull());
        const auto key = [&raceWindow](Qt::Key key) { QTest::keyClick(raceWindow->windowHandle(), key); };
        const auto alternate = [&key](int presses, Qt::Key first, Qt::Key second) {
            for (int n = 0; n < presses; ++n) key(n % 2 ? second : first);
        };
        countDown();
        key(Qt::Key_Tab);  // nothing on the race screen can take the keyboard
        QVERIFY(!raceWindow->focusWidget() || raceWindow->focusWidget() == raceWindow);

        alternate(100, Qt::Key_P, Qt::Key_O);
        alternate(99, Qt::Key_W, Qt::Key_Q);
        QCOMPARE(race.Picture1(1)->Left(), 544.f);
        QCOMPARE(race.Picture1(1)->Picture(), race.PictureClip1(1)->GraphicCell(1));
        key(Qt::Key_Q);  // the race ends, and the screen unloads, inside this key event

        QCOMPARE(platform->messages + platform->titles, (QStringList{"The race is over", "Tapdash"}));
        QVERIFY(!race.isLoaded() && forms().Form3.isShown());
        runDeferred();
        QVERIFY(raceWindow.isNull());
        QCOMPARE(race.engine.lanePlace(2), 2);  // the screen's variables outlive it
    }

    void theCloseButtonAbandonsTheRace()
    {
        race::Form1& race = startedRace();
        countDown();
        runLane(1);  // a first finisher loads the results
        QVERIFY(forms().Form3.isLoaded() && !forms().Form3.isShown());

        race.closeButton();
        QVERIFY(!race.isLoaded() && !forms().Form3.isLoaded() && forms().Form2.isShown());
        QCOMPARE(forms().Form2.Text2->Text(), "Bo");
        QVERIFY(platform->messages.isEmpty());
    }
};

TAPDASH_TEST_MAIN(RaceScreenTest)
#include "race_screen_test.moc"
