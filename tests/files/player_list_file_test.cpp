#include "race/files/player_list_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "tests/support/file_bytes.h"
#include "tests/support/planted_links.h"

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
        QVERIFY(stored.isNull() || store(path, stored));
        QTEST(entry::readPlayerList(path), "players");
    }

    // A link planted as temp.tmp is replaced by the list; what it points at stays as it was.
    void aLinkIsReplacedNotFollowed_data() { addLinkTargetRows(QDir(folder.path())); }
    void aLinkIsReplacedNotFollowed()
    {
        QFETCH(QString, target);
        const QString before = fileState(target);
        QVERIFY(QFile::link(target, path));
        QVERIFY(!entry::writePlayerList(path, {{{"Ann", "None"}}}));
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(fileBytes(path), "Ann\r\nNone\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
        QCOMPARE(fileState(target), before);
    }

    // Temporary files of saves killed before their rename: only this file's, a minute old, go.
    void aSaveRemovesLeftoversOfKilledSaves()
    {
        const QStringList names{"temp.tmp.Ab12yZ", "temp.tmp.Cd34wX", "temp.tmpx.Ef56vW"};
        for (const QString& name : names) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (name != names[1]) QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-90), QFileDevice::FileModificationTime));
        }
        QVERIFY(!entry::writePlayerList(path, {}));
        QCOMPARE(QDir(folder.path()).entryList({"temp.tmp*"}), (QStringList{"temp.tmp", names[1], names[2]}));
    }

    void aPipeReadsAsNobodyWithoutWaiting()
    {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QCOMPARE(entry::readPlayerList(path), PlayerList{});
    }
};

QTEST_GUILESS_MAIN(PlayerListFileTest)
#include "player_list_file_test.moc"
