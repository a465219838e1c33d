// The race screen on real widgets: its design when fresh, a whole race driven by key events
// through the window system, and its close button. The race rules themselves are tested on the
// engine (tests/race), the set-up from the entry screen in tests/entry.
#include <QPointer>
#include <QTest>

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

    void aFreshRaceScreenShowsItsDesign()
    {
        race::Form1& race = forms().Form1;
        race.load();
        QVERIFY(!race.isShown());
        for (const race::Lane& lane : race::Lanes) {
            for (race::RaceLabel label : {lane.keyLabel, lane.nameLabel, lane.counterLabel})
                QVERIFY(race.label(label)->widget()->isHidden());
            QVERIFY(race.Picture1(lane.number)->widget()->isHidden());
            QCOMPARE(race.Picture1(lane.number)->Left(), 144.f);
            QCOMPARE(race.Picture1(lane.number)->Top(), float(48 + 48 * lane.number));
        }
        QCOMPARE((QStringList{race.Label15->Caption(), race.Label16->Caption()}), (QStringList{"5", "0"}));
        QVERIFY(!race.Timer1->Enabled() && !race.Timer2->Enabled());
        QCOMPARE(race.Caption(), "Orvens Tapdash");
        QCOMPARE(race.window()->size(), QSize(634, 455));
        QCOMPARE(race.window()->minimumSize(), race.window()->maximumSize());
        QVERIFY(!(race.window()->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!race.window()->windowIcon().isNull() && !race.Picture().isNull());
        QCOMPARE(race.Picture2->Picture().size(), QSize(50, 25));

        // A line keeps its designed pixel of width when the display scales the window up.
        QWidget* post = race.Line5->widget();
        QImage doubled(post->size() * 2, QImage::Format_RGB32);
        doubled.setDevicePixelRatio(2);
        doubled.fill(Qt::white);
        post->render(&doubled);
        QVERIFY(doubled.pixelColor(0, 100) == Qt::black && doubled.pixelColor(1, 100) == Qt::black);
    }

    void aTwoLaneRaceRunsOnRealKeys()
    {
        race::Form1& race = startedRace();
        QPointer<QWidget> raceWindow = race.window();
        const auto key = [&raceWindow](Qt::Key key) { QTest::keyClick(raceWindow->windowHandle(), key); };
        const auto alternate = [&key](int presses, Qt::Key first, Qt::Key second) {
            for (int n = 0; n < presses; ++n) key(n % 2 ? second : first);
        };
        countDown();
        QVERIFY(!race.Timer1->Enabled() && race.Timer2->Enabled());
        key(Qt::Key_Tab);  // nothing on the race screen can take the keyboard
        QVERIFY(!raceWindow->focusWidget() || raceWindow->focusWidget() == raceWindow);

        alternate(2, Qt::Key_P, Qt::Key_O);
        QCOMPARE(race.Picture1(1)->Left(), 152.f);
        QCOMPARE(race.Picture1(1)->Picture(), race.PictureClip1(1)->GraphicCell(1));
        QCOMPARE(race.Label1->Caption(), "2");
        alternate(97, Qt::Key_P, Qt::Key_O);
        alternate(99, Qt::Key_W, Qt::Key_Q);
        tickClock(12);
        key(Qt::Key_O);
        QCOMPARE(race.Label1->Caption(), "100");
        QCOMPARE(race.Picture1(1)->Left(), 544.f);
        tickClock(3);
        key(Qt::Key_Q);  // the race ends, and the screen unloads, inside this key event

        QCOMPARE(platform->messages, QStringList{"The race is over"});
        QCOMPARE(platform->titles, QStringList{"Tapdash"});
        QVERIFY(!race.isLoaded() && forms().Form3.isShown());
        results::Form3& results = forms().Form3;
        const QStringList rows{results.Label1(1)->Caption(), results.Label7(1)->Caption(), results.Label1(2)->Caption(),
                               results.Label7(2)->Caption()};
        QCOMPARE(rows, (QStringList{"Ann", "1.2", "Bo", "1.5"}));
        runDeferred();
        QVERIFY(raceWindow.isNull());
        QCOMPARE(race.engine.lanePlace(2), 2);  // the screen's variables outlive it
        QCOMPARE(race.Label15->Caption(), "5");  // a fresh screen
        QVERIFY(race.Label2->widget()->isHidden());
        QCOMPARE(race.Picture1(1)->Left(), 144.f);
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

QTEST_MAIN(RaceScreenTest)
#include "race_screen_test.moc"
