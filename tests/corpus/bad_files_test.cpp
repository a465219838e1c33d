// Bad files met in play, one of each kind through the screens that meet it: a damaged best-time
// file and player list, a record with no room to save it, runner files that cannot be used and a
// working directory where no new file can be made. Each way a file can be damaged is tested on the
// file logic alone in tests/files; pictures alone in tests/ui.
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
        QFile::remove(recordPath() + ".bad");
        QFile::remove("x.rnx");
        QDir().rmdir("x.rnx");
    }

    // Ann's 20.4 from "Play" beats the record on file. A damaged file is kept aside and replaced;
    // with no room on the disk the record before stays whole and the failure is reported.
    void newRecord_data()
    {
        QTest::addColumn<bool>("noRoom");
        QTest::newRow("best-time file with a second line not a number") << false;
        QTest::newRow("no room on the disk for the record") << true;
    }
    void newRecord()
    {
        QFETCH(bool, noRoom);
        const QByteArray stored = noRoom ? "Bo\r\n30.5\r\n" : "Bo\r\nfast\r\n";
        QVERIFY(store(recordPath(), stored));
        forms().Form2.show();
        enter(1, "Ann");
        forms().Form2.Command1->click();  // "Play"
        // A full disk as the program meets it: no file may grow, and writes fail rather than signal
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{noRoom ? 0 : limit.rlim_cur, limit.rlim_max};
        const auto signalBefore = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &full);
        runRace(204);
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, signalBefore);

        results::Form3& results = forms().Form3;
        QVERIFY(results.isShown() && resultRows() == 1 && results.Label9->Visible());
        QCOMPARE(results.Label5->Caption(), QString("Best time so far is %1").arg(noRoom ? "Bo with a time of 30.5" : "Ann with a time of 20.4"));
        QCOMPARE(platform->messages.size(), 1 + int(noRoom));
        QCOMPARE(platform->messages[0], kRaceOver);
        if (noRoom) {
            QVERIFY2(platform->messages[1].startsWith("The best time could not be saved.")
                         && platform->messages[1].contains('"' + recordPath() + '"'),
                     qPrintable(platform->messages[1]));
            // and the half-written copy is gone
            QCOMPARE(QFileInfo(recordPath()).dir().entryList(QDir::Files | QDir::Hidden), QStringList{"tapdash.ini"});
        }
        QCOMPARE(fileBytes(recordPath()), noRoom ? stored : QByteArray("Ann\r\n20.4\r\n"));
        QCOMPARE(fileBytes(recordPath() + ".bad"), noRoom ? QByteArray("(unreadable)") : stored);
    }

    // Cy's runner file cannot be used: from "Play", then again from "Same Players", which finds
    // the player list damaged (lines ended by CR alone, the last by nothing) and reads it whole.
    // Cy runs the default strip then, as tests/entry and tests/results show.
    void runnerFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");  // null: a folder
        QTest::addColumn<bool>("withoutReadPermission");
        QTest::addColumn<QString>("reason");
        QImage figures(96, 43, QImage::Format_RGB32);
        figures.fill(Qt::darkCyan);
        QByteArray strip;
        QBuffer buffer(&strip);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && figures.save(&buffer, "BMP"));
        // Width and height made 100000 (0x186a0, little-endian)
        const QByteArray forged = strip.left(18) + QByteArray::fromHex("a0860100a0860100") + strip.mid(26);
        QTest::newRow("empty") << QByteArray("") << false << "image format";
        QTest::newRow("bitmap cut in half") << strip.left(strip.size() / 2) << false << "cut short";
        QTest::newRow("header claiming 100000 x 100000") << forged << false << "100000 x 100000";
        QTest::newRow("a folder named x.rnx") << QByteArray() << false << "not a file";
        QTest::newRow("no read permission") << strip << true << "Permission denied";
        QByteArray thin;
        QBuffer thinBuffer(&thin);
        QVERIFY(thinBuffer.open(QIODevice::WriteOnly) && figures.copy(0, 0, 1, 43).save(&thinBuffer, "PNG"));
        QTest::newRow("one pixel wide") << thin << false << "too narrow";
    }
    void runnerFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, withoutReadPermission);
        QFETCH(QString, reason);
        const QString path = QDir::current().absoluteFilePath("x.rnx");
        QVERIFY(bytes.isNull() ? QDir().mkdir(path) : store(path, bytes));
        const auto hold = holdPermissions();
        if (withoutReadPermission) {
            QVERIFY(ui::loadPicture(path).ok());  // the picture itself is sound
            QVERIFY(QFile::setPermissions(path, {}));
            if (QFile(path).open(QIODevice::ReadOnly)) QSKIP("this process reads files whatever their permissions say");
        }

        entry::Form2& entryScreen = forms().Form2;
        entryScreen.show();
        enter(1, "Ann");
        enter(3, "Cy");
        entryScreen.Label11(3)->setCaption(path);
        entryScreen.Command1->click();  // "Play"
        const QByteArray damagedList = "Ann\rNone\r\r\rCy\r" + path.toUtf8();
        for (int round = 1; round <= 2; ++round) {
            QVERIFY(forms().Form1.isShown());
            QCOMPARE(lanesSetUp(), (QList<int>{1, 3}));
            QCOMPARE(platform->messages.size(), 2 * round - 1);
            const QString message = platform->messages.last();
            QVERIFY2(message.startsWith("Player 3 (Cy)") && message.contains('"' + path + '"') && message.contains(reason),
                     qPrintable(message));
            runRace(50);
            QVERIFY(forms().Form3.isShown() && resultRows() == 2);
            QCOMPARE(platform->messages.last(), kRaceOver);
            if (round == 1) {
                QVERIFY(store("temp.tmp", damagedList));
                forms().Form3.Command3->click();  // "Same Players"
            }
        }
        QCOMPARE(fileBytes("temp.tmp"), damagedList);
    }

    // "Play" in a working directory without write permission: a player list that may be written
    // is rewritten in place and the race starts. Otherwise the earlier list stays whole, no race
    // starts and the entry screen keeps every entry; a link there is not followed either.
    void unwritableWorkingDirectory_data()
    {
        QTest::addColumn<QString>("list");
        QTest::newRow("writable player list") << "file";
        QTest::newRow("read-only player list") << "read-only";
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
        QVERIFY(list != "read-only" || QFile::setPermissions(listPath, QFile::ReadOwner));
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
