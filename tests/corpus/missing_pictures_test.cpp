// The pictures of the working directory missing one at a time. Every screen still loads and keeps
// its red, one line on standard error names the picture each time a screen asks for it, and the
// whole road from the splash screen to the program's end is still there.
#include <QDir>

#include "fresh_screens.h"
#include "play.h"
#include "stderr_capture.h"
#include "ui/colors.h"

class MissingPicturesTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    const QString home = QDir::currentPath();
    QString missing;

    // What a screen asking for the picture writes to standard error
    QStringList warningFor(const QString& picture) const
    {
        if (picture != missing) return {};
        return {QString("tapdash: cannot load picture \"%1\": no such file").arg(picture)};
    }

    // Whether the picture shows, or where it is missing the widget keeps its own red
    bool shows(const QString& picture, const QImage& shown, QWidget* widget) const
    {
        if (picture != missing) return !shown.isNull();
        return shown.isNull() && widget->grab().toImage().pixelColor(10, 10) == ui::colors::red;
    }
    bool hasItsBackground(ui::Form& screen) const { return shows("back.bmp", screen.Picture(), screen.window()); }
    bool splashShows(const QString& picture) const
    {
        return shows(picture, forms().Form5.Picture1->Picture(), forms().Form5.Picture1->widget());
    }

private slots:
    void cleanup() { QDir::setCurrent(home); }

    void wholeRoad_data()
    {
        QTest::addColumn<QString>("picture");
        for (const char* picture : {"none", "back.bmp", "orvenspres.bmp", "tapdash.bmp"}) QTest::newRow(picture) << picture;
    }
    void wholeRoad()
    {
        QFETCH(QString, picture);
        missing = picture;
        RecordingPlatform& platform = stage.reset();
        // A working directory of its own, holding every picture but the missing one
        const QString folder = home + "/without " + missing;
        QDir(folder).removeRecursively();
        QVERIFY(QDir().mkpath(folder));
        for (const char* present : {"back.bmp", "orvenspres.bmp", "tapdash.bmp"})
            QVERIFY(present == missing || QFile::copy(home + '/' + present, folder + '/' + present));
        QVERIFY(QDir::setCurrent(folder));

        screens::Form5& splash = forms().Form5;
        const auto splashTicks = [&splash] {
            for (int tick = 0; tick < 5; ++tick) splash.Timer1->fire();
        };
        QCOMPARE(stderrLines([&] { splash.show(); }), warningFor("orvenspres.bmp"));
        QVERIFY(splash.isShown() && splashShows("orvenspres.bmp"));
        QCOMPARE(stderrLines(splashTicks), warningFor("tapdash.bmp"));
        QVERIFY(splash.Caption() == "Welcome to Orvens' Tapdash" && splashShows("tapdash.bmp"));

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

QTEST_MAIN(MissingPicturesTest)
#include "missing_pictures_test.moc"
