// Bad files met in play, through the screens that meet them: a record with no room to save it,
// runner files that cannot be used and a working directory where no new file can be made. Each
// way a file can be damaged is tested on the file logic alone in tests/files; pictures alone in
// tests/ui.
#include <QBuffer>
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

const QString kRaceOver = "The race is over";

QString recordPath() { return race::bestTimeFilePath("C:\\Windows\\tapdash.ini"); }

int resultRows() { return forms().Form3.Label1.count() - 1; }

}  // namespace

class BadFilesTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;

private slots:
    void init()
    {
        platform = &stage.reset();
        QFile::remove("x.rnx");
        QDir().rmdir("x.rnx");
    }

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
        QCOMPARE(platform->messages.size(), 2);
        QCOMPARE(platform->messages[0], kRaceOver);
        QVERIFY2(platform->messages[1].startsWith("The best time could not be saved.")
                     && platform->messages[1].contains('"' + recordPath() + '"'),
                 qPrintable(platform->messages.join('\n')));
        QCOMPARE(QFileInfo(recordPath()).dir().entryList(QDir::Files | QDir::Hidden), QStringList{"tapdash.ini"});
        QCOMPARE(fileBytes(recordPath()), "Bo\r\n30.5\r\n");
    }

    // Cy's runner file cannot be used, from "Play" or from "Same Players": Cy runs the default
    // strip then, as tests/entry and tests/results show.
    void runnerFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");  // null: a folder
        QTest::addColumn<bool>("withoutReadPermission");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("bySamePlayers");
        QImage figures(96, 43, QImage::Format_RGB32);
        figures.fill(Qt::darkCyan);
        QByteArray strip;
        QBuffer buffer(&strip);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && figures.save(&buffer, "BMP"));
        QTest::newRow("empty") << QByteArray("") << false << "image format" << false;
        QTest::newRow("bitmap cut in half") << strip.left(strip.size() / 2) << false << "cut short" << true;
        QTest::newRow("a folder named x.rnx") << QByteArray() << false << "not a file" << false;
        QTest::newRow("no read permission") << strip << true << "Permission denied" << true;
        QByteArray thin;
        QBuffer thinBuffer(&thin);
        QVERIFY(thinBuffer.open(QIODevice::WriteOnly) && figures.copy(0, 0, 1, 43).save(&thinBuffer, "PNG"));
        QTest::newRow("one pixel wide") << thin << false << "too narrow" << true;
    }
    void runnerFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, withoutReadPermission);
        QFETCH(QString, reason);
        QFETCH(bool, bySamePlayers);
        const QString path = QDir::current().absoluteFilePath("x.rnx");
        QVERIFY(bytes.isNull() ? QDir().mkdir(path) : store(path, bytes));
        const auto hold = holdPermissions();
        if (withoutReadPermission) {
            QVERIFY(ui::loadPicture(path).ok());  // the picture itself is sound
            QVERIFY(QFile::setPermissions(path, {}));
            if (QFile(path).open(QIODevice::ReadOnly)) QSKIP("this process reads files whatever their permissions say");
        }
        if (bySamePlayers) {
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
        QCOMPARE(platform->messages.size(), 1);
        QVERIFY2(platform->messages[0].startsWith("Player 3 (Cy)") && platform->messages[0].contains('"' + path + '"')
                     && platform->messages[0].contains(reason),
                 qPrintable(platform->messages[0]));
        runRace(50);
        QVERIFY(forms().Form3.isShown() && resultRows() == 2);
        QCOMPARE(platform->messages.last(), kRaceOver);
    }

    // "Play" in a working directory without write permission: a player list that may be written
    // is rewritten in place and the race starts. A link there is not followed: the earlier list
    // stays whole, no race starts and the entry screen keeps every entry.
    void unwritableWorkingDirectory_data()
    {
        QTest::addColumn<QString>("list");
        QTest::newRow("writable player list") << "file";
        QTest::newRow("player list a link to a writable file") << "link";
    }
    void unwritableWorkingDirectory()
    {
        QFETCH(QString, list);
        const QByteArray earlier = "Ann\r\nNone\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
        // Outside the scratch folder, which a folder left locked would keep from being made anew
        const QTemporaryDir outside;
        QVERIFY(outside.isValid() && store(outside.filePath("earlier"), earlier));
        const QString listPath = outside.filePath("temp.tmp");
        QVERIFY(list == "link" ? QFile::link("earlier", listPath) : QFile::copy(outside.filePath("earlier"), listPath));
        entry::Form2& entryScreen = forms().Form2;
        entryScreen.show();
        enter(4, "Di");
        entryScreen.Label11(4)->setCaption("None");

        const auto unlock = qScopeGuard([&outside, home = QDir::currentPath()] {
            QFile::setPermissions(outside.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QDir::setCurrent(home);
        });
        QVERIFY(QDir::setCurrent(outside.path()) && QFile::setPermissions(".", QFile::ReadOwner | QFile::ExeOwner));
        const auto hold = holdPermissions();
        if (QFile("probe").open(QIODevice::WriteOnly)) QSKIP("this process writes files whatever the folder's permissions say");
        entryScreen.Command1->click();  // "Play"

        if (list == "file") {
            QVERIFY(platform->messages.isEmpty() && forms().Form1.isShown());
            QCOMPARE(fileBytes("temp.tmp"), "\r\n\r\n\r\n\r\n\r\n\r\nDi\r\nNone\r\n");
            return;
        }
        QCOMPARE(platform->messages.size(), 1);
        const QString message = platform->messages[0];
        QVERIFY2(message.startsWith("The player list could not be saved")
                     && message.contains('"' + QDir::current().absoluteFilePath("temp.tmp") + '"'),
                 qPrintable(message));
        QVERIFY(!forms().Form1.isLoaded() && entryScreen.isShown());
        QVERIFY(entryScreen.Check4->Value() == 1 && entryScreen.Text4->Text() == "Di" && entryScreen.Label11(4)->Caption() == "None");
        QVERIFY(entryScreen.Check1->Value() == 0 && entryScreen.Text1->Text() == "Disabled");
        QCOMPARE(fileBytes("temp.tmp"), earlier);
        QCOMPARE(fileBytes("earlier"), earlier);
    }
};

TAPDASH_TEST_MAIN(BadFilesTest)
#include "bad_files_test.moc"
