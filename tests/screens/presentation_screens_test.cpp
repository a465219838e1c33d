// The splash screen's phases and keys, the credits and back, and the closing screen. Then the
// whole road from the splash screen to the program's end, once with every picture of the working
// directory and once with none. Without them every screen still loads and keeps its red, and one
// line on standard error names the picture each time a screen asks for it.
#include <QTest>

#include "test_main.h"
#include "fresh_screens.h"
#include "play.h"
#include "stderr_capture.h"
#include "ui/colors.h"
#include "ui/keys.h"
#include "ui/picture.h"

namespace {

screens::Form5& splash() { return forms().Form5; }

void splashTicks(int ticks)
{
    for (int tick = 0; tick < ticks; ++tick) splash().Timer1->fire();
}

}  // namespace

class PresentationScreensTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;
    bool missing = false;

    // What a screen asking for the picture writes to standard error
    QStringList warningFor(const QString& picture) const
    {
        if (!missing) return {};
        return {QString("tapdash: cannot load picture \"%1\": no such file").arg(picture)};
    }

    // Whether the picture shows, or where it is missing the widget keeps its own red
    bool shows(const QImage& shown, QWidget* widget) const
    {
        if (!missing) return !shown.isNull();
        return shown.isNull() && widget->grab().toImage().pixelColor(10, 10) == ui::colors::red;
    }
    bool hasItsBackground(ui::Form& screen) const { return shows(screen.Picture(), screen.window()); }
    bool splashShowsItsPicture() const { return shows(splash().Picture1->Picture(), splash().Picture1->widget()); }

