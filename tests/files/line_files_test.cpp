// The two line files: the best-time file with the record rule it keeps, and the player list.
#include "files/best_time_file.h"
#include "files/line_file.h"
#include "files/player_list_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include "tests/support/file_bytes.h"
#include "tests/support/hold_permissions.h"
#include "tests/support/planted_links.h"
#include "tests/support/stderr_capture.h"

namespace {

const QByteArray kDefault = "Zeblo\r\n99.9\r\n", kBo = "Bo\r\n30.5\r\n";
const QString kWinner = " \"Cy, Jr\" ";  // blanks, quotes and a comma, all kept
const QString kWinnerLine = "Best time so far is " + kWinner + " with a time of 20.4";
const QByteArray kWinnerRecord = (kWinner + "\r\n20.4\r\n").toUtf8();

// The stored record (null: no file nor folder yet), the winner's time, the record's name and time
// afterwards, and whether the stored file is bad: kept as tapdash.ini.bad, the default judging
struct Judged { QByteArray stored; QString time, holder; bool bad = false; };

// A folder made first (unless empty), a file holding `before` (null: a link to one holding kBo), a
// path left with `permissions` alone (unless empty); then what the update said, and the file
struct Trouble { QString folder, file; QByteArray before; QString locked; QFile::Permissions permissions; QStringList said; QByteArray after; };

// What one record update told the results screen; `done` once the update let go of it
struct Said {
    QString line;
    int newRecordShown = 0;
    QStringList messages;
    bool done = false;
    QStringList all() const { return QStringList{line, QString("New Record").repeated(newRecordShown)} + messages; }
};

// The results screen of a race won in `winnerTime`, as the record update sees it
struct RecordedBoard : files::RecordBoard {
    QString time;
    std::shared_ptr<Said> said;
    RecordedBoard(const QString& winnerTime, std::shared_ptr<Said> into) : time(winnerTime), said(std::move(into)) {}
    ~RecordedBoard() override { said->done = true; }
    QString winnerName() override { return kWinner; }
    QString winnerTime() override { return time; }
    void showNewRecord() override { ++said->newRecordShown; }
    void setBestTimeLine(const QString& text) override { said->line = text; }
    void messageBox(const QString& text) override { said->messages << text; }
    void noRecordFolder() override { said->messages << "no record folder"; }
};

// The record update at the end of a race won in `winnerTime`
std::shared_ptr<Said> update(const QString& winnerTime, std::chrono::milliseconds lockWait = files::kRecordLockWait)
{
    auto said = std::make_shared<Said>();
    files::updateBestTime(std::make_unique<RecordedBoard>(winnerTime, said), lockWait);
    return said;
}

}  // namespace

Q_DECLARE_METATYPE(Judged)
Q_DECLARE_METATYPE(Trouble)

using files::PlayerList;

class LineFilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir dataHome, listFolder;
    QString recordPath;
    const QString listPath = listFolder.filePath("temp.tmp");

