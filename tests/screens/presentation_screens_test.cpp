// The splash screen's phases and keys, the credits and back, and the closing screen.
#include <QTest>

#include "test_main.h"
#include "fresh_screens.h"

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
        for (int key : {int('A'), 13, 32, ui::kKeyShift, 0}) splash().keyDown(key, 0);
        for (int escape = 0; escape < escapes; ++escape) splash().keyDown(ui::kKeyEscape, 3);
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
            for (int key : {ui::kKeyEscape, int('A'), 13}) closing.keyDown(key, 0);
            closing.Timer1->fire();
        }
        QVERIFY(!closing.isLoaded() && platform->programEnds == 1);

        closing.show();
        closing.closeButton();
        QVERIFY(closing.EndCount == 0 && platform->programEnds == 2);
    }
};

TAPDASH_TEST_MAIN(PresentationScreensTest)
#include "presentation_screens_test.moc"
