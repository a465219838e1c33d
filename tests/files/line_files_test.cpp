// The two line files: the best-time file with the record rule it keeps, and the player list.
#include "race/files/best_time_file.h"
#include "race/files/player_list_file.h"

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

const QByteArray kDefault = "Zeblo\r\n99.9\r\n";
const QString kWinner = " \"Cy, Jr\" ";  // blanks, quotes and a comma, all kept

// The results screen of a race won in `winnerTime`, after the record update
struct RecordedBoard : race::RecordBoard {
    QString time, line;
    int newRecordShown = 0;
    QStringList messages;
    explicit RecordedBoard(const QString& winnerTime) : time(winnerTime) { race::updateBestTime(*this); }
    QString winnerName() override { return kWinner; }
    QString winnerTime() override { return time; }
    void showNewRecord() override { ++newRecordShown; }
    void setBestTimeLine(const QString& text) override { line = text; }
    void messageBox(const QString& text) override { messages << text; }
};

}  // namespace

using entry::PlayerList;

class LineFilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir dataHome, listFolder;
    QString recordPath;
    const QString listPath = listFolder.filePath("temp.tmp");

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
        QCoreApplication::setApplicationName("tapdash");
        recordPath = race::bestTimeFilePath("C:\\Windows\\tapdash.ini");
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
        QTest::addColumn<QByteArray>("stored");  // null: no file nor folder yet
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("holder");  // of the record afterwards: name and time
        QTest::addColumn<bool>("bad");        // kept as tapdash.ini.bad, the default judging
        const QString zeblo = "Zeblo with a time of 99.9", bo = "Bo, \"B\" with a time of 15.8";
        const QString winner = kWinner + " with a time of 20.4";
        QTest::newRow("first run, 104.3") << QByteArray() << "104.3" << zeblo << false;
        QTest::newRow("20.4 beats 99.9") << kDefault << "20.4" << winner << false;
        QTest::newRow("99.5 does not") << kDefault << "99.5" << zeblo << false;
        QTest::newRow("15.2 does not beat 15.8") << QByteArray("Bo, \"B\"\r\n15.8\r\n") << "15.2" << bo << false;
        QTest::newRow("bad: empty") << QByteArray("") << "20.4" << winner << true;
        QTest::newRow("bad: one line") << QByteArray("Bo\r\n") << "99.0" << zeblo << true;
        QTest::newRow("bad: not a number") << QByteArray("Bo\r\nfast\r\n") << "99.0" << zeblo << true;
        QTest::newRow("bad: 10 MB line") << QByteArray(10 << 20, 'x') + "\r\n15.8\r\n" << "99.0" << zeblo << true;
        QTest::newRow("bad: binary") << QByteArray("\0\xff\xfe\x80\r\n1\r\n", 9) << "99.0" << zeblo << true;
    }
    void theWinnerIsJudgedAgainstTheRecord()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, time);
        QFETCH(QString, holder);
        QFETCH(bool, bad);
        // stored through the other spelling of the design path, which must name the same file
        QVERIFY(stored.isNull() || store(race::bestTimeFilePath("C:\\windows\\tapdash.ini"), stored));
        QVERIFY(stored.isNull() || store(recordPath + ".bad", "an older bad file"));
        const RecordedBoard board(time);
        const bool beaten = holder.startsWith(kWinner);
        QCOMPARE(board.line, "Best time so far is " + holder);
        QCOMPARE(board.newRecordShown, int(beaten));
        const QByteArray kept = bad || stored.isNull() ? kDefault : stored;
        QCOMPARE(fileBytes(recordPath), beaten ? (kWinner + "\r\n" + time + "\r\n").toUtf8() : kept);
        if (!stored.isNull()) QCOMPARE(fileBytes(recordPath + ".bad"), bad ? stored : "an older bad file");
        QVERIFY(board.messages.isEmpty());
    }

    void unwritableFileIsReportedAndNothingIsLost_data()
    {
        QTest::addColumn<QString>("folder");  // made first, unless empty
        QTest::addColumn<QString>("file");    // holds "junk", before and after
        QTest::newRow("data folder is a file") << QString() << dataHome.filePath("tapdash");
        QTest::newRow("bad file cannot be kept") << recordPath + ".bad" << recordPath;
    }
    void unwritableFileIsReportedAndNothingIsLost()
    {
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QVERIFY(folder.isEmpty() || QDir().mkpath(folder));
        QVERIFY(store(file, "junk"));
        const RecordedBoard board("20.4");
        QCOMPARE(board.line, "Best time so far is Zeblo with a time of 99.9");
        QCOMPARE(board.messages.size(), 1);
        QVERIFY2(board.messages[0].contains(recordPath), qPrintable(board.messages[0]));
        QCOMPARE(fileBytes(file), "junk");
    }

    // A link planted as the record or its bad copy is replaced; what it points at stays as it was.
    void aLinkIsReplacedNotFollowed_data()
    {
        QVERIFY(QDir().mkpath(dataHome.filePath("targets")));
        addLinkTargetRows(QDir(dataHome.filePath("targets")), "record ");
        addLinkTargetRows(QDir(dataHome.filePath("targets")), "bad copy ");
    }
    void aLinkIsReplacedNotFollowed()
    {
        QFETCH(QString, target);
        const QString before = fileState(target);
        const bool badCopy = QByteArray(QTest::currentDataTag()).startsWith("bad");
        QVERIFY(QDir().mkpath(dataHome.filePath("tapdash")) && (!badCopy || store(recordPath, "Bo\r\nfast\r\n")));
        const QString link = badCopy ? recordPath + ".bad" : recordPath;
        QVERIFY(QFile::link(target, link));
        const RecordedBoard board("20.4");
        QVERIFY2(board.messages.isEmpty(), qPrintable(board.messages.join('\n')));
        QVERIFY(!QFileInfo(link).isSymLink());
        QCOMPARE(fileBytes(link), badCopy ? "Bo\r\nfast\r\n" : (kWinner + "\r\n20.4\r\n").toUtf8());
        QCOMPARE(fileState(target), before);
    }

    // Without root's way past permissions: a read-only data folder with a writable record takes
    // the new record in place; a record that cannot be read is left as it was and reported.
    void permissionsAreHonoured_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addColumn<QString>("line");
        QTest::newRow("read-only folder") << true << "Best time so far is " + kWinner + " with a time of 20.4";
        QTest::newRow("record without read permission") << false << QString();
    }
    void permissionsAreHonoured()
    {
        QFETCH(bool, readOnlyFolder);
        const QString folder = dataHome.filePath("tapdash");
        QVERIFY(QDir().mkpath(folder) && store(recordPath, "Bo\r\n30.5\r\n"));
        const auto unlock = [&] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::setPermissions(recordPath, QFile::ReadOwner | QFile::WriteOwner);
        };
        const auto unlockAtLast = qScopeGuard(unlock);
        QVERIFY(QFile::setPermissions(readOnlyFolder ? folder : recordPath, readOnlyFolder ? QFile::ReadOwner | QFile::ExeOwner : QFile::WriteOwner));
        const auto hold = holdPermissions();
        if (readOnlyFolder ? QFile(folder + "/probe").open(QIODevice::WriteOnly) : QFile(recordPath).open(QIODevice::ReadOnly))
            QSKIP("this process reads and writes files whatever their permissions say");

        const RecordedBoard board("20.4");
        QTEST(board.line, "line");
        QCOMPARE(board.newRecordShown, int(readOnlyFolder));
        QCOMPARE(board.messages.size(), int(!readOnlyFolder));
        if (!readOnlyFolder)
            QVERIFY2(board.messages[0].contains('"' + recordPath + "\": Permission denied"), qPrintable(board.messages[0]));
        unlock();
        QCOMPARE(fileBytes(recordPath), readOnlyFolder ? (kWinner + "\r\n20.4\r\n").toUtf8() : "Bo\r\n30.5\r\n");
        QVERIFY(!QFile::exists(recordPath + ".bad"));
    }

    // Another game holds the record while it saves a better time: this update waits for it and
    // judges against what it saved.
    void anUpdateWaitsForAnotherGame()
    {
        QVERIFY(QDir().mkpath(dataHome.filePath("tapdash")) && store(recordPath, "Bo\r\n30.5\r\n"));
        QLockFile otherGame(recordPath + ".lock");
        QVERIFY(otherGame.tryLock(0));
        std::optional<RecordedBoard> board;
        std::thread game([&board] { board.emplace("20.4"); });
        QThread::msleep(300);  // a slow disk, which only makes an unlocked update go wrong sooner
        QVERIFY(store(recordPath, "Di\r\n10.1\r\n"));
        otherGame.unlock();
        game.join();
        QCOMPARE(board->line, "Best time so far is Di with a time of 10.1");
        QCOMPARE(board->newRecordShown, 0);
        QCOMPARE(fileBytes(recordPath), "Di\r\n10.1\r\n");
    }

    // A relative XDG_DATA_HOME is ignored; with no HOME either the record is not kept, said once.
    void theDataFolderFollowsTheXdgRules()
    {
        QTemporaryDir home;
        const QByteArray savedHome = qgetenv("HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", savedHome);
            qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
        });
        qputenv("XDG_DATA_HOME", "relative-data-home");
        qputenv("HOME", QFile::encodeName(home.path()));
        QCOMPARE(race::bestTimeFilePath("C:\\Windows\\tapdash.ini"), home.filePath(".local/share/tapdash/tapdash.ini"));
        qunsetenv("HOME");
        QCOMPARE(race::bestTimeFilePath("C:\\Windows\\tapdash.ini"), QString());
        const RecordedBoard first("20.4"), second("20.4");
        QVERIFY(first.line.isEmpty() && second.line.isEmpty() && second.messages.isEmpty());
        QCOMPARE(first.messages, QStringList{"The best time cannot be kept: neither XDG_DATA_HOME nor HOME names a folder for it."});
        QVERIFY(!QFile::exists("relative-data-home"));
    }

    void writesTheEntryExactlyOrSaysWhyNot()
    {
        const PlayerList rows{
            {{" \"Bo\", Jr ", "None"}, {"Disabled", "/x/b.rnx"}, {"Zoë", "/p/c, \"y\".rnx"}, {"disabled", ""}}};
        QVERIFY(!entry::writePlayerList(listPath, entry::playerListFromEntry(rows)));
        QCOMPARE(fileBytes(listPath), " \"Bo\", Jr \r\nNone\r\n\r\n\r\nZoë\r\n/p/c, \"y\".rnx\r\ndisabled\r\n\r\n");
        QCOMPARE(entry::readPlayerList(listPath), (PlayerList{{rows[0], {}, rows[2], rows[3]}}));

        // a folder cannot be written over
        QVERIFY(QFile::remove(listPath) && QDir(listFolder.path()).mkdir("temp.tmp"));
        const std::optional<QString> failure = entry::writePlayerList(listPath, {});
        QVERIFY(QDir(listFolder.path()).rmdir("temp.tmp"));
        QVERIFY2(failure && failure->contains(listPath), qPrintable(failure.value_or("no failure")));
    }

    // Line ends and encodings of both files are read here; damaged and unreadable contents with
    // the record above, through the same reader.
    void readsWhatIsThereAndNothingElse_data()
    {
        QTest::addColumn<QByteArray>("stored");  // null: no file
        QTest::addColumn<PlayerList>("players");
        QTest::newRow("CR only") << QByteArray("Ann\rNone\r\r\rCy\r/c.rnx\r\r\r")
                                 << PlayerList{{{"Ann", "None"}, {}, {"Cy", "/c.rnx"}, {}}};
        QTest::newRow("LF, short, no final line end, a name longer than a name box kept whole")
            << QByteArray("Ann Abcdefghi\nNone\n\n\nCy\n/c.rnx")
            << PlayerList{{{"Ann Abcdefghi", "None"}, {}, {"Cy", "/c.rnx"}, {}}};
        QTest::newRow("Windows-1252") << QByteArray("Zo\xeb\r\n/r/\x80.rnx\r\n")
                                      << PlayerList{{{"Zoë", "/r/€.rnx"}, {}, {}, {}}};
        QTest::newRow("missing") << QByteArray() << PlayerList{};
    }
    void readsWhatIsThereAndNothingElse()
    {
        QFETCH(QByteArray, stored);
        QVERIFY(stored.isNull() || store(listPath, stored));
        QTEST(entry::readPlayerList(listPath), "players");
    }

    // A link planted as temp.tmp is replaced by the list; what it points at stays as it was.
    void aLinkAsThePlayerListIsReplaced_data() { addLinkTargetRows(QDir(listFolder.path())); }
    void aLinkAsThePlayerListIsReplaced()
    {
        QFETCH(QString, target);
        const QString before = fileState(target);
        QVERIFY(QFile::link(target, listPath));
        QVERIFY(!entry::writePlayerList(listPath, {{{"Ann", "None"}}}));
        QVERIFY(!QFileInfo(listPath).isSymLink());
        QCOMPARE(fileBytes(listPath), "Ann\r\nNone\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
        QCOMPARE(fileState(target), before);
    }

    // Temporary files of saves killed before their rename: only this file's, a minute old, go.
    void aSaveRemovesLeftoversOfKilledSaves()
    {
        const QStringList names{"temp.tmp.Ab12yZ", "temp.tmp.Cd34wX", "temp.tmpx.Ef56vW"};
        for (const QString& name : names) {
            QFile file(listFolder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (name != names[1]) QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-90), QFileDevice::FileModificationTime));
        }
        QVERIFY(!entry::writePlayerList(listPath, {}));
        QCOMPARE(QDir(listFolder.path()).entryList({"temp.tmp*"}), (QStringList{"temp.tmp", names[1], names[2]}));
    }

    void aPipeReadsAsNobodyWithoutWaiting()
    {
        QCOMPARE(mkfifo(QFile::encodeName(listPath).constData(), 0600), 0);
        QCOMPARE(entry::readPlayerList(listPath), PlayerList{});
    }
};

QTEST_GUILESS_MAIN(LineFilesTest)
#include "line_files_test.moc"
