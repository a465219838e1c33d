// The two line files: the best-time file with the record rule it keeps, and the player list.
#include "files/best_time_file.h"
#include "files/player_list_file.h"

#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

#include <sys/stat.h>

#include "tests/support/file_bytes.h"
#include "tests/support/hold_permissions.h"
#include "tests/support/planted_links.h"

namespace {

const QByteArray kDefault = "Zeblo\r\n99.9\r\n", kBo = "Bo\r\n30.5\r\n";
const QString kWinner = " \"Cy, Jr\" ";  // blanks, quotes and a comma, all kept
const QString kZebloLine = "Best time so far is Zeblo with a time of 99.9";
const QString kWinnerLine = "Best time so far is " + kWinner + " with a time of 20.4";
const QByteArray kWinnerRecord = (kWinner + "\r\n20.4\r\n").toUtf8();

// The stored record (null: no file nor folder yet), the winner's time, the record's name and time
// afterwards, and whether the stored file is bad: kept as tapdash.ini.bad, the default judging
struct Judged { QByteArray stored; QString time, holder; bool bad = false; };

// A folder made first (unless empty), a file holding `before` (null: a link to one holding kBo), a
// path left with `permissions` alone (unless empty); then what the update said, and the file
struct Trouble { QString folder, file; QByteArray before; QString locked; QFile::Permissions permissions; QStringList said; QByteArray after; };

// The results screen of a race won in `winnerTime`, after the record update
struct RecordedBoard : files::RecordBoard {
    QString time, line;
    int newRecordShown = 0;
    QStringList messages;
    explicit RecordedBoard(const QString& winnerTime) : time(winnerTime) { files::updateBestTime(*this); }
    QString winnerName() override { return kWinner; }
    QString winnerTime() override { return time; }
    void showNewRecord() override { ++newRecordShown; }
    void setBestTimeLine(const QString& text) override { line = text; }
    void messageBox(const QString& text) override { messages << text; }
    QStringList said() const { return QStringList{line, QString("New Record").repeated(newRecordShown)} + messages; }
};

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
    // A relative XDG_DATA_HOME is ignored; with no HOME either the record is not kept, said once.
    void initTestCase()
    {
        QCoreApplication::setApplicationName("tapdash");
        const QTemporaryDir home;
        qputenv("XDG_DATA_HOME", "relative-data-home");
        qputenv("HOME", QFile::encodeName(home.path()));
        QCOMPARE(files::bestTimeFilePath("C:\\Windows\\tapdash.ini"), home.filePath(".local/share/tapdash/tapdash.ini"));
        qunsetenv("HOME");
        QCOMPARE(files::bestTimeFilePath("C:\\Windows\\tapdash.ini"), QString());
        QCOMPARE(RecordedBoard("20.4").said(),
                 (QStringList{"", "", "The best time cannot be kept: neither XDG_DATA_HOME nor HOME names a folder for it."}));
        QCOMPARE(RecordedBoard("20.4").said(), (QStringList{"", ""}));
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
        QVERIFY(stored.isNull()
                || (store(files::bestTimeFilePath("C:\\windows\\tapdash.ini"), stored) && store(recordPath + ".bad", "an older bad file")));
        const bool beaten = holder.startsWith(kWinner);
        QCOMPARE(RecordedBoard(time).said(), (QStringList{"Best time so far is " + holder, beaten ? "New Record" : ""}));
        QCOMPARE(fileBytes(recordPath), beaten ? (kWinner + "\r\n" + time + "\r\n").toUtf8() : bad || stored.isNull() ? kDefault : stored);
        if (!stored.isNull()) QCOMPARE(fileBytes(recordPath + ".bad"), bad ? stored : "an older bad file");
    }

    // A save that cannot be made is reported and loses nothing; a record that cannot be read is
    // left as it was, reported and not judged. Permissions hold here even for root.
    void troubleOnDiskIsReportedAndLosesNothing_data()
    {
        QTest::addColumn<Trouble>("trouble");
        const QString folder = dataHome.filePath("tapdash"), bad = recordPath + ".bad";
        const QString notSaved = "The best time could not be saved.\n\"" + recordPath + '"';
        QTest::newRow("data folder is a file")
            << Trouble{{}, folder, "junk", {}, {}, {kZebloLine, "New Record", notSaved + ": Not a directory"}, "junk"};
        QTest::newRow("bad file cannot be kept")
            << Trouble{bad, recordPath, "junk", {}, {},
                       {kZebloLine, "New Record", notSaved + " cannot be kept as \"" + bad + "\": Is a directory"}, "junk"};
        QTest::newRow("read-only folder, writable record")
            << Trouble{folder, recordPath, kBo, folder, QFile::ReadOwner | QFile::ExeOwner, {kWinnerLine, "New Record"}, kWinnerRecord};
        QTest::newRow("read-only folder, the record a link")
            << Trouble{folder, recordPath, {}, folder, QFile::ReadOwner | QFile::ExeOwner,
                       {kZebloLine, "New Record", notSaved + ": it is a symbolic link, which is not followed"}, kBo};
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

        QCOMPARE(RecordedBoard("20.4").said(), said);
        unlock();
        QCOMPARE(fileBytes(file), after);
    }

