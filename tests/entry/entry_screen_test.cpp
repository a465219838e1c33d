#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include "app/forms.h"
#include "fresh_screens.h"
#include "ui/fonts.h"
#include "ui/colors.h"
#include "ui/picture.h"

using namespace ui::colors;

namespace {

entry::Form2& entryScreen() { return forms().Form2; }

void enter(int player, const QString& name)
{
    entryScreen().check(player)->click();
    QTest::keyClicks(entryScreen().nameBox(player)->lineEdit(), name);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

}  // namespace

class EntryScreenTest : public QObject {
    Q_OBJECT
    FreshScreens screens;
    RecordingPlatform* platform = nullptr;

    bool rowIs(int player, const QString& text, bool enabled, const QColor& back)
    {
        ui::TextBox& box = entryScreen().nameBox(player).get();
        return box.Text() == text && box.Enabled() == enabled && box.BackColor() == back;
    }

private slots:
    void initTestCase() { ui::installFontSubstitutes(); }

    void init()
    {
        platform = &screens.reset();
        entryScreen().show();
    }

    void playerSwitch()
    {
        auto& form = entryScreen();
        for (int player = 1; player <= 4; ++player)
            QVERIFY(rowIs(player, "Disabled", false, lightGrey) && form.Label11(player)->Caption() == "None");
        enter(2, "Bo");
        form.Label11(2)->setCaption("/r/bo.rnx");
        QVERIFY(rowIs(2, "Bo", true, white));
        form.Check2->click();
        QVERIFY(rowIs(2, "Disabled", false, lightGrey));
        form.Check2->click();
        QVERIFY(rowIs(2, "", true, white));
        QCOMPARE(form.Label11(2)->Caption(), "/r/bo.rnx");
        QVERIFY(rowIs(1, "Disabled", false, lightGrey));
    }

    void nameBoxHoldsTenCharactersOnOneLine()
    {
        enter(1, "Abcdefghijk");
        QCOMPARE(entryScreen().Text1->Text(), "Abcdefghij");
        entryScreen().Check3->click();
        QLineEdit* edit = entryScreen().Text3->lineEdit();
        QGuiApplication::clipboard()->setText("Al\r\nBo\nCy");
        edit->paste();
        QCOMPARE(edit->text(), "AlBoCy");
        edit->clear();
        QGuiApplication::clipboard()->setText("Abcdefgh\nijklmnop\r\n");
        edit->paste();
        QVERIFY(edit->text().startsWith("Abcdefgh") && !edit->text().contains('\n') && edit->text().size() <= 10);
        edit->clear();
        const QString runner = QString::fromUtf8("\U0001F3C3");  // two UTF-16 units
        QGuiApplication::clipboard()->setText("Ann" + runner + runner + runner + runner);
        edit->paste();  // eleven units: the last runner must go whole, not by half
        QCOMPARE(edit->text(), "Ann" + runner + runner + runner);
    }

    void raceSetUp_data()
    {
        QTest::addColumn<QStringList>("names");  // "-": not checked
        QTest::addColumn<QString>("runner2");
        QTest::addColumn<QByteArray>("file");
        const QByteArray empty = "\r\n\r\n";
        QTest::newRow("only player 4") << QStringList{"-", "-", "-", "Dee"} << "None" << empty + empty + empty + "Dee\r\nNone\r\n";
        QTest::newRow("all four") << QStringList{"Ann", "Bo", "Cy", "Dee"} << "None"
                                  << QByteArray("Ann\r\nNone\r\nBo\r\nNone\r\nCy\r\nNone\r\nDee\r\nNone\r\n");
        QTest::newRow("empty name") << QStringList{"", "-", "-", "-"} << "None" << "\r\nNone\r\n" + empty + empty + empty;
        QTest::newRow("named Disabled") << QStringList{"Disabled", "Bo", "-", "-"} << "None"
                                        << empty + "Bo\r\nNone\r\n" + empty + empty;
        QTest::newRow("unchecked with a runner file") << QStringList{"Ann", "-", "-", "-"} << "/gone/b.rnx"
                                                      << "Ann\r\nNone\r\n" + empty + empty + empty;
        QTest::newRow("comma and quote") << QStringList{"-", "-", "Ann, \"B\"", "-"} << "None"
                                         << empty + empty + "Ann, \"B\"\r\nNone\r\n" + empty;
    }
    void raceSetUp()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, runner2);
        QFETCH(QByteArray, file);
        auto& form = entryScreen();
        form.Label11(2)->setCaption(runner2);
        for (int player = 1; player <= 4; ++player)
            if (names[player - 1] != "-") enter(player, names[player - 1]);
        form.Command1->click();

