// The player entry screen: the player switch, the name boxes, "Play" with the player-list file it
// writes and the race it sets up or refuses, "Exit Game" and the close button. Runner files that
// cannot be used in other ways are met in tests/corpus.
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

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
    QByteArray file;    // null: none written
    QString message = {};
    QStringList runners = QStringList(4, "None");
};

}  // namespace

class EntryScreenTest : public QObject {
    Q_OBJECT
    FreshScreens screens;
    RecordingPlatform* platform = nullptr;

private slots:
    void init() { platform = &screens.reset(), forms().Form2.show(); }

    void playerSwitch()
    {
        auto& form = forms().Form2;
        enter(2, "Bo"), form.Label11(2)->setCaption("/r/bo.rnx");
        QVERIFY(rowIs(2, "Bo", true, white));
        form.Check2->click();
        QVERIFY(rowIs(2, "Disabled", false, lightGrey));
        form.Check2->click();
        QVERIFY(rowIs(2, "", true, white) && rowIs(1, "Disabled", false, lightGrey) && form.Label11(2)->Caption() == "/r/bo.rnx");
    }

    void nameBoxHoldsTenCharactersOnOneLine()
    {
        enter(1, "Abcdefghijk");
        QCOMPARE(forms().Form2.Text1->Text(), "Abcdefghij");
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

    // Every "Play": the file written, then either the race set up or the entry screen still shown
    void play_data()
    {
        QTest::addColumn<Play>("given");
        const QByteArray empty = "\r\n\r\n";
        QTest::newRow("nobody checked") << Play{{"-", "-", "-", "-"}, empty + empty + empty + empty,
            "Sorry, I'm afraid you have to have at least one person playing.", {"/r/a.rnx", "None", "None", "None"}};
        QTest::newRow("only player 4, player 2 unchecked with a runner file") << Play{{"-", "-", "-", "Dee"},
            empty + empty + empty + "Dee\r\nNone\r\n", {}, {"None", "/gone/b.rnx", "None", "None"}};
        QTest::newRow("all four, a comma and quote") << Play{{"Ann", "Bo", "Cy, \"C\"", "Dee"},
            "Ann\r\nNone\r\nBo\r\nNone\r\nCy, \"C\"\r\nNone\r\nDee\r\nNone\r\n"};
        QTest::newRow("named Disabled, empty name") << Play{{"Disabled", "", "-", "-"}, empty + "\r\nNone\r\n" + empty + empty};
        QTest::newRow("a runner file and a missing one") << Play{{"Ann", "Bo", "-", "-"},
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
            const ui::LoadedPicture runner = ui::loadPicture(given.runners[lane - 1]);  // none named "None"
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
};

TAPDASH_TEST_MAIN(EntryScreenTest)
#include "entry_screen_test.moc"