    // A link planted as the record or its bad copy is replaced; what it points at stays as it was.
    // The player list is saved by the same writer as the record.
    void aLinkIsReplacedNotFollowed_data()
    {
        QVERIFY(QDir().mkpath(dataHome.filePath("targets")));
        for (const char* file : {"record ", "bad copy "}) addLinkTargetRows(QDir(dataHome.filePath("targets")), file);
    }
    void aLinkIsReplacedNotFollowed()
    {
        QFETCH(QString, target);
        const QString before = fileState(target);
        const bool badCopy = QByteArray(QTest::currentDataTag()).startsWith("bad");
        QVERIFY(QDir().mkpath(dataHome.filePath("tapdash")) && (!badCopy || store(recordPath, "Bo\r\nfast\r\n")));
        const QString link = badCopy ? recordPath + ".bad" : recordPath;
        QVERIFY(QFile::link(target, link));
        QCOMPARE(RecordedBoard("20.4").messages, QStringList());
        QCOMPARE(fileBytes(link), badCopy ? "Bo\r\nfast\r\n" : kWinnerRecord);
        QCOMPARE(fileState(target), before);
    }

    // Another game holds the record while it saves a better time: this update waits for it and
    // judges against what it saved.
    void anUpdateWaitsForAnotherGame()
    {
        QVERIFY(QDir().mkpath(dataHome.filePath("tapdash")) && store(recordPath, kBo));
        QLockFile otherGame(recordPath + ".lock");
        QVERIFY(otherGame.tryLock(0));
        std::optional<RecordedBoard> board;
        std::thread game([&board] { board.emplace("20.4"); });
        QThread::msleep(300);  // a slow disk, which only makes an unlocked update go wrong sooner
        QVERIFY(store(recordPath, "Di\r\n10.1\r\n"));
        otherGame.unlock();
        game.join();
        QCOMPARE(board->said(), (QStringList{"Best time so far is Di with a time of 10.1", ""}));  // read from the file
    }

    // The entry written exactly, leftovers of killed saves of this file, a minute old, removed on
    // the way. A save that fails is seen through the entry screen (tests/entry), the list read back
    // through "Same Players" (tests/results).
    void writesTheEntryExactly()
    {
        const QStringList leftovers{"temp.tmp.Ab12yZ", "temp.tmp.Cd34wX", "temp.tmpx.Ef56vW"};  // the second too young
        for (const QString& name : leftovers) {
            QFile file(listFolder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (name != leftovers[1]) QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-90), QFileDevice::FileModificationTime));
        }
        const PlayerList rows{
            {{" \"Bo\", Jr ", "None"}, {"Disabled", "/x/b.rnx"}, {"Zoë", "/p/c, \"y\".rnx"}, {"disabled", ""}}};
        QVERIFY(!files::writePlayerList(listPath, files::playerListFromEntry(rows)));
        QCOMPARE(fileBytes(listPath), " \"Bo\", Jr \r\nNone\r\n\r\n\r\nZoë\r\n/p/c, \"y\".rnx\r\ndisabled\r\n\r\n");
        QCOMPARE(QDir(listFolder.path()).entryList({"temp.tmp*"}), (QStringList{"temp.tmp", leftovers[1], leftovers[2]}));
    }

    // Line ends and encodings of both files are read here; damaged and unreadable contents with
    // the record above, through the same reader; a missing list through "Same Players" (tests/results).
    void readsWhatIsThereAndNothingElse_data()
    {
        QTest::addColumn<QByteArray>("stored");  // "|": a named pipe, never waited on
        QTest::addColumn<PlayerList>("players");
        QTest::newRow("CR, CRLF and LF mixed, short, no final line end, a name longer than a name box kept whole")
            << QByteArray("Ann Abcdefghi\rNone\r\n\r\n\nCy\n/c.rnx") << PlayerList{{{"Ann Abcdefghi", "None"}, {}, {"Cy", "/c.rnx"}, {}}};
        QTest::newRow("Windows-1252") << QByteArray("Zo\xeb\r\n/r/\x80.rnx\r\n") << PlayerList{{{"Zoë", "/r/€.rnx"}, {}, {}, {}}};
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
