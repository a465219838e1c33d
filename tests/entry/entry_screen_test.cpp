// The player entry screen: the player switch, the name boxes, "Play" with the player-list file it
// writes and the race it sets up or refuses, "Exit Game" and the close button. Then the runner
// file picker it opens: for one player at the working directory, only "*.rnx" files, "Select",
// "Cancel" and the close button, directories that cannot be read, and the drive list. Runner files
// that cannot be used in other ways are met in tests/results.
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QStorageInfo>

#include "test_main.h"
#include "file_bytes.h"
#include "fresh_screens.h"
#include "play.h"
#include "ui/colors.h"
#include "ui/picture.h"

using namespace ui::colors;

namespace {

bool rowIs(int player, const QString& text, bool enabled, const QColor& back)
{
    ui::TextBox& box = forms().Form2.nameBox(player).get();
    return box.Text() == text && box.Enabled() == enabled && box.BackColor() == back;
}

// A "Play": the entries, then the file written and how the one message begins, if any
struct Play {
    QStringList names;  // "-": not checked
    QByteArray file;
    QString message = {};
    QStringList runners = QStringList(4, "None");
};

entry::Form6& picker() { return forms().Form6; }

// A click on a line, or a double-click as the mouse makes it: a click, then the second press
void clickLine(QListWidget* list, int row, bool twice = false)
{
    list->scrollToItem(list->item(row));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

int dirLine(const QString& path) { return int(picker().Dir1->entries().indexOf(path)); }

}  // namespace

class EntryScreenTest : public QObject {
    Q_OBJECT
    FreshScreens screens;
    RecordingPlatform* platform = nullptr;

private slots:
    // Files and folders for the picker to list or pass over
    void initTestCase()
    {
        QVERIFY(QDir(workPath()).mkpath("more") && QDir(workPath()).mkpath("folder.rnx"));
        for (const char* name : {"notes.txt", "robot.rnx.bak", ".hidden.rnx", "more/extra.rnx"})
            QFile(workPath(name)).open(QIODevice::WriteOnly);
    }

    void init() { platform = &screens.reset(), forms().Form2.show(); }

    void playerSwitch()
    {
        auto& form = forms().Form2;
        enter(2, "Bo"), form.Label11(2)->setCaption("/r/bo.rnx");
        form.Check2->click();
        QVERIFY(rowIs(2, "Disabled", false, lightGrey));
        form.Check2->click();
        QVERIFY(rowIs(2, "", true, white) && rowIs(1, "Disabled", false, lightGrey) && form.Label11(2)->Caption() == "/r/bo.rnx");
    }

    void nameBoxHoldsTenCharactersOnOneLine()
    {
        QLineEdit* edit = forms().Form2.Text1->lineEdit();
        // Characters are counted as grapheme clusters: an emoji (two UTF-16 units) or an accented
        // letter (two code points) is one.
        const QString runner = QString::fromUtf8("\U0001F3C3"), nine = "Ann" + QString::fromUtf8("e\u0301") + runner.repeated(5);
        for (const auto& [pasted, kept] : QList<QPair<QString, QString>>{{"Al\r\nBo\nCy", "AlBoCy"}, {nine + runner + runner, nine + runner}}) {
            edit->clear(), QGuiApplication::clipboard()->setText(pasted), edit->paste();
            QCOMPARE(edit->text(), kept);
        }
        QTest::keyClicks(edit, "x");  // a full box takes no more
        QCOMPARE(edit->text(), nine + runner);
    }

    // Every "Play": the file written, then either the race set up or the entry screen still shown.
    // Which rows the file keeps is tested on the file (tests/files).
    void play_data()
    {
        QTest::addColumn<Play>("given");
        const QByteArray empty = "\r\n\r\n";
        QTest::newRow("nobody checked") << Play{{"-", "-", "-", "-"}, empty + empty + empty + empty,
            "Sorry, I'm afraid you have to have at least one person playing."};
        QTest::newRow("all four, one named Disabled, one without a name") << Play{{"Ann", "Disabled", "", "Dee"},
            "Ann\r\nNone\r\n" + empty + "\r\nNone\r\nDee\r\nNone\r\n"};
        QTest::newRow("two of four, a runner file and a missing one") << Play{{"Ann", "Bo", "-", "-"},
            "Ann\r\nsprinter.rnx\r\nBo\r\ngone.rnx\r\n" + empty + empty, "Player 2 (Bo) cannot run as \"gone.rnx\": ",
            {"sprinter.rnx", "gone.rnx", "None", "None"}};
        QTest::newRow("temp.tmp cannot be written") << Play{{"Ann", "-", "-", "-"}, {},
            "The player list could not be saved to \"" + workPath("temp.tmp") + "\": "};
    }
    void play()
    {
        QFETCH(Play, given);
        auto& form = forms().Form2;
        QList<int> lanes;
        for (int player = 1; player <= 4; ++player) {
            form.Label11(player)->setCaption(given.runners[player - 1]);
            if (given.names[player - 1] != "-") enter(player, given.names[player - 1]), lanes << player;
        }
        if (given.file.isNull()) QVERIFY(QDir().mkdir("temp.tmp"));  // a folder cannot be written, even by root
        bool countingDuringMessage = false;  // the countdown's first second starts after the messages
        platform->whenShown = [&] { countingDuringMessage |= forms().Form1.isLoaded() && forms().Form1.Timer1->Enabled(); };
        form.Command1->click();
        QVERIFY((!given.file.isNull() || QDir().rmdir("temp.tmp")) && !countingDuringMessage);
        QCOMPARE(fileBytes("temp.tmp"), given.file.isNull() ? "(unreadable)" : given.file);
        QCOMPARE(platform->messages.size(), int(!given.message.isEmpty()));
        QVERIFY2(platform->messages.value(0, "").startsWith(given.message), qPrintable(platform->messages.value(0)));

        race::Form1& race = forms().Form1;
        const bool raced = !lanes.isEmpty() && !given.file.isNull();
        QVERIFY(race.isLoaded() == raced && form.isShown() == !raced);
        if (!raced) return;
        QVERIFY(race.isShown() && race.Timer1->Enabled() && !race.Timer2->Enabled()
                && race.Label13->Caption() == QString::number(lanes.size()));
        QCOMPARE(lanesSetUp(), lanes);
        for (int lane : lanes) {
            QCOMPARE(race.label(race::kLanes[lane - 1].nameLabel)->Caption(), given.names[lane - 1]);
            const ui::LoadedPicture runner = forms().stage.pictures.load(given.runners[lane - 1]);  // none named "None"
            QCOMPARE(race.PictureClip1(lane)->Picture(), runner.ok() ? runner.image : race.Picture2->Picture());
            QCOMPARE(race.Picture1(lane)->Picture(), race.PictureClip1(lane)->GraphicCell(0));
        }
    }

