#include "entry/player_list_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using entry::PlayerList;

class PlayerListFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir folder;
    QString path;

private slots:
    void init()
    {
        QVERIFY(folder.isValid());
        path = folder.filePath("temp.tmp");
        QFile::remove(path);
    }

    void playRecordsTheEntryExactly()
    {
        const PlayerList rows{{{" \"Bo\", Jr ", "None"}, {"Disabled", "/x/b.rnx"}, {"Zoë", "/p/c, \"y\".rnx"}, {"disabled", ""}}};
        QVERIFY(!entry::writePlayerList(path, entry::playerListFromEntry(rows)));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), " \"Bo\", Jr \r\nNone\r\n\r\n\r\nZoë\r\n/p/c, \"y\".rnx\r\ndisabled\r\n\r\n");
        QCOMPARE(entry::readPlayerList(path), (PlayerList{{rows[0], {}, rows[2], rows[3]}}));
    }

    void readsWhatIsThereAndNothingElse_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<PlayerList>("players");
        const PlayerList nobody{};
        const PlayerList annAndCy{{{"Ann", "None"}, {}, {"Cy", "/c.rnx"}, {}}};
        QTest::newRow("CR only") << QByteArray("Ann\rNone\r\r\rCy\r/c.rnx\r\r\r") << annAndCy;
        QTest::newRow("LF, short, no final line end") << QByteArray("Ann\nNone\n\n\nCy\n/c.rnx") << annAndCy;
        QTest::newRow("missing") << QByteArray() << nobody;
        QTest::newRow("empty") << QByteArray("") << nobody;
        QTest::newRow("10 MB line") << QByteArray(10 << 20, 'x') + "\r\nNone\r\n" << nobody;
        QTest::newRow("binary bytes") << QByteArray("\0\xff\r\nNone\r\n", 8) << nobody;
        QTest::newRow("name longer than a name box")
            << QByteArray("Ann Abcdefghi\r\nNone\r\n\r\n\r\nCy\r\n/c.rnx")
            << PlayerList{{{"Ann Abcdef", "None"}, {}, {"Cy", "/c.rnx"}, {}}};
    }
    void readsWhatIsThereAndNothingElse()
    {
        QFETCH(QByteArray, stored);
        QFETCH(PlayerList, players);
        QFile file(path);
        QVERIFY(stored.isNull() || (file.open(QIODevice::WriteOnly) && file.write(stored) == stored.size()));
        file.close();
        QCOMPARE(entry::readPlayerList(path), players);
    }

    void aPipeReadsAsNobodyWithoutWaiting()
    {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QCOMPARE(entry::readPlayerList(path), PlayerList{});
    }

    void unwritableFileIsReported()
    {
        QVERIFY(QDir(folder.path()).mkdir("temp.tmp"));
        const std::optional<QString> failure = entry::writePlayerList(path, {});
        QVERIFY(QDir(folder.path()).rmdir("temp.tmp"));
        QVERIFY(failure);
        QVERIFY2(failure->contains(path), qPrintable(*failure));
    }
};

QTEST_GUILESS_MAIN(PlayerListFileTest)
#include "player_list_file_test.moc"
