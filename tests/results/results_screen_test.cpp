// The results screen after races run by hand: its rows, the best-time line, "New Players", "Exit"
// and its close button, and "Same Players" with every kind of player-list file.
#include <QTest>

#include "file_bytes.h"
#include "fresh_screens.h"
#include "play.h"

#include "entry/player_list_file.h"
#include "race/line_file.h"
#include "ui/picture.h"

using entry::PlayerList;

namespace {

// Captions of the visible result labels, column by column, templates included
QStringList visibleRows()
{
    QStringList shown;
    for (ui::Array<ui::Label>* column : {&forms().Form3.Label6, &forms().Form3.Label1, &forms().Form3.Label7})
        for (int n = 0; column->exists(n); ++n)
            if ((*column)(n)->Visible()) shown << (*column)(n)->Caption();
    return shown;
}

// "Same Players" after a race whose player-list file holds these bytes (null: no file)
void samePlayersFrom(const QByteArray& playerList)
{
    QVERIFY(playerList.isNull() || store("temp.tmp", playerList));
    forms().Form3.Command3->click();
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
        samePlayersFrom("Ann\r\nNone\r\nBo\r\nNone\r\nCy\r\nNone\r\nDi\r\nNone\r\n");
        countDown();
        tickClock(153);
        runLane(3);
        tickClock(2);
        runLane(1);
        runLane(4);
        tickClock(100);
        QVERIFY(!forms().Form3.isShown());
        runLane(2);

        QVERIFY(forms().Form3.isShown() && !forms().Form1.isLoaded());
        QCOMPARE(visibleRows(),
                 (QStringList{"1", "2", "3", "4", "Cy", "Ann", "Di", "Bo", "15.3", "15.5", "15.5", "25.5"}));
        for (int n = 1; n <= 4; ++n)
            for (ui::Array<ui::Label>* column : {&forms().Form3.Label6, &forms().Form3.Label1, &forms().Form3.Label7})
                QCOMPARE((*column)(n)->Top(), float(3360 + 300 * n));
        QCOMPARE(platform->messages, QStringList{"The race is over"});
    }

    // Whole seconds only, and strictly fewer, make a new record.
    void newAndRecordOnlyForANewRecord()
    {
        const struct { QStringList stored; int ticks; bool isNew; QString holder; } races[] = {
            {{}, 204, true, "Ann with a time of 20.4"},
            {{"Bo, \"B\"", "15.8"}, 152, false, "Bo, \"B\" with a time of 15.8"},
            {{"Bo", "15.8"}, 149, true, "Ann with a time of 14.9"},
        };
        for (const auto& row : races) {
            init();
            if (!row.stored.isEmpty())
                QVERIFY(!race::writeLineFile(race::bestTimeFilePath("C:\\Windows\\tapdash.ini"), row.stored));
            samePlayersFrom("Ann\r\nNone\r\n");
            runRace(row.ticks);
            QCOMPARE(visibleRows(), (QStringList{"1", "Ann", QString::number(row.ticks / 10.0)}));
            QVERIFY(forms().Form3.Label9->Visible() == row.isNew && forms().Form3.Label8->Visible() == row.isNew);
            QCOMPARE(forms().Form3.Label5->Caption(), "Best time so far is " + row.holder);
        }
    }

    // "New Players" brings the entries back; "Exit" and the close button leave the closing screen alone
    void newPlayersThenExit()
    {
        for (bool byCloseButton : {false, true}) {
            init();
            enter(2, "Bo");
            for (int round = 0; round < 2; ++round) {
                forms().Form2.Command1->click();  // "Play"
                runRace(10);
                QCOMPARE(visibleRows(), (QStringList{"1", "Bo", "1"}));
                if (round == 1) continue;
                forms().Form3.Command1->click();  // "New Players"
                QVERIFY(forms().Form2.isShown() && forms().Form2.Check2->Value() == 1);
                QCOMPARE(forms().Form2.Text2->Text(), "Bo");
            }
            byCloseButton ? forms().Form3.closeButton() : forms().Form3.Command2->click();
            QVERIFY(forms().Form4.isShown() && forms().Form4.Timer1->Enabled());
            QVERIFY(!forms().Form1.isLoaded() && !forms().Form2.isLoaded() && !forms().Form3.isLoaded());
        }
    }

