// Bad files met in play, each through the screens that meet it: damaged best-time and player-list
// files, runner files that cannot be used and a working directory where nothing can be written.
// The file logic alone is tested in tests/files, the pictures alone in tests/ui.
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <csignal>
#include <optional>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "play.h"
#include <QTest>

#include "fresh_screens.h"
#include "ui/picture.h"

namespace {

const QString kNobody = "Sorry, I'm afraid you have to have at least one person playing.";
const QString kRaceOver = "The race is over";

template <qsizetype N>
QByteArray raw(const char (&bytes)[N])
{
    return QByteArray(bytes, N - 1);
}

QString recordPath() { return race::bestTimeFilePath("C:\\Windows\\tapdash.ini"); }

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool store(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A runner strip of two 48 x 43 frames as a bitmap file
QByteArray stripBitmap()
{
    QImage strip(96, 43, QImage::Format_RGB32);
    strip.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    strip.save(&buffer, "BMP");
    return bytes;
}

// Root gets past file permissions through two capabilities. Without them in the effective set
// of this thread, the one the screens run on, permissions hold for root as for anyone else.
class PermissionsHold {
public:
    PermissionsHold()
    {
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        held_ = syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~PermissionsHold()
    {
        if (held_) syscall(SYS_capset, &header_, saved_);
    }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool held_ = false;
};

bool readable(const QString& path) { return QFile(path).open(QIODevice::ReadOnly); }

// No room for a byte more in any file, as a full disk looks to the program: a file size limit of
// 0, its signal ignored so that writes fail instead
class NoRoom {
public:
    NoRoom()
    {
        getrlimit(RLIMIT_FSIZE, &limit_);
        rlimit none = limit_;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
        signalBefore_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~NoRoom()
    {
        setrlimit(RLIMIT_FSIZE, &limit_);
        std::signal(SIGXFSZ, signalBefore_);
    }

private:
    rlimit limit_{};
    void (*signalBefore_)(int) = SIG_DFL;
};

// The working directory moved into a folder where no file can be written, for want of write
// permission or of room. All undone at the end.
class UnwritableFolder {
public:
    UnwritableFolder(const QString& folder, bool noRoom) : home_(QDir::currentPath()), folder_(folder)
    {
        QDir::setCurrent(folder_);
        if (noRoom) noRoom_.emplace();
        else QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~UnwritableFolder()
    {
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir::setCurrent(home_);
    }

    // Whether writing a file here really fails
    bool holds()
    {
        const QString name = QStringLiteral("probe");
        QFile probe(name);
        const bool written = probe.open(QIODevice::WriteOnly) && probe.write("x") == 1 && probe.flush();
        probe.close();
        QFile::remove(name);
        return !written;
    }

private:
    PermissionsHold hold_;
    std::optional<NoRoom> noRoom_;
    QString home_, folder_;
};

// The result rows the results screen shows
int resultRows() { return forms().Form3.Label1.count() - 1; }

}  // namespace

class BadFilesTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;

    // Lanes that run the default strip of the race screen, showing its first frame
    bool runDefaultStrips(const QList<int>& lanes)
    {
        race::Form1& screen = forms().Form1;
        for (int lane : lanes)
            if (screen.PictureClip1(lane)->Picture() != screen.Picture2->Picture()
                || screen.Picture1(lane)->Picture() != screen.PictureClip1(lane)->GraphicCell(0))
                return false;
        return true;
    }

private slots:
    void init()
    {
        platform = &stage.reset();
        QFile::remove(recordPath() + ".bad");
        QDir().rmdir("temp.tmp");
        QFile::remove("x.rnx");
        QDir().rmdir("x.rnx");
    }

    // A race from "Play" that ends in 20.4, against a best-time file found bad or odd
    void bestTimeFile_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("bad");  // kept aside as tapdash.ini.bad, the default judging
        QTest::newRow("empty") << QByteArray("") << true;
        QTest::newRow("one line") << QByteArray("Bo\r\n") << true;
        QTest::newRow("second line not a number") << QByteArray("Bo\r\nfast\r\n") << true;
        QTest::newRow("10 MB line") << QByteArray(10 << 20, 'x') + "\r\n15.8\r\n" << true;
        QTest::newRow("binary bytes") << raw("\0\xff\xfe\x80\r\n15.8\r\n") << true;
        QTest::newRow("lines ended by CR only") << QByteArray("Bo\r15.8\r") << false;
        QTest::newRow("no final line end") << QByteArray("Bo\r\n15.8") << false;
    }
    void bestTimeFile()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, bad);
        QVERIFY(store(recordPath(), stored));
        forms().Form2.show();
        enter(1, "Ann");
        forms().Form2.Command1->click();  // "Play"
        runRace(204);

        results::Form3& results = forms().Form3;
        QVERIFY(results.isShown() && resultRows() == 1);
        QCOMPARE(platform->messages, QStringList{kRaceOver});
        QVERIFY(results.Label8->Visible() == bad && results.Label9->Visible() == bad);
        QCOMPARE(results.Label5->Caption(), QString("Best time so far is %1").arg(bad ? "Ann with a time of 20.4" : "Bo with a time of 15.8"));
        QCOMPARE(fileBytes(recordPath()), bad ? QByteArray("Ann\r\n20.4\r\n") : stored);
        QCOMPARE(fileBytes(recordPath() + ".bad"), bad ? stored : QByteArray("(unreadable)"));
    }

