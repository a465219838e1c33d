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
    while (ticks-- > 0) splash().Timer1->fire();
}

}  // namespace

class PresentationScreensTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;
    bool missing = false;

    // What a screen asking for the picture writes to standard error
    QStringList warningFor(const char* picture) const
    {
        if (!missing || !picture) return {};
        return {QString("%1: cannot load picture \"%2\": no such file").arg(QCoreApplication::applicationName(), picture)};
    }

    // Whether the screen shows its picture, or where it is missing the widget keeps its own red
    bool showsItsPicture(ui::Form& screen) const
    {
        const bool isSplash = &screen == &splash();
        const QImage shown = isSplash ? splash().Picture1->Picture() : screen.Picture();
        QWidget* widget = isSplash ? splash().Picture1->widget() : screen.window();
        if (!missing) return !shown.isNull();
        return shown.isNull() && widget->grab().toImage().pixelColor(10, 10) == ui::colors::red;
    }

private slots:
    void init() { platform = &stage.reset(); }

    // Escapes after some ticks; without any, the two phases run their five ticks each. Other keys
    // pressed first change nothing; Escape counts with Shift and Ctrl held. The close button skips
    // as two Escapes would.
    void splashPhases()
    {
        const struct { const char* row; int ticksBefore, escapes /* -1: the close button */, ticksToEntry; } rows[] = {
            {"no key", 5, 0, 5}, {"Escape in the first phase", 3, 1, 5}, {"Escape in the product phase", 7, 1, 0},
            {"Escape twice", 0, 2, 0}, {"close button", 0, -1, 0}};
        for (const auto& [row, ticksBefore, escapes, ticksToEntry] : rows) {
            stage.reset();
            splash().show();
            QVERIFY2(splash().Caption() == "Welcome to" && splash().Timer1->Enabled()
                         && splash().Picture1->Picture() == ui::loadPicture("orvenspres.bmp").image, row);
            splashTicks(ticksBefore);
            for (int key : {int('A'), 13, 32, ui::kKeyShift, 0}) splash().keyDown(key, 0);
            for (int escape = 0; escape < escapes; ++escape) splash().keyDown(ui::kKeyEscape, 3);
            if (escapes < 0) splash().closeButton();
            if (ticksToEntry) {  // the product phase
                QVERIFY2(splash().SplashCount == 5 && splash().Caption() == "Welcome to Orvens' Tapdash"
                             && splash().Picture1->Picture() == ui::loadPicture("tapdash.bmp").image, row);
                splashTicks(ticksToEntry - 1);
                QVERIFY2(splash().isShown() && !forms().Form2.isLoaded(), row);
                splashTicks(1);
            }
            QVERIFY2(forms().Form2.isShown() && !splash().isLoaded(), row);
        }
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

    // Once with every picture, then with none: the second round removes them from the working
    // directory. The closing screen ignores keys and ends the program on its fifth tick, or at once
    // by its close button.
    void wholeRoad()
    {
        for (const bool withoutPictures : {false, true}) {
            missing = withoutPictures;
            platform = &stage.reset();
            for (const char* picture : {"back.bmp", "orvenspres.bmp", "tapdash.bmp"})
                QVERIFY(!missing || QFile::remove(picture));
            Forms& f = forms();
            const auto click = [](auto& button) { return [&button] { button->click(); }; };
            const std::tuple<std::function<void()>, const char*, ui::Form*> road[] = {
                {[] { splash().show(); }, "orvenspres.bmp", &f.Form5},
                {[] { splashTicks(5); }, "tapdash.bmp", &f.Form5},
                {[] { splashTicks(5); }, "back.bmp", &f.Form2},
                {click(f.Form2.Command4), "back.bmp", &f.Form7},                   // "About"
                {click(f.Form7.Command1), nullptr, &f.Form2},                      // "Return to Tapdash"
                {[&f] { f.Form2.Command3(1)->click(); }, "back.bmp", &f.Form6},    // ".."
                {click(f.Form6.Command2), nullptr, &f.Form2},                      // "Cancel"
                {[&f] { enter(1, "Ann"), f.Form2.Command1->click(); }, "back.bmp", &f.Form1},  // "Play"
                {[] { runRace(50); }, "back.bmp", &f.Form3},
                {click(f.Form3.Command3), "back.bmp", &f.Form1},                   // "Same Players"
                {[] { runRace(50); }, "back.bmp", &f.Form3},
                {click(f.Form3.Command2), "back.bmp", &f.Form4},                   // "Exit"
            };
            for (const auto& [step, picture, screen] : road) {
                QCOMPARE(stderrLines(step), warningFor(picture));
                QVERIFY(screen->isShown() && showsItsPicture(*screen));
            }
            for (int tick = 1; tick <= 5; ++tick) {
                QVERIFY(f.Form4.isShown() && platform->programEnds == 0);
                for (int key : {ui::kKeyEscape, int('A'), 13}) f.Form4.keyDown(key, 0);
                f.Form4.Timer1->fire();
            }
            QVERIFY(!f.Form4.isLoaded() && platform->programEnds == 1);
            QCOMPARE(platform->messages, (QStringList{"The race is over", "The race is over"}));
            f.Form4.show();
            f.Form4.closeButton();
            QVERIFY(f.Form4.EndCount == 0 && platform->programEnds == 2);
        }
    }
};

TAPDASH_TEST_MAIN(PresentationScreensTest)
#include "presentation_screens_test.moc"
