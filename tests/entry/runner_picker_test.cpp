#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QStorageInfo>
#include <QTest>

#include "app/forms.h"
#include "fresh_screens.h"
#include "ui/fonts.h"

namespace {

entry::Form6& picker() { return forms().Form6; }

void touch(const QString& path) { QFile(path).open(QIODevice::WriteOnly); }

void clickLine(QListWidget* list, int row)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// As the mouse makes it: a click, then the second press
void doubleClickLine(QListWidget* list, int row)
{
    clickLine(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

int dirLine(const QString& path) { return int(picker().Dir1->entries().indexOf(path)); }

void openFor(int player)
{
    forms().Form2.show();
    forms().Form2.Command3(player)->click();
}

}  // namespace

class RunnerPickerTest : public QObject {
    Q_OBJECT
    FreshScreens screens;

private slots:
    void initTestCase()
    {
        ui::installFontSubstitutes();
        QVERIFY(QDir(workPath()).mkpath("more/deeper") && QDir(workPath()).mkpath("folder.rnx"));
        for (const char* name : {"notes.txt", "robot.rnx.bak", ".hidden.rnx", "more/extra.rnx"}) touch(workPath(name));
    }

    void init() { screens.reset(); }

    void opensForOnePlayerAtTheWorkingDirectory()
    {
        openFor(3);  // player 3 is not checked
        QVERIFY(picker().isShown() && !forms().Form2.isShown());
        QCOMPARE(picker().Label1->Caption(), "3");
        QCOMPARE(picker().Text1->Text(), "");
        QCOMPARE(picker().Dir1->Path(), workPath());
        QCOMPARE(picker().File1->names(), (QStringList{"robot.rnx", "sprinter.rnx"}));
        QCOMPARE(picker().Drive1->drives().value(0), "/");
        QCOMPARE(picker().Drive1->Drive(), QStorageInfo(workPath()).rootPath());
        const QStringList lines = picker().Dir1->entries();
        QCOMPARE(lines.first(), "/");
        QVERIFY(lines.indexOf(workPath()) < lines.indexOf(workPath("more")) && lines.contains(workPath("folder.rnx")));
    }

    void selectWritesOnlyThatPlayersLabel()
    {
        openFor(2);
        clickLine(picker().File1->listWidget(), 0);
        QCOMPARE(picker().Text1->Text(), "robot.rnx");
        clickLine(picker().File1->listWidget(), 1);
        QCOMPARE(picker().Text1->Text(), "sprinter.rnx");
        picker().Text1->lineEdit()->selectAll();
        QTest::keyClicks(picker().Text1->lineEdit(), "mine.png");
        picker().Command1->click();

        QCOMPARE(picker().SelectedPath, workPath("mine.png"));
        QVERIFY(!picker().isLoaded() && forms().Form2.isShown());
        const QStringList expected{"None", workPath("mine.png"), "None", "None"};
        for (int player = 1; player <= 4; ++player) QCOMPARE(forms().Form2.Label11(player)->Caption(), expected[player - 1]);
    }

    void cancelAndCloseWriteNothingAndStartAfresh()
    {
        forms().Form2.Label11(1)->setCaption("/kept.rnx");
        for (bool byCloseButton : {false, true}) {
            openFor(1);
            clickLine(picker().Dir1->listWidget(), dirLine(workPath("more")));
            QCOMPARE(picker().Dir1->Path(), workPath());
            doubleClickLine(picker().Dir1->listWidget(), dirLine(workPath("more")));
            QCOMPARE(picker().Dir1->Path(), workPath("more"));
            QCOMPARE(picker().File1->names(), QStringList{"extra.rnx"});
            picker().Text1->setText("typed.rnx");
            byCloseButton ? picker().closeButton() : picker().Command2->click();
            QVERIFY(!picker().isLoaded() && forms().Form2.isShown());
            QCOMPARE(forms().Form2.Label11(1)->Caption(), "/kept.rnx");
        }
        openFor(1);
        QCOMPARE(picker().Text1->Text(), "");
        QCOMPARE(picker().Dir1->Path(), workPath());
    }

    void changingTheDriveMovesBothLists()
    {
        openFor(4);
        picker().Dir1->setPath(workPath("more"));
        QCOMPARE(picker().File1->Path(), workPath("more"));
        // As after a pick, but of the volume at hand, so the test reads no other volume
        picker().Drive1->raiseEvent();
        const QString root = picker().Drive1->Drive();
        QVERIFY(workPath().startsWith(root) && root != workPath("more"));
        QCOMPARE(picker().Dir1->Path(), root);
        QCOMPARE(picker().File1->Path(), root);
    }

    void unreadableAndVanishedDirectoriesAreSurvived()
    {
        QVERIFY(QDir(workPath()).mkpath("locked/inner") && QDir(workPath()).mkpath("gone/away"));
        touch(workPath("locked/hid.rnx"));
        QFile::setPermissions(workPath("locked"), QFileDevice::Permissions{});
        openFor(1);
        picker().Dir1->setPath(workPath("locked"));
        QCOMPARE(picker().File1->Path(), workPath("locked"));
        QFile::setPermissions(workPath("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        picker().Dir1->setPath(workPath("gone"));
        QVERIFY(QDir(workPath("gone")).removeRecursively());
        doubleClickLine(picker().Dir1->listWidget(), dirLine(workPath("gone/away")));
        QCOMPARE(picker().Dir1->Path(), workPath());
        QCOMPARE(dirLine(workPath("gone")), -1);
        picker().Dir1->setPath("/no/such/folder");
        QCOMPARE(picker().Dir1->Path(), "/");
    }

    void joinRunnerPathNeverDoublesTheSeparator()
    {
        QCOMPARE(entry::joinRunnerPath("/", "A.rnx", '/'), "/A.rnx");
        QCOMPARE(entry::joinRunnerPath("/games", "A.rnx", '/'), "/games/A.rnx");
        QCOMPARE(entry::joinRunnerPath("D:\\GAMES", "A.rnx", '\\'), "D:\\GAMES\\A.rnx");
        QCOMPARE(entry::joinRunnerPath("D:\\", "A.rnx", '\\'), "D:\\A.rnx");
    }
};

QTEST_MAIN(RunnerPickerTest)
#include "runner_picker_test.moc"
