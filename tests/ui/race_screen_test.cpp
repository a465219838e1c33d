// The race screen on real widgets: its design when fresh, a whole race driven by key events
// through the window system, a false start, and the runner strips handed to the lanes.
#include <QFileInfo>
#include <QPointer>
#include <QTest>

#include "app/forms.h"
#include "recording_platform.h"
#include "ui/fonts.h"
#include "ui/picture.h"

namespace {

// What the race set-up does for a player taking part, runner strip "None"
void takePart(race::Form1& race, int lane, const QString& name)
{
    const race::Lane& keys = race::Lanes[lane - 1];
    race.label(keys.nameLabel)->setCaption(name);
    for (race::RaceLabel label : {keys.keyLabel, keys.nameLabel, keys.counterLabel})
        race.label(label)->setVisible(true);
    race.Picture1(lane)->setVisible(true);
    race.giveRunnerStrip(lane, QStringLiteral("None"), name);
    race.Picture1(lane)->setPicture(race.PictureClip1(lane)->GraphicCell(0));
}

race::Form1& startedRace(int players)
{
    race::Form1& race = forms().Form1;
    race.load();
    for (int lane = 1; lane <= players; ++lane) takePart(race, lane, QStringLiteral("Player %1").arg(lane));
    race.Label13->setCaption(QString::number(players));
    race.Timer1->setEnabled(true);
    race.show();
    return race;
}

}  // namespace

class RaceScreenTest : public QObject {
    Q_OBJECT

    RecordingPlatform platform;

private slots:
    void initTestCase() { ui::installFontSubstitutes(); }
    void cleanup()
    {
        runDeferred();
        discardForms();
        platform.messages.clear();
        platform.titles.clear();
    }

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
        QCOMPARE(race.Label15->Caption(), QStringLiteral("5"));
        QCOMPARE(race.Label16->Caption(), QStringLiteral("0"));
        QVERIFY(!race.Timer1->Enabled() && !race.Timer2->Enabled());
        QCOMPARE(race.Line5->Left(), 560.f);
        QVERIFY(!race.Line5->widget()->isHidden() && !race.Label15->widget()->isHidden());
        QCOMPARE(race.Caption(), QStringLiteral("Orvens Tapdash"));
        QCOMPARE(race.window()->size(), QSize(634, 455));
        QCOMPARE(race.window()->minimumSize(), race.window()->maximumSize());
        QVERIFY(!(race.window()->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!race.window()->windowIcon().isNull());
        QVERIFY(!race.Picture().isNull());
        QCOMPARE(race.Picture2->Picture().size(), QSize(50, 25));
    }

    void aTwoLaneRaceRunsOnRealKeys()
    {
        race::Form1& race = startedRace(2);
        QWindow* window = race.window()->windowHandle();
        QPointer<QWidget> raceWindow = race.window();
        const auto press = [window](Qt::Key key) { QTest::keyClick(window, key); };
        for (int tick = 0; tick < 5; ++tick) race.Timer1->fire();
        QCOMPARE(race.Label15->Caption(), QStringLiteral("0"));
        QVERIFY(!race.Timer1->Enabled() && race.Timer2->Enabled());

        press(Qt::Key_Tab);  // nothing on the race screen can take the keyboard
        QVERIFY(!raceWindow->focusWidget() || raceWindow->focusWidget() == raceWindow);

        press(Qt::Key_P);
        for (int repeat = 0; repeat < 3; ++repeat) QTest::simulateEvent(window, true, Qt::Key_P, {}, "p", true);
        QCOMPARE(race.Picture1(1)->Left(), 148.f);
        QCOMPARE(race.Picture1(1)->Picture(), race.PictureClip1(1)->GraphicCell(0));
        press(Qt::Key_O);
        QCOMPARE(race.Picture1(1)->Left(), 152.f);
        QCOMPARE(race.Picture1(1)->Picture(), race.PictureClip1(1)->GraphicCell(1));
        QCOMPARE(race.Label1->Caption(), QStringLiteral("2"));

        for (int n = 3; n < 100; ++n) press(n % 2 ? Qt::Key_P : Qt::Key_O);
        for (int n = 1; n < 100; ++n) press(n % 2 ? Qt::Key_W : Qt::Key_Q);
        for (int tick = 0; tick < 12; ++tick) race.Timer2->fire();
        const QString firstTime = race.Label16->Caption();
        press(Qt::Key_O);
        QCOMPARE(race.Label1->Caption(), QStringLiteral("100"));
        QCOMPARE(race.Picture1(1)->Left(), 544.f);
        for (int tick = 0; tick < 3; ++tick) race.Timer2->fire();
        const QString secondTime = race.Label16->Caption();
        QVERIFY(platform.messages.isEmpty());
        press(Qt::Key_Q);  // the race ends, and the screen unloads, inside this key event

        QCOMPARE(platform.messages, QStringList{QStringLiteral("The race is over")});
        QVERIFY(!race.isLoaded());
        results::Form3& results = forms().Form3;
        QVERIFY(results.isShown());
        const auto row = [&results](int n) {
            return QStringList{results.Label1(n)->Caption(), results.Label6(n)->Caption(), results.Label7(n)->Caption()};
        };
        QCOMPARE(row(1), (QStringList{"Player 1", "1", firstTime}));
        QCOMPARE(row(2), (QStringList{"Player 2", "2", secondTime}));
        QVERIFY(firstTime != secondTime);
        QCOMPARE(results.Label7(2)->Top() - results.Label7(1)->Top(), 300.f);
        QVERIFY(results.Label6(2)->Visible());

        runDeferred();
        QVERIFY(raceWindow.isNull());
        QCOMPARE(race.engine.lanePlace(2), 2);  // the screen's variables outlive it
        QCOMPARE(race.Label15->Caption(), QStringLiteral("5"));  // a fresh screen
        QVERIFY(race.Label2->widget()->isHidden());
        QCOMPARE(race.Picture1(1)->Left(), 144.f);
        QCOMPARE(race.engine.laneStep(1), 1);
    }

