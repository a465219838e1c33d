// The pictures of the working directory missing one at a time. Every screen still loads and keeps
// its red, one line on standard error names the picture each time a screen asks for it, and the
// whole road from the splash screen to the program's end is still there.
#include <QDir>


#include "play.h"
#include <QTest>

#include "fresh_screens.h"
#include "stderr_capture.h"
#include "ui/colors.h"

namespace {

const QStringList kPictures{"back.bmp", "orvenspres.bmp", "tapdash.bmp"};

bool redAt(QWidget* widget, QPoint at) { return widget->grab().toImage().pixelColor(at) == ui::colors::red; }

}  // namespace

class MissingPicturesTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;
    const QString home = QDir::currentPath();
    QString missing;

    // What a screen asking for the picture writes to standard error
    QStringList warningFor(const QString& picture) const
    {
        if (picture != missing) return {};
        return {QString("tapdash: cannot load picture \"%1\": no such file").arg(picture)};
    }

    // A screen showing back.bmp, or its own red without it
    bool hasItsBackground(ui::Form& screen)
    {
        if (missing != "back.bmp") return !screen.Picture().isNull();
        return screen.Picture().isNull() && redAt(screen.window(), {10, 10});
    }

    // The splash screen's picture box showing the picture, or its own red without it
    bool splashShows(const QString& picture)
    {
        ui::PictureBox& box = forms().Form5.Picture1.get();
        if (missing != picture) return !box.Picture().isNull();
        return box.Picture().isNull() && redAt(box.widget(), box.widget()->rect().center());
    }

private slots:
    void init() { platform = &stage.reset(); }
    void cleanup() { QDir::setCurrent(home); }

    void wholeRoad_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::newRow("none missing") << QString();
        for (const QString& picture : kPictures) QTest::newRow(qPrintable(picture)) << picture;
    }
    void wholeRoad()
    {
        QFETCH(QString, picture);
        missing = picture;
        // A working directory of its own, holding every picture but the missing one
        const QString folder = home + "/without " + (missing.isEmpty() ? "none" : missing);
        QDir(folder).removeRecursively();
        QVERIFY(QDir().mkpath(folder));
        for (const QString& present : kPictures)
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
        race::Form1& raceScreen = forms().Form1;
        results::Form3& results = forms().Form3;
        QCOMPARE(stderrLines([&] { entryScreen.Command1->click(); }), warningFor("back.bmp"));  // "Play"
        for (int round = 1; round <= 2; ++round) {
            QVERIFY(raceScreen.isShown() && hasItsBackground(raceScreen));
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

QTEST_MAIN(MissingPicturesTest)
#include "missing_pictures_test.moc"
