// The race screen on real widgets: its fixed window, a race run on key events through the window
// system, and its close button. Then the results screen after races run by hand: its rows, the
// best-time line, "New Players", and "Same Players" with a player list and without one. Then bad
// files met in play, through the screens that meet them: a record with no room to save it or held
// by another game, and runner files that cannot be used. "Exit" and the results' close button are
// met on the whole road (tests/presentation); the race rules are tested on the engine
// (tests/race), each way a file can be damaged on the file logic alone (tests/files), pictures
// alone in tests/ui.
#include <QImage>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "test_main.h"
#include "file_bytes.h"
#include "fresh_screens.h"
#include "hold_permissions.h"
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

// Bo's record of 30.5 on file, and Ann alone on the way to beat it; the record's path
QString annAgainstBosRecord()
{
    const QString record = files::bestTimeFilePath("C:\\Windows\\tapdash.ini");
    if (!store(record, "Bo\r\n30.5\r\n")) qFatal("cannot store the record");
    forms().Form2.show();
    enter(1, "Ann");
    forms().Form2.Command1->click();  // "Play"
    return record;
}

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

    // Ann's 20.4 beats the record on file, but the disk has no room for it: the record before
    // stays whole, the half-written copy goes and the results screen says why.
    void noRoomForANewRecord()
    {
        const QString record = annAgainstBosRecord();
        // A full disk as the program meets it: no file may grow, and writes fail rather than signal
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit full{0, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &full);
        runRace(stage.clock(), 204);
        setrlimit(RLIMIT_FSIZE, &limit);

        const QString notSaved = "The best time could not be saved.\n\"" + record + "\": File too large";
        QCOMPARE(platform->messages, (QStringList{"The race is over", notSaved}));
        QCOMPARE(QFileInfo(record).dir().entryList(QDir::Files | QDir::Hidden), QStringList{"tapdash.ini"});
        QCOMPARE(fileBytes(record), "Bo\r\n30.5\r\n");
        // The screen still tells this run's record, as it would have been kept
        results::Form3& screen = forms().Form3;
        QVERIFY(screen.Label8->Visible() && screen.Label9->Visible());
        QCOMPARE(screen.Label5->Caption(), "Best time so far is Ann with a time of 20.4");

        // With no folder for the record at all, that is said once a run.
        const QByteArray home = qgetenv("HOME"), dataHome = qgetenv("XDG_DATA_HOME");
        qputenv("HOME", "relative"), qunsetenv("XDG_DATA_HOME");
        for (int race = 0; race < 2; ++race) screen.Command3->click(), runRace(stage.clock(), 204);  // "Same Players"
        qputenv("HOME", home), qputenv("XDG_DATA_HOME", dataHome);
        QCOMPARE(platform->messages.mid(2), (QStringList{"The race is over", "The best time cannot be kept: neither "
                                                         "XDG_DATA_HOME nor HOME names a folder for it.", "The race is over"}));
    }

    // Another game holds the record as Ann's race ends: the results screen keeps its event loop
    // (a timer on it keeps ticking) while the update waits, and may even go; Ann's record is saved
    // once the other game lets go.
    void aRecordHeldByAnotherGameHoldsUpNothing()
    {
        const QString record = annAgainstBosRecord();
        const int otherGame = open(QFile::encodeName(record).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(flock(otherGame, LOCK_EX) == 0);
        runRace(stage.clock(), 204);

        results::Form3& screen = forms().Form3;
        auto* onTheScreen = new QTimer(screen.window());  // goes with the screen's window
        int ticks = 0;
        connect(onTheScreen, &QTimer::timeout, [&ticks] { ++ticks; });
        onTheScreen->start(0);  // on every turn of the event loop
        QTRY_VERIFY(ticks > 5);
        QVERIFY(screen.isShown() && screen.Label5->Caption().isEmpty() && fileBytes(record) == "Bo\r\n30.5\r\n");
        screen.Command1->click();  // "New Players"
        close(otherGame);
        QTRY_COMPARE(fileBytes(record), "Ann\r\n20.4\r\n");
        QVERIFY(!screen.isLoaded());  // not loaded again to be told
        QCOMPARE(platform->messages, QStringList{"The race is over"});
    }

    // Cy's runner file cannot be used: Cy is told why and runs the default strip. "Play" and "Same
    // Players" both give runners this way (tests/entry, and above).
    void runnerFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");  // null: a folder
        QTest::addColumn<QString>("reason");
        const QByteArray strip = fileBytes("sprinter.rnx");  // a bitmap
        QVERIFY(QImage("sprinter.rnx").copy(0, 0, 1, 43).save("thin.png"));
        QTest::newRow("empty") << QByteArray("") << "Unsupported image format";
        QTest::newRow("bitmap cut in half") << strip.left(strip.size() / 2) << "the picture file is cut short";
        QTest::newRow("a folder") << QByteArray() << "not a file";
        QTest::newRow("no read permission") << strip << "Permission denied";
        QTest::newRow("one pixel wide") << fileBytes("thin.png") << "picture too narrow (1 pixel wide)";
        QTest::newRow("a named pipe") << QByteArray("|") << "not a file";
    }
    void runnerFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString path = workPath(QTest::currentDataTag() + QString(".rnx"));
        QVERIFY(bytes.isNull() ? QDir().mkdir(path)
                : bytes == "|"  ? mkfifo(QFile::encodeName(path).constData(), 0600) == 0
                                : store(path, bytes));
        const auto hold = holdPermissions();
        if (reason == "Permission denied") {
            QVERIFY(forms().stage.pictures.load(path).ok());  // the picture itself is sound
            QVERIFY(QFile::setPermissions(path, {}));
            if (QFile(path).open(QIODevice::ReadOnly)) QSKIP("this process reads files whatever their permissions say");
        }
        race::Form1& race = forms().Form1;
        race.giveRunnerStrip(3, path, "Cy");
        QCOMPARE(platform->messages, QStringList{"Player 3 (Cy) cannot run as \"" + path + "\": " + reason
                                                 + ".\nThe default runner runs instead."});
        QCOMPARE(race.PictureClip1(3)->Picture(), race.Picture2->Picture());
    }

    // A runner far larger than its box: each frame is decoded only as far as the box shows it.
    void aHugeRunnerIsDecodedNoLargerThanItsBox()
    {
        QImage strip(1000, 300, QImage::Format_RGBA64);
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 0; x < strip.width(); ++x) strip.setPixelColor(x, y, QColor::fromRgba64(x * 65, y * 218, 9999));
        QVERIFY(strip.save("huge.rnx", "PNG"));
        race::Form1& race = forms().Form1;
        race.giveRunnerStrip(2, workPath("huge.rnx"), "Di");
        QCOMPARE(platform->messages, QStringList());
        for (int frame : {0, 1})  // the box's 48 by 43 pixels of the frame, no more
            QCOMPARE(race.PictureClip1(2)->GraphicCell(frame).convertToFormat(QImage::Format_RGB32),
                     strip.copy(500 * frame, 0, 48, 43).convertToFormat(QImage::Format_RGB32));
    }
};

TAPDASH_TEST_MAIN(RaceAndResultsTest)
#include "race_and_results_test.moc"