private slots:
    // A relative XDG_DATA_HOME is ignored; with no absolute HOME either the record is not kept.
    void initTestCase()
    {
        QCoreApplication::setApplicationName("tapdash");
        const QTemporaryDir home;
        qputenv("XDG_DATA_HOME", "relative-data-home");
        qputenv("HOME", QFile::encodeName(home.path()));
        QCOMPARE(files::bestTimeFilePath("C:\\Windows\\tapdash.ini"), home.filePath(".local/share/tapdash/tapdash.ini"));
        qputenv("HOME", "relative-home");
        QCOMPARE(files::bestTimeFilePath("C:\\Windows\\tapdash.ini"), QString());
        QCOMPARE(update("20.4")->all(), (QStringList{"", "", "no record folder"}));
        QVERIFY(!QFile::exists("relative-data-home"));

        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
        recordPath = files::bestTimeFilePath("C:\\Windows\\tapdash.ini");
        QCOMPARE(recordPath, dataHome.filePath("tapdash/tapdash.ini"));
    }
    void init()
    {
        QFile::remove(dataHome.filePath("tapdash"));
        QDir(dataHome.filePath("tapdash")).removeRecursively();
        QFile::remove(listPath);
    }

    // The record rule (whole parts only, strictly smaller), against the default record, a stored
    // one, or a bad file kept aside as tapdash.ini.bad
    void theWinnerIsJudgedAgainstTheRecord_data()
    {
        QTest::addColumn<Judged>("judged");
        const QString zeblo = "Zeblo with a time of 99.9", winner = kWinner + " with a time of 20.4";
        QTest::newRow("first run, 104.3") << Judged{{}, "104.3", zeblo};
        QTest::newRow("15.2 does not beat 15.8") << Judged{"Bo, \"B\"\r\n15.8\r\n", "15.2", "Bo, \"B\" with a time of 15.8"};
        QTest::newRow("bad: one line, then 20.4 beats 99.9") << Judged{"Bo\r\n", "20.4", winner, true};
        QTest::newRow("bad: not a number") << Judged{"Bo\r\nfast\r\n", "99.0", zeblo, true};
        QTest::newRow("bad: 10 MB line") << Judged{QByteArray(10 << 20, 'x') + "\r\n15.8\r\n", "99.0", zeblo, true};
        QTest::newRow("bad: binary") << Judged{QByteArray("\0\xff\xfe\x80\r\n1\r\n", 9), "99.0", zeblo, true};
    }
    void theWinnerIsJudgedAgainstTheRecord()
    {
        QFETCH(Judged, judged);
        const auto& [stored, time, holder, bad] = judged;
        // stored through the other spelling of the design path, which must name the same file
        const bool older = !QByteArray(QTest::currentDataTag()).startsWith("bad: one");  // else the first bad file
        QVERIFY(stored.isNull()
                || (store(files::bestTimeFilePath("C:\\windows\\tapdash.ini"), stored) && (!older || store(recordPath + ".bad", "an older bad file"))));
        const bool beaten = holder.startsWith(kWinner);
        QCOMPARE(update(time)->all(), (QStringList{"Best time so far is " + holder, beaten ? "New Record" : ""}));
        QCOMPARE(fileBytes(recordPath), beaten ? (kWinner + "\r\n" + time + "\r\n").toUtf8() : bad || stored.isNull() ? kDefault : stored);
        if (!stored.isNull()) QCOMPARE(fileBytes(recordPath + ".bad"), bad ? stored : "an older bad file");
    }

    // A save that cannot be made is reported and loses nothing, and the results still name this
    // run's record; a record that cannot be read is left as it was, reported and not judged.
    // Permissions hold here even for root.
    void troubleOnDiskIsReportedAndLosesNothing_data()
    {
        QTest::addColumn<Trouble>("trouble");
        const QString folder = dataHome.filePath("tapdash"), bad = recordPath + ".bad";
        const QString notSaved = "The best time could not be saved.\n\"" + recordPath + '"';
        QTest::newRow("data folder is a file")
            << Trouble{{}, folder, "junk", {}, {}, {kWinnerLine, "New Record", notSaved + ": Not a directory"}, "junk"};
        QTest::newRow("bad file cannot be kept")
            << Trouble{bad, recordPath, "junk", {}, {},
                       {kWinnerLine, "New Record", notSaved + " cannot be kept as \"" + bad + "\": Is a directory"}, "junk"};
        QTest::newRow("read-only folder, writable record, longer than the new one")
            << Trouble{folder, recordPath, "Bartholomew the Slow\r\n30.5\r\n", folder, QFile::ReadOwner | QFile::ExeOwner, {kWinnerLine, "New Record"}, kWinnerRecord};
        QTest::newRow("read-only folder, the record a link")
            << Trouble{folder, recordPath, {}, folder, QFile::ReadOwner | QFile::ExeOwner,
                       {kWinnerLine, "New Record", notSaved + ": it is a symbolic link, which is not followed"}, kBo};
        QTest::newRow("record without read permission")
            << Trouble{folder, recordPath, kBo, recordPath, QFile::WriteOwner,
                       {"", "", "The best time could not be read.\n\"" + recordPath + "\": Permission denied"}, kBo};
    }
    void troubleOnDiskIsReportedAndLosesNothing()
    {
        QFETCH(Trouble, trouble);
        const auto& [folder, file, before, locked, permissions, said, after] = trouble;
        const QString linked = dataHome.filePath("linked");
        QVERIFY((folder.isEmpty() || QDir().mkpath(folder))
                && (before.isNull() ? store(linked, kBo) && QFile::link(linked, file) : store(file, before)));
        const auto unlock = [&] { locked.isEmpty() || QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); };
        const auto unlockAtLast = qScopeGuard(unlock);
        QVERIFY(locked.isEmpty() || QFile::setPermissions(locked, permissions));
        const auto hold = holdPermissions();
        if (!locked.isEmpty()
            && (QFileInfo(locked).isDir() ? QFile(locked + "/probe").open(QIODevice::WriteOnly) : QFile(locked).open(QIODevice::ReadOnly)))
            QSKIP("this process reads and writes files whatever their permissions say");

        QCOMPARE(update("20.4")->all(), said);
        unlock();
        QCOMPARE(fileBytes(file), after);
    }

    // A link planted as the record or its bad copy is replaced; what it points at stays as it was.
    // A hard link is never written through, even where the folder allows no new file and a save
    // must rewrite the file in place. The player list is saved by the same rules as the record.
    void aLinkIsReplacedNotFollowed_data()
    {
        QVERIFY(QDir().mkpath(dataHome.filePath("targets")));
        for (const char* file : {"record ", "bad copy "})
            addLinkTargetRows(QDir(dataHome.filePath("targets")), file, QByteArray(file) == "record ");
    }
    void aLinkIsReplacedNotFollowed()
    {
        QFETCH(QString, target);
        const QByteArray tag = QTest::currentDataTag();
        const bool badCopy = tag.startsWith("bad"), hard = tag.contains("hard");
        QVERIFY(!hard || store(target, kBo));  // a record, so that only the new one is to be saved
        const QString before = fileState(target), folder = dataHome.filePath("tapdash");
        QVERIFY(QDir().mkpath(folder) && (!badCopy || store(recordPath, "Bo\r\nfast\r\n")));
        const QString link = badCopy ? recordPath + ".bad" : recordPath;
        QVERIFY(hard ? ::link(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) == 0 : QFile::link(target, link));
        const QFile::Permissions writable = QFileInfo(folder).permissions();
        QVERIFY(!hard || QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const auto unlock = qScopeGuard([&] { QFile::setPermissions(folder, writable); });
        const auto hold = holdPermissions();
        QCOMPARE(update("20.4")->messages.join("").contains("hard link"), hard);
        if (!hard) QCOMPARE(fileBytes(link), badCopy ? "Bo\r\nfast\r\n" : kWinnerRecord);
        QCOMPARE(fileState(target), before);
    }

    // Another game holds the record while it saves a better time: this update waits for it without
    // holding up the event loop, and judges against what it saved. A game that keeps holding it is
    // waited for no longer than the update's wait.
    void anUpdateWaitsForAnotherGame()
    {
        QVERIFY(QDir().mkpath(dataHome.filePath("tapdash")) && store(recordPath, kBo));
        const auto otherGame = [this] {
            const int held = open(QFile::encodeName(recordPath).constData(), O_RDONLY | O_CLOEXEC);
            return flock(held, LOCK_EX) == 0 ? held : -1;
        };
        int held = otherGame();
        const std::shared_ptr<Said> said = update("20.4");
        QVERIFY(held >= 0 && !said->done);
        QCOMPARE(said->all(), (QStringList{"", ""}));  // nothing told while it waits
        QVERIFY(store(recordPath + ".new", "Di\r\n10.1\r\n") && std::rename(qPrintable(recordPath + ".new"), qPrintable(recordPath)) == 0);
        close(held);
        QTRY_VERIFY(said->done);
        QCOMPARE(said->all(), (QStringList{"Best time so far is Di with a time of 10.1", ""}));

        held = otherGame();
        const auto closeHeld = qScopeGuard([held] { close(held); });
        std::shared_ptr<Said> impatient;
        QCOMPARE(stderrLines([&] { impatient = update("5.3", std::chrono::milliseconds(0)); }),
                 QStringList{"tapdash: another game kept the best time locked; saved without waiting longer"});
        QVERIFY(impatient->done);
        QCOMPARE(impatient->all(), (QStringList{"Best time so far is " + kWinner + " with a time of 5.3", "New Record"}));
        QCOMPARE(fileBytes(recordPath), (kWinner + "\r\n5.3\r\n").toUtf8());
    }

    // The entry written exactly, leftovers of killed saves of this file, a minute old, removed on
    // the way. A save that fails is seen through the entry screen (tests/entry), the list read back
    // through "Same Players" (tests/results).
    void writesTheEntryExactly()
    {
        // A killed save's file; one too young, a pipe and the player's own files, all kept
        const QStringList leftovers{".tapdash-save-temp.tmp-Ab12yZ", ".tapdash-save-temp.tmp-Cd34wX", "temp.tmp.saved1",
                                    ".tapdash-save-temp.tmp-pipe01", ".tapdash-save-temp.tmpx-Ef56vW", ".tapdash-save-temp.tmp-Gh78tUv"};
        for (const QString& name : leftovers) {
            const QString path = listFolder.filePath(name);
            QVERIFY(name.contains("pipe") ? mkfifo(QFile::encodeName(path).constData(), 0600) == 0 : store(path, "mine"));
            const timespec times[2]{{0, UTIME_OMIT}, {QDateTime::currentSecsSinceEpoch() - (name == leftovers[1] ? 50 : 90), 0}};
            QVERIFY(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0);
        }
        // The file it replaces keeps its permissions; a save only where nothing has the name keeps it.
        QVERIFY(store(listPath, "old") && QFile::setPermissions(listPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const PlayerList rows{{{" \"Bo\", Jr ", "None"}, {"Disabled", "/x/b.rnx"}, {"Zoë", "/p/c, \"y\".rnx"}, {"disabled", ""}}};
        QVERIFY(!files::writePlayerList(listPath, files::playerListFromEntry(rows)) && !files::writeLineFile(listPath, {"x"}, true));
        struct stat status {};
        QVERIFY(stat(QFile::encodeName(listPath).constData(), &status) == 0 && (status.st_mode & 0777) == 0640);
        QCOMPARE(fileBytes(listPath), " \"Bo\", Jr \r\nNone\r\n\r\n\r\nZoë\r\n/p/c, \"y\".rnx\r\ndisabled\r\n\r\n");
        QCOMPARE(QDir(listFolder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 (QStringList{leftovers[1], leftovers[5], leftovers[3], leftovers[4], "temp.tmp", leftovers[2]}));
    }

    // Line ends and encodings of both files are read here; damaged and unreadable contents with
    // the record above, through the same reader; a missing list through "Same Players" (tests/results).
    void readsWhatIsThereAndNothingElse_data()
    {
        QTest::addColumn<QByteArray>("stored");  // "|": a named pipe, never waited on
        QTest::addColumn<PlayerList>("players");
        QTest::newRow("CR, CRLF and LF mixed, short, no final line end, a name longer than a name box kept whole")
            << QByteArray("Ann Abcdefghi\rNone\r\n\r\n\nCy\n/c.rnx") << PlayerList{{{"Ann Abcdefghi", "None"}, {}, {"Cy", "/c.rnx"}, {}}};
        QTest::newRow("Windows-1252") << QByteArray("Zo\xeb\r\n/r/\x80\x9f.rnx\r\n") << PlayerList{{{"Zoë", "/r/€Ÿ.rnx"}, {}, {}, {}}};
        const QByteArray ann = "Ann\r\nNone\r\n";
        QTest::newRow("64 KiB, the most it may be") << ann + QByteArray(65536 - ann.size(), '\n') << PlayerList{{{"Ann", "None"}, {}, {}, {}}};
        QTest::newRow("a byte more") << ann + QByteArray(65537 - ann.size(), '\n') << PlayerList{};
        QTest::newRow("a pipe") << QByteArray("|") << PlayerList{};
    }
    void readsWhatIsThereAndNothingElse()
    {
        QFETCH(QByteArray, stored);
        QVERIFY(stored == "|" ? mkfifo(QFile::encodeName(listPath).constData(), 0600) == 0 : store(listPath, stored));
        QTEST(files::readPlayerList(listPath), "players");
    }
};

QTEST_GUILESS_MAIN(LineFilesTest)
#include "line_files_test.moc"
