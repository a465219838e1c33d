#include <QTest>

#include "fresh_screens.h"

#include "entry/player_list_file.h"
#include "race/line_file.h"
#include "ui/picture.h"

using entry::PlayerList;

namespace {

race::Form1& raceScreen() { return forms().Form1; }

// A race of these players, started as "Same Players" after a race with them starts it
void startRace(const PlayerList& players)
{
    QVERIFY(!entry::writePlayerList("temp.tmp", players));
    forms().Form3.Command3->click();
}

void runClock(int ticks)
{
    for (int tick = 0; tick < ticks; ++tick) raceScreen().Timer2->fire();
}

void countDownAndRunClock(int ticks)
{
    for (int second = 0; second < 5; ++second) raceScreen().Timer1->fire();
    runClock(ticks);
}

void runLane(int lane)
{
    for (int press = 0; press < 50; ++press) {
        raceScreen().keyDown(race::Lanes[lane - 1].firstKey, 0);
        raceScreen().keyDown(race::Lanes[lane - 1].secondKey, 0);
    }
}

// Captions of the visible result labels, column by column, templates included
QStringList visibleRows()
{
    QStringList shown;
    for (ui::Array<ui::Label>* column : {&forms().Form3.Label6, &forms().Form3.Label1, &forms().Form3.Label7})
        for (int n = 0; column->exists(n); ++n)
            if ((*column)(n)->Visible()) shown << (*column)(n)->Caption();
    return shown;
}

// Lanes fully set up; a half set-up lane shows as its negative number
QList<int> lanesSetUp()
{
    QList<int> lanes;
    for (const race::Lane& lane : race::Lanes) {
        const int shown = raceScreen().label(lane.nameLabel)->Visible() + raceScreen().label(lane.counterLabel)->Visible()
                          + raceScreen().label(lane.keyLabel)->Visible() + raceScreen().Picture1(lane.number)->Visible();
        if (shown) lanes << (shown == 4 ? lane.number : -lane.number);
    }
    return lanes;
}

}  // namespace

class ResultsScreenTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;