    void aKeyDuringTheCountdownIsAFalseStart()
    {
        race::Form1& race = startedRace(1);
        race.Timer1->fire();
        race.Timer1->fire();
        QCOMPARE(race.Label15->Caption(), QStringLiteral("3"));
        QTest::keyClick(race.window()->windowHandle(), Qt::Key_P);
        QCOMPARE(platform.messages, QStringList{QStringLiteral("Oi don't cheat")});
        QCOMPARE(platform.titles, QStringList{QStringLiteral("Tapdash")});
        QCOMPARE(race.Label15->Caption(), QStringLiteral("5"));
        QVERIFY(race.Timer1->Enabled());
        QCOMPARE(race.Picture1(1)->Left(), 144.f);
        QCOMPARE(race.Label1->Caption(), QStringLiteral("0"));
    }

    void theCloseButtonAbandonsTheRace()
    {
        entry::Form2& entry = forms().Form2;
        entry.Check2->click();
        entry.Text2->setText(QStringLiteral("Bea"));
        entry.hide();
        race::Form1& race = startedRace(2);
        for (int tick = 0; tick < 5; ++tick) race.Timer1->fire();
        for (int n = 1; n <= 100; ++n) race.keyDown(n % 2 ? 'P' : 'O', 0);  // a first finisher loads the results
        QVERIFY(forms().Form3.isLoaded() && !forms().Form3.isShown());

        race.closeButton();
        QVERIFY(!race.isLoaded() && !forms().Form3.isLoaded());
        QVERIFY(entry.isShown());
        QCOMPARE(entry.Text2->Text(), QStringLiteral("Bea"));
        QVERIFY(platform.messages.isEmpty());
    }

    void eachPlayerGetsARunnerStrip()
    {
        race::Form1& race = forms().Form1;
        race.giveRunnerStrip(1, QStringLiteral("None"), QStringLiteral("Ann"));
        QCOMPARE(race.PictureClip1(1)->Picture(), race.Picture2->Picture());

        const QString sprinter = QFileInfo(QStringLiteral("sprinter.rnx")).absoluteFilePath();
        race.giveRunnerStrip(2, sprinter, QStringLiteral("Bob"));
        QCOMPARE(race.PictureClip1(2)->Picture(), ui::loadPicture(sprinter).image);
        QVERIFY(platform.messages.isEmpty());

        const QString ghost = QStringLiteral("/nowhere/ghost.rnx");
        race.giveRunnerStrip(3, ghost, QStringLiteral("Cat"));
        QCOMPARE(platform.messages.size(), 1);
        QVERIFY(platform.messages[0].contains(QStringLiteral("Cat")) && platform.messages[0].contains(ghost));
        QCOMPARE(race.PictureClip1(3)->Picture(), race.Picture2->Picture());
    }
};

QTEST_MAIN(RaceScreenTest)
#include "race_screen_test.moc"
