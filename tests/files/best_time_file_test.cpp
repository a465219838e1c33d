#include "race/best_time_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kDefaultBytes = "Zeblo\r\n99.9\r\n";
const QString kDefaultLine = "Best time so far is Zeblo with a time of 99.9";

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
}

bool store(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

struct RecordedBoard : race::RecordBoard {
    QString time, line;
    int newRecordShown = 0;
    QStringList messages;
    explicit RecordedBoard(const QString& winnerTime) : time(winnerTime) { race::updateBestTime(*this); }
    QString winnerName() override { return " \"Cy, Jr\" "; }
    QString winnerTime() override { return time; }
    void showNewRecord() override { ++newRecordShown; }
    void setBestTimeLine(const QString& text) override { line = text; }
    void messageBox(const QString& text) override { messages << text; }
};

}  // namespace

class BestTimeFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dataHome;
    QString recordPath;

private slots:
    void initTestCase()
    {
        QVERIFY(dataHome.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
        QCoreApplication::setApplicationName("tapdash");
        recordPath = dataHome.filePath("tapdash/tapdash.ini");
    }
    void init()
    {
        QFile::remove(dataHome.filePath("tapdash"));
        QDir(dataHome.filePath("tapdash")).removeRecursively();
    }

    void bothDesignSpellingsNameOneFileInTheDataFolder()
    {
        QCOMPARE(race::bestTimeFilePath("C:\\Windows\\tapdash.ini"), recordPath);
        QCOMPARE(race::bestTimeFilePath("C:\\windows\\tapdash.ini"), recordPath);
        QVERIFY(QFileInfo(recordPath).absoluteDir().exists());
        QCOMPARE(race::bestTimeFilePath("temp.tmp"), "temp.tmp");
    }

    void firstRaceCreatesTheDefaultRecord()
    {
        const RecordedBoard board("104.3");
        QCOMPARE(bytes(recordPath), kDefaultBytes);
        QCOMPARE(board.newRecordShown, 0);
        QCOMPARE(board.line, kDefaultLine);
        QVERIFY(board.messages.isEmpty());
    }

    void onlyASmallerWholePartBeatsTheRecord_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("line");
        const QString beaten = "Best time so far is  \"Cy, Jr\"  with a time of ";
        const QString kept = "Best time so far is Bo, \"B\" with a time of 15.8";
        QTest::newRow("20.4 beats 99.9") << kDefaultBytes << "20.4" << beaten + "20.4";
        QTest::newRow("99.5 keeps 99.9") << kDefaultBytes << "99.5" << kDefaultLine;
        QTest::newRow("104.3 keeps 99.9") << kDefaultBytes << "104.3" << kDefaultLine;
        QTest::newRow("15.2 keeps 15.8, CR only") << QByteArray("Bo, \"B\"\r15.8\r") << "15.2" << kept;
        QTest::newRow("15.2 keeps 15.8, LF, no final end") << QByteArray("Bo, \"B\"\n15.8") << "15.2" << kept;
        QTest::newRow("14.9 beats 15.8") << QByteArray("Bo, \"B\"\r\n15.8\r\n") << "14.9" << beaten + "14.9";
    }
    void onlyASmallerWholePartBeatsTheRecord()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, time);
        QFETCH(QString, line);
        QVERIFY(store(race::bestTimeFilePath("C:\\Windows\\tapdash.ini"), stored));
        const RecordedBoard board(time);
        const bool beaten = line.endsWith(time);  // the sentence names the winner's time
        QCOMPARE(board.newRecordShown, beaten ? 1 : 0);
        QCOMPARE(bytes(recordPath), beaten ? " \"Cy, Jr\" \r\n" + time.toUtf8() + "\r\n" : stored);
        QCOMPARE(board.line, line);
    }

    void badFileIsKeptAsideAndTheDefaultJudges_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one line") << QByteArray("Bo\r\n");
        QTest::newRow("time not a number") << QByteArray("Bo\r\nfast\r\n");
        QTest::newRow("10 MB line") << QByteArray(10 << 20, 'x') + "\r\n15.8\r\n";
        QTest::newRow("binary bytes") << QByteArray("\0\xff\xfe\x80\r\n1\r\n", 9);
    }
    void badFileIsKeptAsideAndTheDefaultJudges()
    {
        QFETCH(QByteArray, stored);
        QVERIFY(store(race::bestTimeFilePath("C:\\Windows\\tapdash.ini"), stored));
        QVERIFY(store(recordPath + ".bad", "an older bad file"));
        const RecordedBoard board("99.0");
        QCOMPARE(bytes(recordPath + ".bad"), stored);
        QCOMPARE(bytes(recordPath), kDefaultBytes);
        QCOMPARE(board.line, kDefaultLine);
        QVERIFY(board.messages.isEmpty());
    }

    void unwritableFileIsReportedAndNothingIsLost_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("file");
        QTest::newRow("data folder is a file") << QString() << dataHome.filePath("tapdash");
        QTest::newRow("record file is a folder") << recordPath << QString();
        QTest::newRow("bad file cannot be kept") << recordPath + ".bad" << recordPath;
    }
    void unwritableFileIsReportedAndNothingIsLost()
    {
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QVERIFY(folder.isEmpty() || QDir().mkpath(folder));
        QVERIFY(file.isEmpty() || store(file, "junk"));
        const RecordedBoard board("20.4");
        QCOMPARE(board.line, kDefaultLine);
        QCOMPARE(board.messages.size(), 1);
        QVERIFY2(board.messages[0].contains(recordPath), qPrintable(board.messages[0]));
        if (!file.isEmpty()) QCOMPARE(bytes(file), "junk");
    }
};

QTEST_GUILESS_MAIN(BestTimeFileTest)
#include "best_time_file_test.moc"
