// The whole road from the splash screen to the program's end, once with every picture of the
// working directory and once with none. Without them every screen still loads and keeps its red,
// and one line on standard error names the picture each time a screen asks for it.
#include <QDir>

#include "test_main.h"
#include "fresh_screens.h"
#include "play.h"
#include "stderr_capture.h"
#include "ui/colors.h"

class MissingPicturesTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    bool missing = false;

    // What a screen asking for the picture writes to standard error
    QStringList warningFor(const QString& picture) const
    {
        if (!missing) return {};
        return {QString("%1: cannot load picture \"%2\": no such file").arg(QCoreApplication::applicationName(), picture)};
    }

    // Whether the picture shows, or where it is missing the widget keeps its own red
    bool shows(const QImage& shown, QWidget* widget) const
    {
        if (!missing) return !shown.isNull();
        return shown.isNull() && widget->grab().toImage().pixelColor(10, 10) == ui::colors::red;
    }
    bool hasItsBackground(ui::Form& screen) const { return shows(screen.Picture(), screen.window()); }
    bool splashShowsItsPicture() const { return shows(forms().Form5.Picture1->Picture(), forms().Form5.Picture1->widget()); }

private slots:
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
        RecordingPlatform& platform = stage.reset();
        for (const char* picture : {"back.bmp", "orvenspres.bmp", "tapdash.bmp"})
            QVERIFY(!missing || QFile::remove(picture));

        screens::Form5& splash = forms().Form5;
        const auto splashTicks = [&splash] {
            for (int tick = 0; tick < 5; ++tick) splash.Timer1->fire();
        };
        QCOMPARE(stderrLines([&] { splash.show(); }), warningFor("orvenspres.bmp"));
        QVERIFY(splash.isShown() && splashShowsItsPicture());
        QCOMPARE(stderrLines(splashTicks), warningFor("tapdash.bmp"));
        QVERIFY(splash.Caption() == "Welcome to Orvens' Tapdash" && splashShowsItsPicture());

        entry::Form2& entryScreen = forms().Form2;
        QCOMPARE(stderrLines(splashTicks), warningFor("back.bmp"));
        QVERIFY(!splash.isLoaded() && entryScreen.isShown() && hasItsBackground(entryScreen));
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
        QCOMPARE(platform.programEnds, 1);
        QCOMPARE(platform.messages, (QStringList{"The race is over", "The race is over"}));
    }
};

TAPDASH_TEST_MAIN(MissingPicturesTest)
#include "missing_pictures_test.moc"