private slots:
    void init() { platform = &stage.reset(); }

    // Escapes after some ticks; without any, the two phases run their five ticks each. Other keys
    // pressed first change nothing; Escape counts with Shift and Ctrl held. The close button skips
    // as two Escapes would.
    void splashPhases_data()
    {
        QTest::addColumn<int>("ticksBefore");
        QTest::addColumn<int>("escapes");  // -1: the close button instead
        QTest::addColumn<int>("ticksToEntry");
        QTest::newRow("no key") << 5 << 0 << 5;
        QTest::newRow("Escape in the first phase") << 3 << 1 << 5;
        QTest::newRow("Escape in the product phase") << 7 << 1 << 0;
        QTest::newRow("Escape twice") << 0 << 2 << 0;
        QTest::newRow("close button") << 0 << -1 << 0;
    }
    void splashPhases()
    {
        QFETCH(int, ticksBefore);
        QFETCH(int, escapes);
        QFETCH(int, ticksToEntry);
        splash().show();
        QVERIFY(splash().Caption() == "Welcome to" && splash().Timer1->Enabled());
        QCOMPARE(splash().Picture1->Picture(), ui::loadPicture("orvenspres.bmp").image);
        splashTicks(ticksBefore);
        for (int key : {int('A'), 13, 32, ui::vk::Shift, 0}) splash().keyDown(key, 0);
        for (int escape = 0; escape < escapes; ++escape) splash().keyDown(ui::vk::Escape, 3);
        if (escapes < 0) splash().closeButton();
        if (ticksToEntry) {  // the product phase
            QVERIFY(splash().SplashCount == 5 && splash().Caption() == "Welcome to Orvens' Tapdash");
            QCOMPARE(splash().Picture1->Picture(), ui::loadPicture("tapdash.bmp").image);
            splashTicks(ticksToEntry - 1);
            QVERIFY(splash().isShown() && !forms().Form2.isLoaded());
            splashTicks(1);
        }
        QVERIFY(forms().Form2.isShown() && !splash().isLoaded());
    }

    void creditsComeAndGoKeepingTheEntries()
    {
        entry::Form2& entryScreen = forms().Form2;
        entryScreen.show();
        entryScreen.Check1->click();
        entryScreen.Text1->setText("Ann");
        for (bool byCloseButton : {false, true}) {
            entryScreen.Command4->click();  // "About"
            screens::Form7& credits = forms().Form7;
            QVERIFY(credits.isShown() && !entryScreen.isShown() && credits.Label5->Caption() != "seen");  // afresh
            credits.Label5->setCaption("seen");
            byCloseButton ? credits.closeButton() : credits.Command1->click();  // or "Return to Tapdash"
            QVERIFY(!credits.isLoaded() && entryScreen.isShown());
            QVERIFY(entryScreen.Check1->Value() == 1 && entryScreen.Text1->Text() == "Ann");
        }
    }

    void closingScreenIgnoresKeysAndEndsOnItsFifthTick()
    {
        screens::Form4& closing = forms().Form4;
        closing.show();
        for (int tick = 1; tick <= 5; ++tick) {
            QVERIFY(closing.isShown() && platform->programEnds == 0);
            for (int key : {ui::vk::Escape, int('A'), 13}) closing.keyDown(key, 0);
            closing.Timer1->fire();
        }
        QVERIFY(!closing.isLoaded() && platform->programEnds == 1);

        closing.show();
        closing.closeButton();
        QVERIFY(closing.EndCount == 0 && platform->programEnds == 2);
    }

    // Last of all: the row without pictures removes them from the working directory.
    void wholeRoad_data()
    {
        QTest::addColumn<bool>("withoutPictures");
        QTest::newRow("every picture") << false;
        QTest::newRow("no picture") << true;
    }
    void wholeRoad()
    {
        QFETCH(bool, withoutPictures);
        missing = withoutPictures;
        for (const char* picture : {"back.bmp", "orvenspres.bmp", "tapdash.bmp"})
            QVERIFY(!missing || QFile::remove(picture));

        QCOMPARE(stderrLines([&] { splash().show(); }), warningFor("orvenspres.bmp"));
        QVERIFY(splash().isShown() && splashShowsItsPicture());
        QCOMPARE(stderrLines([] { splashTicks(5); }), warningFor("tapdash.bmp"));
        QVERIFY(splash().Caption() == "Welcome to Orvens' Tapdash" && splashShowsItsPicture());

        entry::Form2& entryScreen = forms().Form2;
        QCOMPARE(stderrLines([] { splashTicks(5); }), warningFor("back.bmp"));
        QVERIFY(!splash().isLoaded() && entryScreen.isShown() && hasItsBackground(entryScreen));
        QCOMPARE(stderrLines([&] { entryScreen.Command4->click(); }), warningFor("back.bmp"));  // "About"
        QVERIFY(forms().Form7.isShown() && hasItsBackground(forms().Form7));
        QCOMPARE(stderrLines([] { forms().Form7.Command1->click(); }), QStringList());  // "Return to Tapdash"
        QCOMPARE(stderrLines([&] { entryScreen.Command3(1)->click(); }), warningFor("back.bmp"));  // ".."
        QVERIFY(forms().Form6.isShown() && hasItsBackground(forms().Form6));
        QCOMPARE(stderrLines([] { forms().Form6.Command2->click(); }), QStringList());  // "Cancel"
        QVERIFY(entryScreen.isShown());

        enter(1, "Ann");
        results::Form3& results = forms().Form3;
        QCOMPARE(stderrLines([&] { entryScreen.Command1->click(); }), warningFor("back.bmp"));  // "Play"
        for (int round = 1; round <= 2; ++round) {
            QVERIFY(forms().Form1.isShown() && hasItsBackground(forms().Form1));
            QCOMPARE(stderrLines([] { runRace(50); }), warningFor("back.bmp"));
            QVERIFY(results.isShown() && hasItsBackground(results));
            if (round == 1) QCOMPARE(stderrLines([&] { results.Command3->click(); }), warningFor("back.bmp"));  // "Same Players"
        }

        screens::Form4& closing = forms().Form4;
        QCOMPARE(stderrLines([&] { results.Command2->click(); }), warningFor("back.bmp"));  // "Exit"
        QVERIFY(closing.isShown() && hasItsBackground(closing));
        for (int tick = 0; tick < 5; ++tick) closing.Timer1->fire();
        QCOMPARE(platform->programEnds, 1);
        QCOMPARE(platform->messages, (QStringList{"The race is over", "The race is over"}));
    }
};

TAPDASH_TEST_MAIN(PresentationScreensTest)
#include "presentation_screens_test.moc"
