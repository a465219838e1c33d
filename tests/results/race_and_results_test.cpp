// The race screen on real widgets: its fixed window, a race run on key events through the window
// system, and its close button. Then the results screen after races run by hand: its rows, the
// best-time line, "New Players", and "Same Players" with a player list and without one. "Exit"
// and the results' close button are met on the whole road (tests/presentation); the race rules are
// tested on the engine (tests/race).
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
        const QWidget* game = window->window();  // the game's one window, with the race in front
        QVERIFY(game->minimumSize() == QSize(634, 455) && game->maximumSize() == QSize(634, 455));
        QVERIFY(!(game->windowFlags() & Qt::WindowMaximizeButtonHint) && !game->windowIcon().isNull());
        // A line keeps its designed pixel of width when the display scales the window up.
        QImage doubled(race.Line5->widget()->size() * 2, QImage::Format_RGB32);
        doubled.setDevicePixelRatio(2);
        doubled.fill(Qt::white);
        race.Line5->widget()->render(&doubled);
        QVERIFY(doubled.pixelColor(0, 100) == Qt::black && doubled.pixelColor(1, 100) == Qt::black);
        const auto press = [&window](int presses, Qt::Key first, Qt::Key second = {}) {
            for (int n = 0; n < presses; ++n) QTest::keyClick(window->window()->windowHandle(), n % 2 ? second : first);
        };
        countDown(stage.clock());
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

    // Back to the entry screen with its entries: from the race by its close button, which abandons
    // it, from the results by "New Players", and by "Same Players" without a player list, as nobody
    // is left to run then. Every race after starts its results afresh.
    void backToTheEntries()
    {
        race::Form1& race = forms().Form1;
        enter(1, "Ann"), enter(2, "Bo"), forms().Form2.Command1->click(), countDown(stage.clock());  // "Play"
        runLane(1);  // a first finisher loads the results
        QVERIFY(forms().Form3.isLoaded() && !forms().Form3.isShown());
        race.closeButton();
        QVERIFY(!race.isLoaded() && !forms().Form3.isLoaded() && forms().Form2.isShown());
        QVERIFY(platform->messages.isEmpty());
        forms().Form2.Command1->click(), runRace(stage.clock(), 10);
        forms().Form3.Command1->click();  // "New Players"
        QVERIFY(forms().Form2.isShown() && !forms().Form3.isLoaded());
        forms().Form2.Command1->click(), runRace(stage.clock(), 10);
        QCOMPARE(visibleRows(), (QStringList{"1", "2", "Ann", "Bo", "1", "1"}));

        QVERIFY(QFile::remove("temp.tmp"));  // read as a list of nameless players (tests/files)
        forms().Form3.Command3->click();  // "Same Players"
        QVERIFY(!forms().Form3.isLoaded() && !race.isLoaded() && forms().Form2.isShown()
                && forms().Form2.Text2->Text() == "Bo");
        QCOMPARE(platform->messages.last(), "Sorry, I'm afraid you have to have at least one person playing.");
        QCOMPARE(platform->titles.last(), "Tapdash Message");
    }

    // "Same Players" sets the race up again from the player list: a name with spaces, commas and
    // quotes whole, one longer than a name box holds cut as the box would (eleven characters in
    // twenty UTF-16 units: all but the last runner), the runner file from its line, and a player
    // without a name left out. The record rule itself is tested on the best-time file (tests/files).
    void samePlayersThenRowsInFinishingOrder()
    {
        QVERIFY(store("temp.tmp", " \"Bo\", Jr \r\nNone\r\nAnn\r\nsprinter.rnx\r\n" + kLongName.toUtf8()
                                      + "\r\nNone\r\n\r\nNone\r\n"));
        forms().Form3.Command3->click();  // "Same Players"
        race::Form1& race = forms().Form1;
        QVERIFY(!forms().Form3.isLoaded() && race.isShown() && race.Timer1->Enabled());
        QCOMPARE(race.Label13->Caption(), "3");
        QCOMPARE(lanesSetUp(), (QList<int>{1, 2, 3}));
        QVERIFY(race.PictureClip1(1)->Picture() == race.Picture2->Picture()
                && race.PictureClip1(2)->Picture() == forms().stage.pictures.load("sprinter.rnx").image);
        countDown(stage.clock());
        for (const auto& [ticks, lane] : {std::pair{153, 3}, {2, 1}, {0, 2}}) {
            QVERIFY(!forms().Form3.isShown());
            tickClock(stage.clock(), ticks), runLane(lane);
        }
        results::Form3& results = forms().Form3;
        QVERIFY(results.isShown() && !race.isLoaded() && results.Label9->Visible() && results.Label8->Visible());
        const QString cut = kLongName.chopped(2);
        QCOMPARE(visibleRows(), (QStringList{"1", "2", "3", cut, " \"Bo\", Jr ", "Ann", "15.3", "15.5", "15.5"}));
        QCOMPARE(results.Label1(3)->Top(), 4260.f);  // rows 300 twips apart
        QCOMPARE(platform->messages, QStringList{"The race is over"});
        QCOMPARE(results.Label5->Caption(), "Best time so far is " + cut + " with a time of 15.3");
    }
};

TAPDASH_TEST_MAIN(RaceAndResultsTest)
#include "race_and_results_test.moc"