private slots:
    void init() { platform = &stage.reset(); }

    void rowsFollowTheFinishingOrder()
    {
        startRace({{{"Ann", "None"}, {"Bo", "None"}, {"Cy", "None"}, {"Di", "None"}}});
        countDownAndRunClock(153);
        runLane(3);
        runClock(2);
        runLane(1);
        runLane(4);
        runClock(100);
        QVERIFY(!forms().Form3.isShown());
        runLane(2);

        QVERIFY(forms().Form3.isShown() && !raceScreen().isLoaded());
        QCOMPARE(visibleRows(), (QStringList{"1", "2", "3", "4", "Cy", "Ann", "Di", "Bo", "15.3", "15.5", "15.5", "25.5"}));
        for (int n = 1; n <= 4; ++n)
            for (ui::Array<ui::Label>* column : {&forms().Form3.Label6, &forms().Form3.Label1, &forms().Form3.Label7})
                QCOMPARE((*column)(n)->Top(), float(3360 + 300 * n));
        QCOMPARE(platform->messages, QStringList{"The race is over"});
    }

    void newAndRecordOnlyForANewRecord_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("first race") << QStringList() << 204 << true << "Best time so far is Ann with a time of 20.4";
        QTest::newRow("same second") << QStringList{"Bo, \"B\"", "15.8"} << 152 << false << "Best time so far is Bo, \"B\" with a time of 15.8";
        QTest::newRow("faster") << QStringList{"Bo", "15.8"} << 149 << true << "Best time so far is Ann with a time of 14.9";
    }
    void newAndRecordOnlyForANewRecord()
    {
        QFETCH(QStringList, stored);
        QFETCH(int, ticks);
        QFETCH(bool, isNew);
        QFETCH(QString, sentence);
        if (!stored.isEmpty()) QVERIFY(!race::writeLineFile(race::bestTimeFilePath("C:\\Windows\\tapdash.ini"), stored));
        startRace({{{"Ann", "None"}, {}, {}, {}}});
        countDownAndRunClock(ticks);
        runLane(1);
        QCOMPARE(visibleRows(), (QStringList{"1", "Ann", QString::number(ticks / 10.0)}));
        QVERIFY(forms().Form3.Label9->Visible() == isNew && forms().Form3.Label8->Visible() == isNew);
        QCOMPARE(forms().Form3.Label5->Caption(), sentence);
    }

    void newPlayersKeepsTheEntriesAndExitLeavesTheClosingScreen_data()
    {
        QTest::addColumn<bool>("closeButton");
        QTest::newRow("Exit") << false;
        QTest::newRow("close button") << true;
    }
    void newPlayersKeepsTheEntriesAndExitLeavesTheClosingScreen()
    {
        QFETCH(bool, closeButton);
        entry::Form2& entryScreen = forms().Form2;
        entryScreen.show();
        entryScreen.Check2->click();
        entryScreen.Text2->setText("Bo");
        for (int round = 0; round < 2; ++round) {
            entryScreen.Command1->click();  // "Play"
            countDownAndRunClock(10);
            runLane(2);
            QCOMPARE(visibleRows(), (QStringList{"1", "Bo", "1"}));
            if (round == 0) {
                forms().Form3.Command1->click();  // "New Players"
                QVERIFY(entryScreen.isShown() && entryScreen.Text2->Text() == "Bo" && entryScreen.Check2->Value() == 1);
            }
        }
        if (closeButton) forms().Form3.closeButton();
        else forms().Form3.Command2->click();  // "Exit"
        QVERIFY(forms().Form4.isShown() && forms().Form4.Timer1->Enabled());
        QVERIFY(!raceScreen().isLoaded() && !entryScreen.isLoaded() && !forms().Form3.isLoaded());
    }

    void samePlayersSetsUpTheNamedLanes_data()
    {
        QTest::addColumn<PlayerList>("players");
        QTest::addColumn<QList<int>>("lanes");
        QTest::newRow("player 3 alone") << PlayerList{{{}, {}, {"Cy", "None"}, {}}} << QList<int>{3};
        QTest::newRow("four, one with a runner file")
            << PlayerList{{{" \"Bo\", Jr ", "None"}, {"Ann", "sprinter.rnx"}, {"Cy", "None"}, {"Di", "None"}}}
            << QList<int>{1, 2, 3, 4};
        QTest::newRow("empty name left out") << PlayerList{{{"", "None"}, {"Ann", "None"}, {}, {}}} << QList<int>{2};
        QTest::newRow("runner file vanished") << PlayerList{{{"Ann", "gone.rnx"}, {}, {}, {}}} << QList<int>{1};
    }
    void samePlayersSetsUpTheNamedLanes()
    {
        QFETCH(PlayerList, players);
        QFETCH(QList<int>, lanes);
        startRace(players);
        QVERIFY(raceScreen().isShown() && raceScreen().Timer1->Enabled() && raceScreen().Label15->Caption() == "5");
        QVERIFY(!forms().Form3.isLoaded() && forms().Form2.isLoaded() && !forms().Form2.isShown());
        QCOMPARE(lanesSetUp(), lanes);
        QCOMPARE(raceScreen().Label13->Caption(), QString::number(lanes.size()));
        for (int lane : lanes) {
            const PlayerList::value_type& player = players[lane - 1];
            QCOMPARE(raceScreen().label(race::Lanes[lane - 1].nameLabel)->Caption(), player.name);
            const QImage strip = player.runnerFile == "sprinter.rnx" ? ui::loadPicture("sprinter.rnx").image
                                                                    : raceScreen().Picture2->Picture();
            QCOMPARE(raceScreen().PictureClip1(lane)->Picture(), strip);
            QCOMPARE(raceScreen().Picture1(lane)->Picture(), raceScreen().PictureClip1(lane)->GraphicCell(0));
        }
        QCOMPARE(platform->messages.size(), int(players[0].runnerFile == "gone.rnx"));

        // Race after race the same players come back; the counters start again from "0".
        countDownAndRunClock(5);
        for (int lane : lanes) runLane(lane);
        forms().Form3.Command3->click();
        QCOMPARE(lanesSetUp(), lanes);
        QCOMPARE(raceScreen().label(race::Lanes[lanes[0] - 1].counterLabel)->Caption(), "0");
    }

    void samePlayersWithNobodyLeftBringsTheEntryScreenBack_data()
    {
        QTest::addColumn<QByteArray>("file");  // null: no file
        QTest::addColumn<bool>("entryLoaded");
        QTest::newRow("no file") << QByteArray() << false;
        QTest::newRow("short file") << QByteArray("\r\nNone\r\n") << true;
        QTest::newRow("every name empty") << QByteArray("\r\nNone\r\n\r\n\r\n\r\nNone\r\n\r\n\r\n") << false;
    }
    void samePlayersWithNobodyLeftBringsTheEntryScreenBack()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, entryLoaded);
        QFile temp("temp.tmp");
        QVERIFY(file.isNull() || (temp.open(QIODevice::WriteOnly) && temp.write(file) == file.size()));
        temp.close();
        if (entryLoaded) forms().Form2.Text4->setText("Di");

        forms().Form3.Command3->click();
        QCOMPARE(platform->messages, QStringList{"Sorry, I'm afraid you have to have at least one person playing."});
        QCOMPARE(platform->titles, QStringList{"Tapdash Message"});
        QVERIFY(!raceScreen().isLoaded() && !forms().Form3.isLoaded() && forms().Form2.isShown());
        QCOMPARE(forms().Form2.Text4->Text(), entryLoaded ? "Di" : "Disabled");
    }
};

QTEST_MAIN(ResultsScreenTest)
#include "results_screen_test.moc"
