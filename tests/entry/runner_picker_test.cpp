// The runner file picker: opened for one player at the working directory, only "*.rnx" files,
// "Select", "Cancel" and the close button, directories that cannot be read, the drive list, and
// the path joining.
#include <QLineEdit>
#include <QListWidget>
#include <QStorageInfo>
#include <QTest>

#include "test_main.h"
#include "fresh_screens.h"

namespace {

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

class RunnerPickerTest : public QObject {
    Q_OBJECT
    FreshScreens screens;

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(workPath()).mkpath("more") && QDir(workPath()).mkpath("folder.rnx"));
        for (const char* name : {"notes.txt", "robot.rnx.bak", ".hidden.rnx", "more/extra.rnx"})
            QFile(workPath(name)).open(QIODevice::WriteOnly);
    }

    void init() { screens.reset(), forms().Form2.show(); }

    // Every opening starts afresh at the working directory; only "Select" writes, and only the
    // label of the player it was opened for.
    void openingsAndTheWaysOut()
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
            clickLine(picker().File1->listWidget(), 0);
            QCOMPARE(picker().Text1->Text(), "extra.rnx");
            QLineEdit* name = picker().Text1->lineEdit();
            name->selectAll(), QTest::keyClicks(name, "other");  // typing over it wins ...
            clickLine(picker().File1->listWidget(), 0);  // ... until the next click on a file
            QCOMPARE(picker().Text1->Text(), "extra.rnx");
            name->selectAll(), QTest::keyClicks(name, "mine.png");
            way == "Select" ? picker().Command1->click() : way == "Cancel" ? picker().Command2->click() : picker().closeButton();

            QVERIFY(!picker().isLoaded() && forms().Form2.isShown());
            const QString chosen = way == "Select" ? workPath("more/mine.png") : "/kept.rnx";
            for (int player = 1; player <= 4; ++player)
                QCOMPARE(forms().Form2.Label11(player)->Caption(), player == 2 ? chosen : "None");
        }
    }

    void unreadableAndVanishedDirectoriesAndTheDrive()
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
        picker().Dir1->setPath("/no/such/folder");
        QCOMPARE(picker().Dir1->Path(), "/");

        // Changing the drive, here to the volume at hand so that no other is read, moves both lists
        // to the volume's current directory: the working directory.
        picker().Dir1->setPath(workPath("more"));
        QVERIFY(picker().Drive1->drives().value(0) == "/" && picker().Drive1->Drive() == QStorageInfo(workPath()).rootPath());
        picker().Drive1->raiseEvent();
        QVERIFY(picker().Dir1->Path() == workPath() && picker().File1->Path() == workPath());
    }

    void joinRunnerPathNeverDoublesTheSeparator()
    {
        for (const auto& [folder, separator, joined] : {std::tuple{"/", '/', "/A.rnx"}, {"/games", '/', "/games/A.rnx"},
                                                        {"D:\\GAMES", '\\', "D:\\GAMES\\A.rnx"}, {"D:\\", '\\', "D:\\A.rnx"}})
            QCOMPARE(entry::joinRunnerPath(folder, "A.rnx", separator), joined);
    }
};

TAPDASH_TEST_MAIN(RunnerPickerTest)
#include "runner_picker_test.moc"