    void exitGameAndTheCloseButtonEndTheProgram()
    {
        for (bool byCloseButton : {false, true}) {
            init();
            byCloseButton ? forms().Form2.closeButton() : forms().Form2.Command2->click();
            QVERIFY(forms().Form4.isShown() && !forms().Form2.isLoaded() && platform->programEnds == 1);
        }
    }

    // Every opening starts afresh at the working directory; only "Select" writes, and only the
    // label of the player it was opened for.
    void pickerOpeningsAndTheWaysOut()
    {
        forms().Form2.Label11(2)->setCaption("/kept.rnx");
        for (const QString way : {"Cancel", "close button", "Select"}) {
            forms().Form2.Command3(2)->click();  // player 2 is not checked
            QVERIFY(picker().isShown() && !forms().Form2.isShown() && picker().Label1->Caption() == "2"
                    && picker().Text1->Text().isEmpty() && picker().Dir1->Path() == workPath());
            QCOMPARE(picker().File1->names(), (QStringList{"robot.rnx", "sprinter.rnx"}));
            QVERIFY(dirLine("/") == 0 && dirLine(workPath()) < dirLine(workPath("more")) && dirLine(workPath("folder.rnx")) > 0);

            clickLine(picker().Dir1->listWidget(), dirLine(workPath("more")));
            QCOMPARE(picker().Dir1->Path(), workPath());  // a single click only highlights
            clickLine(picker().Dir1->listWidget(), dirLine(workPath("more")), true);
            QCOMPARE(picker().File1->names(), QStringList{"extra.rnx"});
            for (const char* typed : {"other", "mine.png"}) {  // typing over the name wins until the next click on a file
                clickLine(picker().File1->listWidget(), 0);
                QCOMPARE(picker().Text1->Text(), "extra.rnx");
                picker().Text1->lineEdit()->selectAll();
                QTest::keyClicks(picker().Text1->lineEdit(), typed);
            }
            way == "Select" ? picker().Command1->click() : way == "Cancel" ? picker().Command2->click() : picker().closeButton();

            QVERIFY(!picker().isLoaded() && forms().Form2.isShown());
            const QString chosen = way == "Select" ? workPath("more/mine.png") : "/kept.rnx";
            for (int player = 1; player <= 4; ++player)
                QCOMPARE(forms().Form2.Label11(player)->Caption(), player == 2 ? chosen : "None");
        }
    }

    // Changing the drive, here to the volume at hand so that no other is read, moves both lists to
    // the volume's current directory: the working directory. A file chosen at the root is joined
    // to it with a single separator.
    void pickerOnUnreadableAndVanishedDirectoriesAndTheDrive()
    {
        QVERIFY(QDir(workPath()).mkpath("locked") && QDir(workPath()).mkpath("gone/away"));
        QFile::setPermissions(workPath("locked"), QFileDevice::Permissions{});
        forms().Form2.Command3(1)->click();
        picker().Dir1->setPath(workPath("locked"));
        QCOMPARE(picker().File1->Path(), workPath("locked"));
        QFile::setPermissions(workPath("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        picker().Dir1->setPath(workPath("gone"));
        QVERIFY(QDir(workPath("gone")).removeRecursively());
        clickLine(picker().Dir1->listWidget(), dirLine(workPath("gone/away")), true);
        QVERIFY(picker().Dir1->Path() == workPath() && dirLine(workPath("gone")) == -1);

        picker().Dir1->setPath(workPath("more"));
        QVERIFY(picker().Drive1->drives().value(0) == "/" && picker().Drive1->Drive() == QStorageInfo(workPath()).rootPath());
        picker().Drive1->raiseEvent();
        QVERIFY(picker().Dir1->Path() == workPath() && picker().File1->Path() == workPath());

        picker().Dir1->setPath("/no/such/folder");
        QCOMPARE(picker().Dir1->Path(), "/");
        picker().Text1->setText("A.rnx");
        picker().Command1->click();  // "Select"
        QCOMPARE(forms().Form2.Label11(1)->Caption(), "/A.rnx");
    }
};

TAPDASH_TEST_MAIN(EntryScreenTest)
#include "entry_screen_test.moc"