    // The lanes of the players named in the file run, each with the runner file of its line; with
    // nobody left the entry screen comes back as it was.
    void samePlayers_data()
    {
        QTest::addColumn<QByteArray>("file");  // null: none
        QTest::addColumn<PlayerList>("players");
        const QByteArray none = "\r\n\r\n";
        QTest::newRow("player 3 alone") << none + none + "Cy\r\nNone\r\n" + none
                                        << PlayerList{{{}, {}, {"Cy", "None"}, {}}};
        QTest::newRow("four, odd names, a runner file")
            << QByteArray(" \"Bo\", Jr \r\nNone\r\nAnn\r\nsprinter.rnx\r\nCy, \"C\"\r\nNone\r\nDi\r\nNone\r\n")
            << PlayerList{{{" \"Bo\", Jr ", "None"}, {"Ann", "sprinter.rnx"}, {"Cy, \"C\"", "None"}, {"Di", "None"}}};
        QTest::newRow("empty name left out") << "\r\nNone\r\nAnn\r\nNone\r\n" + none + none
                                             << PlayerList{{{}, {"Ann", "None"}, {}, {}}};
        QTest::newRow("no file") << QByteArray() << PlayerList{};
        QTest::newRow("short file") << QByteArray("\r\nNone\r\n") << PlayerList{};
        QTest::newRow("every name empty") << "\r\nNone\r\n" + none + none + "\r\nNone\r\n" << PlayerList{};
    }
    void samePlayers()
    {
        QFETCH(QByteArray, file);
        QFETCH(PlayerList, players);
        forms().Form2.Text4->setText("Di");  // an entry the screen keeps
        samePlayersFrom(file);
        race::Form1& screen = forms().Form1;
        QList<int> lanes;
        for (int lane = 1; lane <= 4; ++lane)
            if (!players[lane - 1].name.isEmpty()) lanes << lane;
        QVERIFY(!forms().Form3.isLoaded() && forms().Form2.isShown() == lanes.isEmpty());
        QCOMPARE(forms().Form2.Text4->Text(), "Di");
        if (lanes.isEmpty()) {
            const QStringList box{"Sorry, I'm afraid you have to have at least one person playing.", "Tapdash Message"};
            QCOMPARE(platform->messages + platform->titles, box);
            QVERIFY(!screen.isLoaded());
            return;
        }
        QVERIFY(platform->messages.isEmpty());
        QVERIFY(screen.isShown() && screen.Timer1->Enabled() && screen.Label15->Caption() == "5");
        QCOMPARE(lanesSetUp(), lanes);
        QCOMPARE(screen.Label13->Caption(), QString::number(lanes.size()));
        for (int lane : lanes) {
            QCOMPARE(screen.label(race::Lanes[lane - 1].nameLabel)->Caption(), players[lane - 1].name);
            const ui::LoadedPicture runner = ui::loadPicture(players[lane - 1].runnerFile);  // none named "None"
            QCOMPARE(screen.PictureClip1(lane)->Picture(), runner.ok() ? runner.image : screen.Picture2->Picture());
            QCOMPARE(screen.Picture1(lane)->Picture(), screen.PictureClip1(lane)->GraphicCell(0));
        }

        // Race after race the same players come back; the counters start again from "0".
        runRace(5);
        forms().Form3.Command3->click();
        QCOMPARE(lanesSetUp(), lanes);
        QCOMPARE(screen.label(race::Lanes[lanes[0] - 1].counterLabel)->Caption(), "0");
    }
};

QTEST_MAIN(ResultsScreenTest)
#include "results_screen_test.moc"
