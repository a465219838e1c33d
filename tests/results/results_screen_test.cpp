// The results screen after races run by hand: its rows, the best-time line, "New Players", "Exit"
// and its close button, and "Same Players" with every kind of player-list file.
#include <QTest>

#include "test_main.h"
#include "file_bytes.h"
#include "fresh_screens.h"
#include "play.h"

#include "ui/picture.h"

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

// Eleven characters in twenty UTF-16 units: a name box holds all but the last runner
const QString kLongName = "Cy" + QString::fromUtf8("\U0001F3C3").repeated(9);

}  // namespace

class ResultsScreenTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;

private slots:
    void init() { platform = &stage.reset(); }

    // Names with spaces, commas and quotes come back whole from both files, the runner file from
    // its line. The record rule itself is tested on the best-time file (tests/files).
    void rowsFollowTheFinishingOrderAndTheRecordStands()
    {
        QVERIFY(store("temp.tmp", " \"Bo\", Jr \r\nNone\r\nAnn\r\nsprinter.rnx\r\nCy, \"C\"\r\nNone\r\n"
                                  "Di\r\nNone\r\n"));
        forms().Form3.Command3->click();  // "Same Players"
        QCOMPARE(forms().Form1.PictureClip1(2)->Picture(), ui::loadPicture("sprinter.rnx").image);
        countDown();
        tickClock(153);
        runLane(3);
        tickClock(2);
        runLane(1);
        runLane(4);
        tickClock(100);
        QVERIFY(!forms().Form3.isShown());
        runLane(2);

        results::Form3& results = forms().Form3;
        QVERIFY(results.isShown() && !forms().Form1.isLoaded());
        QCOMPARE(visibleRows(), (QStringList{"1", "2", "3", "4", "Cy, \"C\"", " \"Bo\", Jr ", "Di", "Ann",
                                             "15.3", "15.5", "15.5", "25.5"}));
        for (int n = 1; n <= 4; ++n)
            for (ui::Array<ui::Label>* column : {&results.Label6, &results.Label1, &results.Label7})
                QCOMPARE((*column)(n)->Top(), float(3360 + 300 * n));
        QCOMPARE(platform->messages, QStringList{"The race is over"});
        const QString record = "Best time so far is Cy, \"C\" with a time of 15.3";
        QVERIFY(results.Label9->Visible() && results.Label8->Visible() && results.Label5->Caption() == record);
    }

    // "New Players" brings the entries back; "Exit" and the close button leave the closing screen alone
    void newPlayersThenExit()
    {
        for (bool byCloseButton : {false, true}) {
            init();
            enter(2, "Bo");
            forms().Form2.Command1->click();  // "Play"
            runRace(10);
            forms().Form3.Command1->click();  // "New Players"
            QVERIFY(forms().Form2.isShown() && forms().Form2.Check2->Value() == 1);
            QCOMPARE(forms().Form2.Text2->Text(), "Bo");
            forms().Form2.Command1->click();
            runRace(10);
            QCOMPARE(visibleRows(), (QStringList{"1", "Bo", "1"}));
            byCloseButton ? forms().Form3.closeButton() : forms().Form3.Command2->click();
            QVERIFY(forms().Form4.isShown() && forms().Form4.Timer1->Enabled());
            QVERIFY(!forms().Form1.isLoaded() && !forms().Form2.isLoaded() && !forms().Form3.isLoaded());
        }
    }

    // Player 3, alone in a file cut short, runs with the default strip under the name a name box
    // would hold; with nobody left the entry screen comes back as it was.
    void samePlayers_data()
    {
        QTest::addColumn<QByteArray>("file");  // null: none
        QTest::addColumn<bool>("cyRuns");
        const QByteArray none = "\r\n\r\n";
        QTest::newRow("player 3 alone, short file") << none + none + kLongName.toUtf8() + "\r\nNone\r\n" << true;
        QTest::newRow("no file") << QByteArray() << false;
        QTest::newRow("every name empty") << "\r\nNone\r\n" + none + none + "\r\nNone\r\n" << false;
    }
    void samePlayers()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, cyRuns);
        forms().Form2.Text4->setText("Di");  // an entry the screen keeps
        QVERIFY(file.isNull() || store("temp.tmp", file));
        forms().Form3.Command3->click();  // "Same Players"
        race::Form1& screen = forms().Form1;
        QVERIFY(!forms().Form3.isLoaded() && forms().Form2.isShown() != cyRuns);
        QCOMPARE(forms().Form2.Text4->Text(), "Di");
        if (!cyRuns) {
            const QStringList box{"Sorry, I'm afraid you have to have at least one person playing.", "Tapdash Message"};
            QCOMPARE(platform->messages + platform->titles, box);
            QVERIFY(!screen.isLoaded());
            return;
        }
        QVERIFY(platform->messages.isEmpty() && screen.isShown() && screen.Timer1->Enabled());
        QVERIFY(screen.Label15->Caption() == "5" && screen.Label13->Caption() == "1");
        QCOMPARE(screen.Label8->Caption(), kLongName.chopped(2));  // lane 3's name
        QCOMPARE(lanesSetUp(), QList<int>{3});
        QCOMPARE(screen.PictureClip1(3)->Picture(), screen.Picture2->Picture());
        QCOMPARE(screen.Picture1(3)->Picture(), screen.PictureClip1(3)->GraphicCell(0));
    }
};

TAPDASH_TEST_MAIN(ResultsScreenTest)
#include "results_screen_test.moc"