        QCOMPARE(fileBytes(workPath("temp.tmp")), file);
        QVERIFY(platform->messages.isEmpty());
        race::Form1& race = forms().Form1;
        QVERIFY(race.isShown() && !form.isShown() && race.Timer1->Enabled() && !race.Timer2->Enabled());
        QCOMPARE(race.Label13->Caption(), QString::number(4 - names.count("-")));
        for (const race::Lane& lane : race::Lanes) {
            const bool plays = names[lane.number - 1] != "-";
            for (race::RaceLabel label : {lane.keyLabel, lane.nameLabel, lane.counterLabel})
                QCOMPARE(race.label(label)->Visible(), plays);
            QCOMPARE(race.Picture1(lane.number)->Visible(), plays);
            if (!plays) continue;
            QCOMPARE(race.label(lane.nameLabel)->Caption(), names[lane.number - 1]);
            QCOMPARE(race.PictureClip1(lane.number)->Picture(), race.Picture2->Picture());
            QCOMPARE(race.Picture1(lane.number)->Picture(), race.PictureClip1(lane.number)->GraphicCell(0));
        }
    }

    void nobodyCheckedStartsNoRace()
    {
        entryScreen().Label11(1)->setCaption("/r/a.rnx");
        entryScreen().Command1->click();
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages[0], "Sorry, I'm afraid you have to have at least one person playing.");
        QCOMPARE(platform->titles[0], "Tapdash Message");
        QCOMPARE(fileBytes(workPath("temp.tmp")), QByteArray("\r\n").repeated(8));
        QVERIFY(!forms().Form1.isLoaded() && entryScreen().isShown());
        QCOMPARE(entryScreen().Label11(1)->Caption(), "/r/a.rnx");
    }

    void runnerFilesGiveStripsOrTheDefault()
    {
        QFile fake(workPath("fake.rnx"));
        QVERIFY(fake.open(QIODevice::WriteOnly) && fake.write("not a picture") > 0);
        fake.close();
        const QStringList files{workPath("robot.rnx"), workPath("nowhere.rnx"), workPath("fake.rnx")};
        for (int player = 1; player <= 3; ++player) {
            enter(player, QString("P%1").arg(player));
            entryScreen().Label11(player)->setCaption(files[player - 1]);
        }
        entryScreen().Command1->click();

        race::Form1& race = forms().Form1;
        QCOMPARE(race.PictureClip1(1)->Picture(), ui::loadPicture(files[0]).image);
        QCOMPARE(platform->messages.size(), 2);
        for (int player = 2; player <= 3; ++player) {
            const QString text = platform->messages[player - 2];
            QVERIFY2(text.contains(QString("P%1").arg(player)) && text.contains(files[player - 1]), qPrintable(text));
            QCOMPARE(race.PictureClip1(player)->Picture(), race.Picture2->Picture());
        }
        for (int lane = 1; lane <= 3; ++lane)
            QCOMPARE(race.Picture1(lane)->Picture(), race.PictureClip1(lane)->GraphicCell(0));
    }

    void unwritablePlayerListStartsNoRace()
    {
        QVERIFY(QDir(workPath()).mkdir("temp.tmp"));  // a directory cannot be written, even by root
        enter(1, "Ann");
        entryScreen().Command1->click();
        QVERIFY(QDir(workPath()).rmdir("temp.tmp"));
        QCOMPARE(platform->messages.size(), 1);
        const QString text = platform->messages[0];
        QVERIFY2(text.contains("player list could not be saved") && text.contains("temp.tmp"), qPrintable(text));
        QVERIFY(!forms().Form1.isLoaded() && entryScreen().isShown());
        QVERIFY(rowIs(1, "Ann", true, white) && entryScreen().Check1->Value() == 1);
    }

    void aboutExitGameAndCloseButton()
    {
        entryScreen().Command4->click();
        QVERIFY(forms().Form7.isShown() && !entryScreen().isShown());
        for (bool byCloseButton : {false, true}) {
            init();
            byCloseButton ? entryScreen().closeButton() : entryScreen().Command2->click();
            QVERIFY(forms().Form4.isShown() && !entryScreen().isLoaded());
            QCOMPARE(platform->programEnds, 1);
        }
    }
};

QTEST_MAIN(EntryScreenTest)
#include "entry_screen_test.moc"
