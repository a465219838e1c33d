// Bad files met in play, through the screens that meet them: a record with no room to save it and
// runner files that cannot be used. Each way a file can be damaged is tested on the file logic
// alone in tests/files; pictures alone in tests/ui.
#include <QImage>

#include <csignal>
#include <sys/resource.h>

#include "test_main.h"
#include "file_bytes.h"
#include "fresh_screens.h"
#include "hold_permissions.h"
#include "play.h"
#include "ui/picture.h"

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
    }
    void runnerFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString path = workPath(QTest::currentDataTag() + QString(".rnx"));
        QVERIFY(bytes.isNull() ? QDir().mkdir(path) : store(path, bytes));
        const auto hold = holdPermissions();
        if (reason == "Permission denied") {
            QVERIFY(ui::loadPicture(path).ok());  // the picture itself is sound
            QVERIFY(QFile::setPermissions(path, {}));
            if (QFile(path).open(QIODevice::ReadOnly)) QSKIP("this process reads files whatever their permissions say");
        }
        race::Form1& race = forms().Form1;
        race.giveRunnerStrip(3, path, "Cy");
        QCOMPARE(platform->messages, QStringList{"Player 3 (Cy) cannot run as \"" + path + "\": " + reason
                                                 + ".\nThe default runner runs instead."});
        QCOMPARE(race.PictureClip1(3)->Picture(), race.Picture2->Picture());
    }
};

TAPDASH_TEST_MAIN(BadFilesTest)
#include "bad_files_test.moc"
