// The splash screen's phases and keys. Then the whole road from the splash screen to the
// program's end, once with every picture of the working directory and once with none. With them
// every caption drawn over the background reads at 4.5 : 1 at least, in its window and in full
// screen on a 1920 x 1080 display (the WCAG ratio that 90 % of the pixels within 2 px of its
// glyphs reach): the entry screen also with a long runner path, the race, its results with a new
// record and without one. Without them every screen still loads and keeps its red, and one line
// on standard error names the picture each time a screen asks for it.
#include <QLabel>
#include <QPainter>
#include <QTest>

#include "test_main.h"
#include "fresh_screens.h"
#include "play.h"
#include "stderr_capture.h"
#include "art/scenes.h"
#include "ui/colors.h"
#include "ui/keys.h"
#include "ui/halo.h"
#include "ui/picture.h"
#include "ui/window.h"

namespace {

presentation::Form5& splash() { return forms().Form5; }

// The caption's contrast as the screen shows it (ui/halo.h): its own frame, in its colour, counts
// as part of it rather than of what surrounds it
double shownContrast(QLabel* label, QWidget* window)
{
    const QPoint at = label->mapTo(window, QPoint());
    const QRect area = QRect(at, label->size()).adjusted(-2, -2, 2, 2) & window->rect();
    QImage ink(area.size(), QImage::Format_ARGB32_Premultiplied);
    ink.fill(Qt::transparent);
    QPainter painter(&ink);
    painter.translate(at - area.topLeft());
    painter.drawImage(0, 0, ui::glyphsOf(*label));
    for (const QRect& frame : QRegion(label->rect()).subtracted(label->frameWidth() ? label->contentsRect() : label->rect()))
        painter.fillRect(frame, Qt::black);
    painter.end();
    const QImage shown = window->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    return ui::captionContrast(ink.convertToFormat(QImage::Format_Alpha8), shown, label->palette().color(QPalette::WindowText).rgb());
}

// Two pictures of a size alike but for a rounding in a channel here and there (32-bit pixels
// leave no padding between rows; the unused byte is 0xff in both)
bool alike(const QImage& a, const QImage& b)
{
    const QImage first = a.convertToFormat(QImage::Format_RGB32), second = b.convertToFormat(QImage::Format_RGB32);
    return first.size() == second.size() && std::equal(first.constBits(), first.constBits() + first.sizeInBytes(), second.constBits(),
                                                       [](uchar x, uchar y) { return std::abs(x - y) <= 1; });
}

// Every colour the picture shows (its pixels as QImage::pixel gives them, row after row)
QSet<QRgb> coloursOf(const QImage& picture)
{
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    const auto* first = reinterpret_cast<const QRgb*>(pixels.constBits());
    return QSet<QRgb>(first, first + pixels.width() * pixels.height());
}

// The screen in full screen on a 1920 x 1080 display
QWidget* fillDisplay(ui::Form& screen)
{
    forms().stage.display.setFullScreen(true);
    screen.window()->setGeometry(0, 0, 1920, 1080);
    return screen.window();
}

// Whether nothing but the margin's own colour shows outside the scene in full screen
void marginClear(QWidget* window, QStringList& faults)
{
    const QImage shown = window->grab().toImage();
    QSet<QRgb> colours;
    for (const QRect& part : QRegion(window->rect()).subtracted(static_cast<ui::Window*>(window)->scene()))
        colours += coloursOf(shown.copy(part));
    if (colours.size() > 1) faults << window->windowTitle() + ": drawn into the margin";
}

// What the screen shows wrong, in its window and in full screen on a 1920 x 1080 display: captions
// drawn over its picture under 4.5 : 1 (every figure printed), drawing in the margin
QStringList faultsShown(ui::Form& screen)
{
    QStringList faults;
    for (const bool full : {false, true}) {
        if (full) marginClear(fillDisplay(screen), faults);
        for (QLabel* label : screen.window()->findChildren<QLabel*>()) {
            if (!label->isVisible() || label->autoFillBackground() || label->text().isEmpty()) continue;
            const double ratio = shownContrast(label, screen.window());
            qInfo("%-26s %-6s %5.2f : 1  %s", qPrintable(screen.Caption()), full ? "full" : "window", ratio,
                  qPrintable(label->text().left(40)));
            if (ratio < ui::kReadableContrast) faults << QString("%1 (%2): %3").arg(screen.Caption(), full ? "full screen" : "window", label->text());
        }
    }
    forms().stage.display.setFullScreen(false);
    return faults;
}

// Four players with names as wide as a name box holds, then "About"
void enterFourThenAbout()
{
    for (int player = 1; const char* name : {"Wilhelmina", "Maximilian", "Konstantin", "Bartholomw"}) enter(player++, name);
    forms().Form2.Command4->click();
}

// Player 1 runs a runner from deep in the working directory's folders, which the entry screen
// shows by its long path
void pickDeepRunner()
{
    const QString runner = "runners/of/the/club/in/our/town/sprinter.rnx";
    QVERIFY(QDir().mkpath(QFileInfo(runner).path()));
    QVERIFY(QFile::exists(runner) || QFile::copy(TAPDASH_PICTURES_DIR "/sprinter.rnx", runner));
    forms().Form6.Text1->setText(runner);
    forms().Form6.Command1->click();
}

// The four finish half a second apart, a time per row
void raceATimePerRow(TestClock& clock)
{
    countDown(clock);
    for (int lane = 1; lane <= 4; ++lane) tickClock(clock, lane == 1 ? 88 : 5), runLane(lane);
}

}  // namespace

class PresentationScreensTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;
    bool missing = false;

    // Seconds of the splash screen's timer
    void splashTicks(int ticks) { stage.clock().advance(ticks * 1000); }

    // What a screen asking for the picture writes to standard error
    QStringList warningFor(const char* picture) const
    {
        if (!missing || !picture) return {};
        return {QCoreApplication::applicationName() + ": cannot load picture \"" + picture + "\": no such file"};
    }

    // Whether the screen shows its picture, or where it is missing the widget keeps its own red
    bool showsItsPicture(ui::Form& screen) const
    {
        const bool isSplash = &screen == &splash();
        const QImage shown = isSplash ? splash().Picture1->Picture() : screen.Picture();
        QWidget* widget = isSplash ? splash().Picture1->widget() : screen.window();
        return missing ? shown.isNull() && widget->grab().toImage().pixelColor(10, 10) == ui::colors::red : !shown.isNull();
    }

private slots:
    void init() { platform = &stage.reset(); }

    // Escapes after some ticks; without any, the two phases run their five ticks each. Other keys
    // pressed first change nothing; Escape counts with Shift and Ctrl held. The close button skips
    // as two Escapes would. The first phase's picture is seen on the whole road, its caption and
    // real timer in a real X server (tests/e2e).
    void splashPhases()
    {
        const struct { const char* row; int ticksBefore, escapes /* -1: the close button */, ticksToEntry; } rows[] = {
            {"no key", 5, 0, 5}, {"Escape in the first phase", 3, 1, 5}, {"Escape in the product phase", 7, 1, 0},
            {"Escape twice", 0, 2, 0}, {"close button", 0, -1, 0}};
        for (const auto& [row, ticksBefore, escapes, ticksToEntry] : rows) {
            stage.reset();
            splash().show();
            splashTicks(ticksBefore);
            for (int key : {int('A'), 13, 32, ui::kKeyShift, 0}) splash().keyDown(key, 0);
            for (int escape = 0; escape < escapes; ++escape) splash().keyDown(ui::kKeyEscape, 3);
            if (escapes < 0) splash().closeButton();
            if (ticksToEntry) {  // the product phase
                QVERIFY2(splash().SplashCount == 5 && splash().Caption() == "Welcome to Orvens' Tapdash"
                             && splash().Picture1->Picture() == forms().stage.pictures.load("tapdash.bmp").image, row);
                splashTicks(ticksToEntry - 1);
                QVERIFY2(splash().isShown() && !forms().Form2.isLoaded(), row);
                splashTicks(1);
            }
            QVERIFY2(forms().Form2.isShown() && !splash().isLoaded(), row);
        }
    }

    // Once with every picture, then with none: the second round removes them from the working
    // directory. The first round leaves the credits and the results by their buttons, the second
    // by the close button; either way the screen left is unloaded and the entries stay. The
    // closing screen ignores keys and ends the program on its fifth tick in the first round, and
    // at once by its close button in the second.
    void wholeRoad()
    {
        for (const bool withoutPictures : {false, true}) {
            missing = withoutPictures;
            platform = &stage.reset();
            for (const char* picture : {"back.bmp", "orvenspres.bmp", "tapdash.bmp"}) QVERIFY(!missing || QFile::remove(picture));
            Forms& f = forms();
            const auto leave = [this](ui::Form& screen, auto& button) {
                return [this, &screen, &button] { missing ? screen.closeButton() : button->click(); };
            };
            // Which screens are measured: each the first time, the entry screen again with a long
            // runner path, and the results again without a new record
            const auto race = [this] { raceATimePerRow(stage.clock()); };
            const std::tuple<std::function<void()>, const char*, ui::Form*, bool> road[] = {
                {[] { splash().show(); }, "orvenspres.bmp", &f.Form5, true},
                {[this] { splashTicks(5); }, "tapdash.bmp", &f.Form5, false},
                {[this] { splashTicks(5); }, "back.bmp", &f.Form2, true},
                {enterFourThenAbout, "back.bmp", &f.Form7, true},
                {leave(f.Form7, f.Form7.Command1), nullptr, &f.Form2, false},           // "Return to Tapdash"
                {[&f] { f.Form2.Command3(1)->click(); }, "back.bmp", &f.Form6, true},   // ".."
                {pickDeepRunner, nullptr, &f.Form2, true},                              // "Select"
                {[&f] { f.Form2.Command1->click(); }, "back.bmp", &f.Form1, true},      // "Play"
                {race, "back.bmp", &f.Form3, true},
                {[&f] { f.Form3.Command3->click(); }, "back.bmp", &f.Form1, false},     // "Same Players"
                {race, "back.bmp", &f.Form3, true},
                {leave(f.Form3, f.Form3.Command2), "back.bmp", &f.Form4, true},          // "Exit"
            };
            QStringList faults;
            for (const auto& [step, picture, screen, measured] : road) {
                QCOMPARE(stderrLines(step), warningFor(picture));
                QVERIFY(screen->isShown() && showsItsPicture(*screen));
                if (!missing && measured) faults << faultsShown(*screen);
            }
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
            for (ui::Form* left : QList<ui::Form*>{&f.Form1, &f.Form2, &f.Form3, &f.Form5, &f.Form6, &f.Form7}) QVERIFY(!left->isLoaded());
            QCOMPARE(platform->messages, (QStringList{"The race is over", "The race is over"}));
            for (int tick = 1; !missing && tick <= 5; ++tick) {
                QVERIFY(f.Form4.isShown() && f.Form4.Timer1->Enabled() && platform->programEnds == 0);
                for (int key : {ui::kKeyEscape, int('A'), 13}) f.Form4.keyDown(key, 0);
                stage.clock().advance(1000);
            }
            if (missing) f.Form4.closeButton();
            QVERIFY(platform->programEnds == 1 && (missing ? f.Form4.EndCount == 0 : !f.Form4.isLoaded()));
        }
    }

    // In full screen on a 1920 x 1080 display the game's own background is drawn afresh at the
    // zoomed size, pixel for pixel as the art drawn there, and a player's own back.bmp in its place
    // is scaled smoothly from its pixels. Runners are pixel art: a zoomed runner box shows its
    // picture's colours and its own, never a blend of them.
    void ownPicturesDrawnAtTheZoomedSize()
    {
        art::SceneFinder finder;  // the play folder's pictures are the game's own as the game draws them
        for (const art::Scene& scene : art::scenes())
            QVERIFY2(finder.sceneOf(forms().stage.pictures.load(QStringLiteral(TAPDASH_PICTURES_DIR "/") + scene.fileName).image) == &scene,
                     scene.fileName);
        const QRect laneNumbers(600, 96, 34, 187);  // designed pixels: no control of the entry screen there
        for (const bool players : {false, true}) {
            stage.reset();
            QFile::remove("back.bmp");
            QVERIFY(QFile::copy(TAPDASH_PICTURES_DIR "/back.bmp", "back.bmp"));
            QImage back = forms().stage.pictures.load("back.bmp").image;
            if (players) {
                back.invertPixels();
                QVERIFY(back.save("back.bmp") && (back = forms().stage.pictures.load("back.bmp").image) != QImage());
            }
            forms().Form2.show();
            QWidget* window = fillDisplay(forms().Form2);
            const ui::Zoom zoom = ui::zoomOf(window);
            QImage expected(window->size(), QImage::Format_RGB32);
            QPainter painter(&expected);
            painter.setTransform(zoom.transform());
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            players ? painter.drawImage(0, 0, back) : art::scenes()[0].draw(painter);
            painter.end();
            const QRect shown = zoom.map(laneNumbers);
            QVERIFY2(alike(window->grab(shown).toImage(), expected.copy(shown)), players ? "a player's" : "the game's own");
        }
        forms().Form2.Label11(1)->setCaption(workPath("sprinter.rnx"));
        enter(1, "Ann");
        forms().Form2.Command1->click();
        fillDisplay(forms().Form1);
        const QImage cell = forms().Form1.PictureClip1(1)->GraphicCell(0), shown = forms().Form1.Picture1(1)->widget()->grab().toImage();
        QVERIFY(shown.width() > cell.width() * 2);
        const QSet<QRgb> blended = coloursOf(shown) - coloursOf(cell) - QSet<QRgb>{ui::colors::red.rgb()};
        QVERIFY2(blended.isEmpty(), "the runner's colours blended with each other or the box's red");
        forms().stage.display.setFullScreen(false);
    }
};

TAPDASH_TEST_MAIN(PresentationScreensTest)
#include "presentation_screens_test.moc"
