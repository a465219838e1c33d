#include "entry/player_list_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "tests/support/file_bytes.h"

using entry::PlayerList;

class PlayerListFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir folder;
    const QString path = folder.filePath("temp.tmp");

private slots:
    void init() { QFile::remove(path); }

    void writesTheEntryExactlyOrSaysWhyNot()
    {
        const PlayerList rows{
            {{" \"Bo\", Jr ", "None"}, {"Disabled", "/x/b.rnx"}, {"Zoë", "/p/c, \"y\".rnx"}, {"disabled", ""}}};
        QVERIFY(!entry::writePlayerList(path, entry::playerListFromEntry(rows)));
        QCOMPARE(fileBytes(path), " \"Bo\", Jr \r\nNone\r\n\r\n\r\nZoë\r\n/p/c, \"y\".rnx\r\ndisabled\r\n\r\n");
        QCOMPARE(entry::readPlayerList(path), (PlayerList{{rows[0], {}, rows[2], rows[3]}}));

        QVERIFY(QFile::remove(path) && QDir(folder.path()).mkdir("temp.tmp"));  // a folder cannot be written over
        const std::optional<QString> failure = entry::writePlayerList(path, {});
        QVERIFY(QDir(folder.path()).rmdir("temp.tmp"));
        QVERIFY2(failure && failure->contains(path), qPrintable(failure.value_or("no failure")));
    }

    // Damaged and unreadable contents are read through the same reader in best_time_file_test.
    void readsWhatIsThereAndNothingElse_data()
    {
        QTest::addColumn<QByteArray>("stored");  // null: no file
        QTest::addColumn<PlayerList>("players");
        QTest::newRow("CR only") << QByteArray("Ann\rNone\r\r\rCy\r/c.rnx\r\r\r")
                                 << PlayerList{{{"Ann", "None"}, {}, {"Cy", "/c.rnx"}, {}}};
        QTest::newRow("LF, short, no final line end, name longer than a name box")
            << QByteArray("Ann Abcdefghi\nNone\n\n\nCy\n/c.rnx")
            << PlayerList{{{"Ann Abcdef", "None"}, {}, {"Cy", "/c.rnx"}, {}}};
        QTest::newRow("missing") << QByteArray() << PlayerList{};
    }
    void readsWhatIsThereAndNothingElse()
    {
        QFETCH(QByteArray, stored);
        QVERIFY(stored.isNull() || store(path, stored));
        QTEST(entry::readPlayerList(path), "players");
    }

    void aPipeReadsAsNobodyWithoutWaiting()
    {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QCOMPARE(entry::readPlayerList(path), PlayerList{});
    }
};

QTEST_GUILESS_MAIN(PlayerListFileTest)
#include "player_list_file_test.moc"