    // A new record on a full disk: the record before it stays whole and the failure is reported
    void bestTimeFileWithNoRoom()
    {
        const QByteArray stored = "Bo\r\n30.5\r\n";
        QVERIFY(store(recordPath(), stored));
        forms().Form2.show();
        enter(1, "Ann");
        forms().Form2.Command1->click();  // "Play"
        {
            NoRoom full;
            runRace(204);
        }
        QCOMPARE(platform->messages.size(), 2);
        QVERIFY2(platform->messages[1].startsWith("The best time could not be saved.")
                     && platform->messages[1].contains('"' + recordPath() + '"'),
                 qPrintable(platform->messages[1]));
        QCOMPARE(fileBytes(recordPath()), stored);
        QVERIFY(forms().Form3.Label9->Visible());
        QCOMPARE(forms().Form3.Label5->Caption(), "Best time so far is Bo with a time of 30.5");
    }

    // "Same Players" after a race of Bo's, with the player list found damaged
    void playerListFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");  // null: a folder named temp.tmp
        QTest::addColumn<bool>("withoutReadPermission");
        QTest::addColumn<QList<int>>("lanes");  // none: nobody runs and the entry screen comes back
        QTest::addColumn<bool>("unusableRunnerFile");  // of the player in lane 1
        const QList<int> nobody;
        QTest::newRow("empty") << QByteArray("") << false << nobody << false;
        QTest::newRow("one line") << QByteArray("Ann\r\n") << false << QList<int>{1} << true;
        QTest::newRow("runner file line a number") << QByteArray("Ann\r\n15.8\r\n") << false << QList<int>{1} << true;
        QTest::newRow("10 MB line") << QByteArray(10 << 20, 'x') + "\r\nNone\r\n" << false << nobody << false;
        QTest::newRow("binary bytes") << raw("\0\xff\xfe\r\nNone\r\n") << false << nobody << false;
        QTest::newRow("control bytes in a name") << raw("A\0\x01\r\nNone\r\n") << false << QList<int>{1} << false;
        QTest::newRow("lines ended by CR only") << QByteArray("Ann\rNone\r\r\rCy\rNone\r\r\r") << false << QList<int>{1, 3} << false;
        QTest::newRow("no final line end") << QByteArray("Ann\r\nNone\r\n\r\n\r\n\r\n\r\nDi\r\nNone") << false << QList<int>{1, 4} << false;
        QTest::newRow("a folder") << QByteArray() << false << nobody << false;
        QTest::newRow("no read permission") << QByteArray("Ann\r\nNone\r\n") << true << nobody << false;
    }
    void playerListFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, withoutReadPermission);
        QFETCH(QList<int>, lanes);
        QFETCH(bool, unusableRunnerFile);
        entry::Form2& entryScreen = forms().Form2;
        entryScreen.show();
        enter(2, "Bo");
        entryScreen.Command1->click();  // "Play"
        runRace(50);
        QVERIFY(forms().Form3.isShown());
        platform->messages.clear();

        QVERIFY(QFile::remove("temp.tmp"));
        QVERIFY(bytes.isNull() ? QDir().mkdir("temp.tmp") : store("temp.tmp", bytes));
        PermissionsHold hold;
        if (withoutReadPermission) {
            QVERIFY(QFile::setPermissions("temp.tmp", {}));
            if (readable("temp.tmp")) QSKIP("this process reads files whatever their permissions say");
        }
        forms().Form3.Command3->click();  // "Same Players"

        if (lanes.isEmpty()) {
            QCOMPARE(platform->messages, QStringList{kNobody});
            QVERIFY(!forms().Form1.isLoaded() && !forms().Form3.isLoaded() && entryScreen.isShown());
            QVERIFY(entryScreen.Check2->Value() == 1 && entryScreen.Text2->Text() == "Bo");
        } else {
            QVERIFY(forms().Form1.isShown() && !forms().Form3.isLoaded());
            QCOMPARE(lanesSetUp(), lanes);
            QCOMPARE(forms().Form1.Label13->Caption(), QString::number(lanes.size()));
            QVERIFY(runDefaultStrips(lanes));
            QCOMPARE(platform->messages.size(), int(unusableRunnerFile));
            if (unusableRunnerFile) QVERIFY2(platform->messages[0].startsWith("Player 1 (Ann)"), qPrintable(platform->messages[0]));
            runRace(50);
            QVERIFY(forms().Form3.isShown());
            QCOMPARE(resultRows(), lanes.size());
            QCOMPARE(platform->messages.last(), kRaceOver);
        }
        if (!bytes.isNull() && !withoutReadPermission) QCOMPARE(fileBytes("temp.tmp"), bytes);
    }

    // Cy's runner file cannot be used: from "Play", then again from "Same Players"
    void runnerFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");  // null: a folder
        QTest::addColumn<bool>("withoutReadPermission");
        QTest::addColumn<QString>("reason");
        const QByteArray strip = stripBitmap();
        QByteArray forged = strip;
        qToLittleEndian<qint32>(100000, forged.data() + 18);
        qToLittleEndian<qint32>(100000, forged.data() + 22);
        QTest::newRow("empty") << QByteArray("") << false << "image format";
        QTest::newRow("bitmap cut in half") << strip.left(strip.size() / 2) << false << "cut short";
        QTest::newRow("header claiming 100000 x 100000") << forged << false << "100000 x 100000";
        QTest::newRow("a folder named x.rnx") << QByteArray() << false << "not a file";
        QTest::newRow("no read permission") << strip << true << "Permission denied";
    }
    void runnerFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, withoutReadPermission);
        QFETCH(QString, reason);
        const QString path = QDir::current().absoluteFilePath("x.rnx");
        QVERIFY(bytes.isNull() ? QDir().mkdir(path) : store(path, bytes));
        PermissionsHold hold;
        if (withoutReadPermission) {
            QVERIFY(ui::loadPicture(path).ok());  // the picture itself is sound
            QVERIFY(QFile::setPermissions(path, {}));
            if (readable(path)) QSKIP("this process reads files whatever their permissions say");
        }

        entry::Form2& entryScreen = forms().Form2;
        entryScreen.show();
        enter(1, "Ann");
        enter(3, "Cy");
        entryScreen.Label11(3)->setCaption(path);
        entryScreen.Command1->click();  // "Play"
        for (int round = 1; round <= 2; ++round) {
            QVERIFY(forms().Form1.isShown());
            QCOMPARE(lanesSetUp(), (QList<int>{1, 3}));
            QVERIFY(runDefaultStrips({1, 3}));
            QCOMPARE(platform->messages.size(), 2 * round - 1);
            const QString message = platform->messages.last();
            QVERIFY2(message.startsWith("Player 3 (Cy)") && message.contains('"' + path + '"') && message.contains(reason),
                     qPrintable(message));
            runRace(50);
            QVERIFY(forms().Form3.isShown() && resultRows() == 2);
            QCOMPARE(platform->messages.last(), kRaceOver);
            if (round == 1) forms().Form3.Command3->click();  // "Same Players"
        }
    }

    // "Play" where the player list cannot be written: the earlier list stays whole, no race starts
    // and the entry screen keeps every entry
    void unwritableWorkingDirectory_data()
    {
        QTest::addColumn<bool>("noRoom");
        QTest::newRow("no write permission") << false;
        QTest::newRow("no room for a byte more") << true;
    }
    void unwritableWorkingDirectory()
    {
        QFETCH(bool, noRoom);
        const QByteArray earlier = "Ann\r\nNone\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
        // Outside the scratch folder, which a folder left locked would keep from being made anew
        const QTemporaryDir outside;
        const QString listPath = outside.filePath("temp.tmp");
        QVERIFY(outside.isValid() && store(listPath, earlier));
        entry::Form2& entryScreen = forms().Form2;
        entryScreen.show();
        enter(1, "Bo");
        enter(4, "Di");
        entryScreen.Label11(4)->setCaption("/r/di.rnx");

        UnwritableFolder locked(outside.path(), noRoom);
        if (!locked.holds()) QSKIP("this process writes files whatever the folder's permissions say");
        entryScreen.Command1->click();  // "Play"

        QCOMPARE(platform->messages.size(), 1);
        const QString message = platform->messages[0];
        const QString listInPlay = QDir::current().absoluteFilePath("temp.tmp");
        QVERIFY2(message.startsWith("The player list could not be saved") && message.contains('"' + listInPlay + '"'),
                 qPrintable(message));
        QVERIFY(!forms().Form1.isLoaded() && entryScreen.isShown());
        const QStringList names{"Bo", "Disabled", "Disabled", "Di"};
        const QStringList runnerFiles{"None", "None", "None", "/r/di.rnx"};
        for (int player = 1; player <= 4; ++player) {
            QCOMPARE(entryScreen.check(player)->Value(), int(player == 1 || player == 4));
            QCOMPARE(entryScreen.nameBox(player)->Text(), names[player - 1]);
            QCOMPARE(entryScreen.Label11(player)->Caption(), runnerFiles[player - 1]);
        }
        QCOMPARE(fileBytes("temp.tmp"), earlier);
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{"temp.tmp"});
    }
};

QTEST_MAIN(BadFilesTest)
#include "bad_files_test.moc"
