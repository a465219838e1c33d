// The race screen on real widgets: its fixed window, a race run on key events through the window
// system, and its close button. Then the results screen after races run by hand: its rows, the
// best-time line, "New Players", "Exit" and its close button, and "Same Players" with every kind
// of player-list file. The race rules are tested on the engine (tests/race).
#include <QImage>
#include <QPointer>
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

const QString kLongName = "Cy" + QString::fromUtf8("\U0001F3C3").repeated(9);

}  // namespace

class RaceAndResultsTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;

private slots:
    void init() { platform = &stage.reset(); }

    void aRaceRunsOnRealKeysInAFixedWindow()
    {
        race::Form1& race = forms().Form1;
        enter(1, "Ann"), enter(2, "Bo"), forms().Form2.Command1->click();  // "Play"
        QPointer<QWidget> window = race.window();
        QVERIFY(window->minimumSize() == QSize(634, 455) && window->maximumSize() == QSize(634, 455));
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint) && !window->windowIcon().isNull());
        // A line keeps its designed pixel of width when the display scales the window up.
        QImage doubled(race.Line5->widget()->size() * 2, QImage::Format_RGB32);
        doubled.setDevicePixelRatio(2);
        doubled.fill(Qt::white);
        race.Line5->widget()->render(&doubled);
        QVERIFY(doubled.pixelColor(0, 100) == Qt::black && doubled.pixelColor(1, 100) == Qt::black);
        const auto press = [&window](int presses, Qt::Key first, Qt::Key second = {}) {
            for (int n = 0; n < presses; ++n) QTest::keyClick(window->windowHandle(), n % 2 ? second : first);
        };
        countDown();
        press(1, Qt::Key_Tab);  // nothing on the race screen can take the keyboard
        QVERIFY(!window->focusWidget() || window->focusWidget() == window);

        press(100, Qt::Key_P, Qt::Key_O);
        press(99, Qt::Key_W, Qt::Key_Q);
        QVERIFY(race.Picture1(1)->Left() == 544.f && race.Picture1(1)->Picture() == race.PictureClip1(1)->GraphicCell(1));
        press(1, Qt::Key_Q);  // the race ends, and the screen unloads, inside this key event
        QCOMPARE(platform->messages + platform->titles, (QStringList{"The race is over", "Tapdash"}));
        QVERIFY(!race.isLoaded() && forms().Form3.isShown());
        runDeferred();
        QVERIFY(window.isNull() && race.engine.lanePlace(2) == 2);  // the screen's variables outlive it
    }

    void theCloseButtonAbandonsTheRace()
    {
        race::Form1& race = forms().Form1;
        enter(1, "Ann"), enter(2, "Bo"), forms().Form2.Command1->click(), countDown();
        runLane(1);  // a first finisher loads the results
        QVERIFY(forms().Form3.isLoaded() && !forms().Form3.isShown());
        race.closeButton();
        QVERIFY(!race.isLoaded() && !forms().Form3.isLoaded() && forms().Form2.isShown());
        QVERIFY(forms().Form2.Text2->Text() == "Bo" && platform->messages.isEmpty());
    }

    // Names with spaces, commas and quotes come back whole from both files, the runner file from
    // its line. The record rule itself is tested on the best-time file (tests/files).
    void rowsFollowTheFinishingOrderAndTheRecordStands()
    {
        QVERIFY(store("temp.tmp", " \"Bo\", Jr \r\nNone\r\nAnn\r\nsprinter.rnx\r\nCy, \"C\"\r\nNone\r\nDi\r\nNone\r\n"));
        forms().Form3.Command3->click();  // "Same Players"
        QCOMPARE(forms().Form1.PictureClip1(2)->Picture(), ui::loadPicture("sprinter.rnx").image);
        countDown();
        for (const auto& [ticks, lane] : {std::pair{153, 3}, {2, 1}, {0, 4}, {100, 2}}) {
            QVERIFY(!forms().Form3.isShown());
            tickClock(ticks), runLane(lane);
        }
        results::Form3& results = forms().Form3;
        QVERIFY(results.isShown() && !forms().Form1.isLoaded() && results.Label9->Visible() && results.Label8->Visible());
        QCOMPARE(visibleRows(), (QStringList{"1", "2", "3", "4", "Cy, \"C\"", " \"Bo\", Jr ", "Di", "Ann",
                                             "15.3", "15.5", "15.5", "25.5"}));
        for (ui::Array<ui::Label>* column : {&results.Label6, &results.Label1, &results.Label7})
            QCOMPARE((*column)(4)->Top(), 4560.f);  // rows 300 twips apart
        QCOMPARE(platform->messages, QStringList{"The race is over"});
        QCOMPARE(results.Label5->Caption(), "Best time so far is Cy, \"C\" with a time of 15.3");
    }

    // "New Players" brings the entries back; "Exit" and the close button leave the closing screen alone
    void newPlayersThenExit()
    {
        for (bool byCloseButton : {false, true}) {
            init();
            enter(2, "Bo"), forms().Form2.Command1->click(), runRace(10);  // "Play"
            forms().Form3.Command1->click();  // "New Players"
            QVERIFY(forms().Form2.isShown() && forms().Form2.Check2->Value() == 1 && forms().Form2.Text2->Text() == "Bo");
            forms().Form2.Command1->click(), runRace(10);
            QCOMPARE(visibleRows(), (QStringList{"1", "Bo", "1"}));
            byCloseButton ? forms().Form3.closeButton() : forms().Form3.Command2->click();
            QVERIFY(forms().Form4.isShown() && forms().Form4.Timer1->Enabled() && !forms().Form1.isLoaded()
                    && !forms().Form2.isLoaded() && !forms().Form3.isLoaded());
        }
    }

    // Player 3, alone in a file cut short, runs with the default strip under the name a name box
    // would hold (eleven characters in twenty UTF-16 units: all but the last runner); with nobody
    // left the entry screen comes back as it was.
    void samePlayers_data()
    {
        QTest::addColumn<QByteArray>("file");  // null: none
        const QByteArray none = "\r\n\r\n";
        QTest::newRow("player 3 alone, short file") << none + none + kLongName.toUtf8() + "\r\nNone\r\n";
        QTest::newRow("no file") << QByteArray();
        QTest::newRow("every name empty") << "\r\nNone\r\n" + none + none + "\r\nNone\r\n";
    }
    void samePlayers()
    {
        QFETCH(QByteArray, file);
        const bool cyRuns = file.contains("Cy");
        forms().Form2.Text4->setText("Di");  // an entry the screen keeps
        QVERIFY(file.isNull() || store("temp.tmp", file));
        forms().Form3.Command3->click();  // "Same Players"
        race::Form1& screen = forms().Form1;
        QVERIFY(!forms().Form3.isLoaded() && forms().Form2.isShown() != cyRuns && screen.isLoaded() == cyRuns
                && forms().Form2.Text4->Text() == "Di");
        QCOMPARE(platform->messages + platform->titles, (cyRuns ? QStringList() : QStringList{
            "Sorry, I'm afraid you have to have at least one person playing.", "Tapdash Message"}));
        if (!cyRuns) return;
        QVERIFY(screen.isShown() && screen.Timer1->Enabled() && screen.Label15->Caption() == "5"
                && screen.Label13->Caption() == "1" && screen.Label8->Caption() == kLongName.chopped(2));  // lane 3's name
        QCOMPARE(lanesSetUp(), QList<int>{3});
        QVERIFY(screen.PictureClip1(3)->Picture() == screen.Picture2->Picture()
                && screen.Picture1(3)->Picture() == screen.PictureClip1(3)->GraphicCell(0));
    }
};

TAPDASH_TEST_MAIN(RaceAndResultsTest)
#include "race_and_results_test.moc"
