// Bad files met in play, through the screens that meet them: a record with no room to save it and
// runner files that cannot be used. Each way a file can be damaged is tested on the file logic
// alone in tests/files; pictures alone in tests/ui.
#include <QImage>

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
#include "planted_links.h"
#include "play.h"
#include "ui/picture.h"
#include "ui/settings.h"

class BadFilesTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;

private slots:
    void init() { platform = &stage.reset(); }

    // Ann's 20.4 beats the record on file, but the disk has no room for it: the record before
    // stays whole, the half-written copy goes and the results screen says why.
    void noRoomForANewRecord()
    {
        const QString record = files::bestTimeFilePath("C:\\Windows\\tapdash.ini");
        QVERIFY(store(record, "Bo\r\n30.5\r\n"));
        forms().Form2.show();
        enter(1, "Ann");
        forms().Form2.Command1->click();  // "Play"
        // A full disk as the program meets it: no file may grow, and writes fail rather than signal
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{0, limit.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
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
        const QString record = files::bestTimeFilePath("C:\\Windows\\tapdash.ini");
        QVERIFY(store(record, "Bo\r\n30.5\r\n"));
        const int otherGame = open(QFile::encodeName(record).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(flock(otherGame, LOCK_EX) == 0);
        forms().Form2.show();
        enter(1, "Ann");
        forms().Form2.Command1->click();  // "Play"
        runRace(stage.clock(), 204);

        results::Form3& screen = forms().Form3;
        auto* onTheScreen = new QTimer(screen.window());  // goes with the screen's window
        int ticks = 0;
        connect(onTheScreen, &QTimer::timeout, [&ticks] { ++ticks; });
        onTheScreen->start(1);
        QTRY_VERIFY(ticks > 5);
        QVERIFY(screen.isShown() && screen.Label5->Caption().isEmpty() && fileBytes(record) == "Bo\r\n30.5\r\n");
        screen.Command1->click();  // "New Players"
        close(otherGame);
        QTRY_COMPARE(fileBytes(record), "Ann\r\n20.4\r\n");
        QVERIFY(!screen.isLoaded());  // not loaded again to be told
        QCOMPARE(platform->messages, QStringList{"The race is over"});
    }

    // Cy's runner file cannot be used: Cy is told why and runs the default strip. "Play" and "Same
    // Players" both give runners this way (tests/entry, tests/results).
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
        for (int frame : {0, 1}) {
            const QImage cell = race.PictureClip1(2)->GraphicCell(frame);
            QCOMPARE(cell.size(), QSize(48, 43));
            QCOMPARE(cell.convertToFormat(QImage::Format_RGB32), strip.copy(500 * frame, 0, 48, 43).convertToFormat(QImage::Format_RGB32));
        }
    }

    // The settings file is kept by the same rules as the game's other files: whatever has its name,
    // F11's choice is stored in a file of its own, nothing the name leads to is touched, and nothing
    // waits. A relative XDG_CONFIG_HOME is ignored.
    void theSettingsFileIsNoWayIn_data()
    {
        const QDir config(qEnvironmentVariable("XDG_CONFIG_HOME") + '/' + QCoreApplication::applicationName());
        QVERIFY(config.mkpath("."));
        addLinkTargetRows(config);
        QTest::newRow("a named pipe") << "fifo";
        QTest::newRow("a folder as its lock") << "lock folder";
        QTest::newRow("a named pipe as its lock") << "lock fifo";
        QTest::newRow("100 MB") << "large";
        QTest::newRow("a relative XDG_CONFIG_HOME") << "relative";
    }
    void theSettingsFileIsNoWayIn()
    {
        QFETCH(QString, target);
        const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME"), app = QCoreApplication::applicationName();
        const QString path = configHome + '/' + app + '/' + app + ".conf";
        QFile::remove(path);
        const auto pipe = [](const QString& name) { return mkfifo(QFile::encodeName(name).constData(), 0600) == 0; };
        QFile large(path);
        const bool planted = target == "fifo"          ? pipe(path)
                             : target == "lock folder" ? QDir().mkpath(path + ".lock")
                             : target == "lock fifo"   ? pipe(path + ".lock")
                             : target == "large"       ? large.open(QIODevice::WriteOnly) && large.write("fullScreen=true\n") > 0
                                                             && large.resize(100 << 20)
                             : target == "relative"    ? qputenv("XDG_CONFIG_HOME", "relative") : QFile::link(target, path);
        QVERIFY(planted);
        const auto restore = qScopeGuard([&] {
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome));
            QFile::remove(path + ".lock");
            QDir().rmdir(path + ".lock");
        });
        const QString before = fileState(target);
        QVERIFY(!ui::settings::fullScreen());  // nothing of a file too large to be settings is read
        ui::settings::setFullScreen(true);
        QVERIFY(ui::settings::fullScreen());
        const QString stored = target == "relative" ? qEnvironmentVariable("HOME") + "/.config/" + app + '/' + app + ".conf" : path;
        QCOMPARE(fileBytes(stored), "[General]\nfullScreen=true\n");
        QVERIFY(!QFileInfo(stored).isSymLink() && !QFileInfo::exists("relative"));
        QCOMPARE(fileState(target), before);
        ui::settings::setFullScreen(false);
        QVERIFY(!ui::settings::fullScreen());
    }
};

TAPDASH_TEST_MAIN(BadFilesTest)
#include "bad_files_test.moc"
