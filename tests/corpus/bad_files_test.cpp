// Bad files met in play, through the screens that meet them: a record with no room to save it,
// runner files that cannot be used and a working directory where no new file can be made. Each
// way a file can be damaged is tested on the file logic alone in tests/files; pictures alone in
// tests/ui.
#include <QImage>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

#include "test_main.h"
#include "file_bytes.h"
#include "fresh_screens.h"
#include "hold_permissions.h"
#include "play.h"
#include "ui/picture.h"

namespace {

QString recordPath() { return race::bestTimeFilePath("C:\\Windows\\tapdash.ini"); }
int resultRows() { return forms().Form3.Label1.count() - 1; }

struct RunnerFile {
    QByteArray bytes;  // null: a folder
    bool unreadable = false, bySamePlayers = false;  // without read permission; raced by "Same Players", else "Play"
    QString reason;
};

}  // namespace

Q_DECLARE_METATYPE(RunnerFile)

class BadFilesTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;

private slots:
    void init() { platform = &stage.reset(); }

    // Ann's 20.4 beats the record on file, but the disk has no room for it: the record before
    // stays whole, the half-written copy goes and the failure is reported.
    void noRoomForANewRecord()
    {
        QVERIFY(store(recordPath(), "Bo\r\n30.5\r\n"));
        forms().Form2.show();
        enter(1, "Ann");
        forms().Form2.Command1->click();  // "Play"
        // A full disk as the program meets it: no file may grow, and writes fail rather than signal
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{0, limit.rlim_max};
        const auto signalBefore = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &full);
        runRace(204);
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, signalBefore);

        QVERIFY(forms().Form3.isShown() && resultRows() == 1 && forms().Form3.Label9->Visible());
        QCOMPARE(forms().Form3.Label5->Caption(), "Best time so far is Bo with a time of 30.5");
        QCOMPARE(platform->messages,
                 (QStringList{"The race is over", "The best time could not be saved.\n\"" + recordPath() + "\": File too large"}));
        QCOMPARE(QFileInfo(recordPath()).dir().entryList(QDir::Files | QDir::Hidden), QStringList{"tapdash.ini"});
        QCOMPARE(fileBytes(recordPath()), "Bo\r\n30.5\r\n");
    }

    // Cy's runner file cannot be used, from "Play" or from "Same Players": Cy runs the default
    // strip then, as tests/entry and tests/results show.
    void runnerFile_data()
    {
        QTest::addColumn<RunnerFile>("runner");
        QImage figures(96, 43, QImage::Format_RGB32);
        figures.fill(Qt::darkCyan);
        QVERIFY(figures.save("strip.bmp") && figures.copy(0, 0, 1, 43).save("thin.png"));
        const QByteArray strip = fileBytes("strip.bmp");
        QTest::newRow("empty") << RunnerFile{"", false, false, "Unsupported image format"};
        QTest::newRow("bitmap cut in half") << RunnerFile{strip.left(strip.size() / 2), false, true, "the picture file is cut short"};
        QTest::newRow("a folder") << RunnerFile{{}, false, false, "not a file"};
        QTest::newRow("no read permission") << RunnerFile{strip, true, true, "Permission denied"};
        QTest::newRow("one pixel wide") << RunnerFile{fileBytes("thin.png"), false, true, "picture too narrow (1 pixel wide)"};
    }
    void runnerFile()
    {
        QFETCH(RunnerFile, runner);
        const QString path = QDir::current().absoluteFilePath(QTest::currentDataTag() + QString(".rnx"));
        QVERIFY(runner.bytes.isNull() ? QDir().mkdir(path) : store(path, runner.bytes));
        const auto hold = holdPermissions();
        if (runner.unreadable) {
            QVERIFY(ui::loadPicture(path).ok());  // the picture itself is sound
            QVERIFY(QFile::setPermissions(path, {}));
            if (QFile(path).open(QIODevice::ReadOnly)) QSKIP("this process reads files whatever their permissions say");
        }
        if (runner.bySamePlayers) {
            QVERIFY(store("temp.tmp", "Ann\r\nNone\r\n\r\n\r\nCy\r\n" + path.toUtf8() + "\r\n\r\n\r\n"));
            forms().Form3.Command3->click();  // "Same Players"
        } else {
            forms().Form2.show();
            enter(1, "Ann");
            enter(3, "Cy");
            forms().Form2.Label11(3)->setCaption(path);
            forms().Form2.Command1->click();  // "Play"
        }
        QVERIFY(forms().Form1.isShown());
        QCOMPARE(lanesSetUp(), (QList<int>{1, 3}));
        QCOMPARE(platform->messages,
                 QStringList{"Player 3 (Cy) cannot run as \"" + path + "\": " + runner.reason + ".\nThe default runner runs instead."});
        runRace(50);
        QVERIFY(forms().Form3.isShown() && resultRows() == 2 && platform->messages.last() == "The race is over");
    }

    // "Play" in a working directory without write permission. A link there is not followed: the
    // earlier list stays whole, no race starts and the entry screen keeps every entry. A player list
    // that may be written is rewritten in place and the race starts.
    void unwritableWorkingDirectory()
    {
        const QByteArray earlier = "Ann\r\nNone\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
        // Outside the scratch folder, which a folder left locked would keep from being made anew
        const QTemporaryDir outside;
        QVERIFY(outside.isValid() && store(outside.filePath("earlier"), earlier) && QFile::link("earlier", outside.filePath("temp.tmp")));
        entry::Form2& entryScreen = forms().Form2;
        entryScreen.show();
        enter(4, "Di");
        entryScreen.Label11(4)->setCaption("None");

        const auto lock = [&outside](bool locked) {
            return QFile::setPermissions(outside.path(), QFile::ReadOwner | QFile::ExeOwner | (locked ? QFile::Permissions() : QFile::WriteOwner));
        };
        const auto unlock = qScopeGuard([&lock, home = QDir::currentPath()] { lock(false), QDir::setCurrent(home); });
        QVERIFY(QDir::setCurrent(outside.path()) && lock(true));
        const auto hold = holdPermissions();
        if (QFile("probe").open(QIODevice::WriteOnly)) QSKIP("this process writes files whatever the folder's permissions say");
        entryScreen.Command1->click();  // "Play"
        const QString listPath = QDir::current().absoluteFilePath("temp.tmp");
        QCOMPARE(platform->messages,
                 QStringList{"The player list could not be saved to \"" + listPath + "\": it is a symbolic link, which is not followed."});
        QVERIFY(!forms().Form1.isLoaded() && entryScreen.isShown());
        QVERIFY(entryScreen.Check4->Value() == 1 && entryScreen.Text4->Text() == "Di" && entryScreen.Label11(4)->Caption() == "None");
        QVERIFY(entryScreen.Check1->Value() == 0 && entryScreen.Text1->Text() == "Disabled");
        QVERIFY(fileBytes("temp.tmp") == earlier && fileBytes("earlier") == earlier);

        QVERIFY(lock(false) && QFile::remove("temp.tmp") && QFile::copy("earlier", "temp.tmp") && lock(true));
        entryScreen.Command1->click();
        QVERIFY(platform->messages.size() == 1 && forms().Form1.isShown());
        QCOMPARE(fileBytes("temp.tmp"), "\r\n\r\n\r\n\r\n\r\n\r\nDi\r\nNone\r\n");
    }
};

TAPDASH_TEST_MAIN(BadFilesTest)
#include "bad_files_test.moc"
