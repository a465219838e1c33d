// The screen model on screens made for the test: screens taking turns in the game's one window,
// array elements made at run time, unload (its timers stopped at once) and reload back to the
// design with the screen's variables kept; key codes and keys reaching the screen; full screen
// asked by F11 or by the desktop, and the message box fitting the zoom; screen timers on the test's
// clock.
#include <optional>

#include <sys/stat.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QTest>

#include "test_main.h"
#include "file_bytes.h"
#include "planted_links.h"
#include "recording_platform.h"
#include "test_clock.h"
#include "ui/canvas.h"
#include "ui/colors.h"
#include "ui/design.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/message_box.h"
#include "ui/settings.h"
#include "ui/top_window.h"
#include "ui/zoom.h"
#include "ui/timer.h"

namespace {

using namespace ui::colors;

// A kind of control made here, as a new one would be: it only notes how it was asked to draw.
class Probe : public ui::Control {
public:
    struct Drawing : ui::Canvas {
        using Canvas::Canvas;
        // The designed size, the scale, the painter's font's pixels and family, the widget's font's pixels
        std::tuple<QSizeF, qreal, int, QString, int> drawn;
        void paint(QPainter& painter, QSizeF size) override
        {
            drawn = {size, painter.worldTransform().m11(), painter.font().pixelSize(), painter.font().family(), font().pixelSize()};
        }
        auto drawnAfresh() { grab(); return drawn; }
    };
    Probe(QWidget* parent, double twipsPerUnit) : Control(new Drawing(parent), Layer::Surface, twipsPerUnit) {}
    Drawing& drawing() const { return *static_cast<Drawing*>(widget()); }
};

class ModelForm : public ui::Form {
public:
    explicit ModelForm(ui::Stage& stage) : ui::Form(stage) {}
    ui::Ref<ui::CommandButton> Command1{this};
    ui::Ref<ui::TextBox> Text1{this};
    ui::Array<ui::Label> Label2{this};
    ui::Ref<ui::Label> Label1{this};
    ui::Ref<ui::Timer> Timer1{this};
    ui::Ref<Probe> Probe1{this};

    // The screen's variables
    int Loads = 0, Unloads = 0;
    QList<QPair<int, int>> keyDowns;  // code, shift mask
    bool CancelUnload = false;

protected:
    void design(ui::Design& d) override
    {
        d.screen("Model", 6000, 4500);
        d.button(Command1, "Go", 3000, 3000, 1215, 495).red().tab(1);
        d.textBox(Text1, "typed", 3000, 2400, 1215, 285).maxLength(10).tab(0);
        // Stored first but numbered higher: element 2 is the one new elements copy.
        d.label(Label2[5], "five", 120, 2400, 900, 240).font(ui::plain("Times New Roman", 9.75)).fore(white);
        d.label(Label2[2], "two", 120, 1200, 1200, 300).font(ui::bold("Comic Sans MS", 12)).fore(yellow).back(blue)
            .rightAligned().fixedSize().border();
        d.label(Label1, "Designed", 120, 240, 900, 240).hidden();
        d.timer(Timer1, 0, 0, 1000);
        d.control(Probe1, 4500, 150, 750, 600);
    }
    void Form_Load() override { ++Loads; }
    void Form_KeyDown(int& KeyCode, int Shift) override { keyDowns.append({KeyCode, Shift}); }
    void Form_Unload(int& Cancel) override { ++Unloads, Cancel = CancelUnload; }
};

// A second screen, of another caption and size
class OtherForm : public ui::Form {
public:
    explicit OtherForm(ui::Stage& stage) : ui::Form(stage) {}

protected:
    void design(ui::Design& d) override { d.screen("Other", 4500, 3000).icon(":/qt-project.org/styles/commonstyle/images/standardbutton-ok-16.png"); }
};

// Where the settings are kept: $XDG_CONFIG_HOME/APP/APP.conf
QString settingsPath()
{
    const QString app = QCoreApplication::applicationName();
    return qEnvironmentVariable("XDG_CONFIG_HOME") + '/' + app + '/' + app + ".conf";
}

}  // namespace

class ScreenModelTest : public QObject {
    Q_OBJECT

    RecordingPlatform platform;
    TestClock clock;
    std::optional<ui::Stage> stage_;  // afresh for each test
    int ticks = 0;

    ui::Stage& stage() { return *stage_; }

private slots:
    void initTestCase() { ui::installFonts(); }
    void init() { ticks = 0, platform.whenShown = {}, stage_.emplace(clock, platform); }
    void cleanup() { runDeferred(), stage_.reset(); }

    // The old window goes only once the event loop turns, so a screen may unload itself from its
    // own handler: the race screen does, from a key event (tests/results, where the window goes).
    void loadShowUnloadAndReload()
    {
        ModelForm form(stage());
        form.show();
        QVERIFY(form.Loads == 1 && form.window()->focusWidget() == form.Text1->lineEdit());  // first in tab order
        // Screens take turns in one native window, which takes the front screen's caption, icon and
        // size; hidden, a screen waits behind with its values, and the one shown before comes back.
        ui::TopWindow& game = stage().display.window();
        const QWindow* native = game.windowHandle();
        const auto looks = [&game] { return std::tuple(game.windowTitle(), game.size(), game.windowIcon().isNull()); };
        QCOMPARE(looks(), std::tuple(QString("Model"), QSize(400, 300), true));
        form.Text1->setText("kept");
        OtherForm other(stage());
        other.show();
        QVERIFY(!form.window()->isVisible() && form.isShown() && other.window()->isVisible());
        QCOMPARE(looks(), std::tuple(QString("Other"), QSize(300, 200), false));
        other.hide();
        QVERIFY(form.window()->isVisible() && form.Text1->Text() == "kept" && looks() == std::tuple(QString("Model"), QSize(400, 300), true));
        form.hide();
        QVERIFY(!form.isShown() && game.isVisible());  // the handler may show another screen yet
        runDeferred();
        QVERIFY(!game.isVisible());
        form.show();
        QVERIFY(form.isShown() && game.windowHandle() == native && form.window()->focusWidget() == form.Text1->lineEdit());

        // A new array element is a hidden copy of the lowest, element 2.
        form.Label2.load(3);
        const auto* lowest = static_cast<QLabel*>(form.Label2(2)->widget());
        const auto* made = static_cast<QLabel*>(form.Label2(3)->widget());
        QVERIFY(!form.Label2(3)->Visible() && made->isHidden() && made->size() == lowest->size());
        QVERIFY(made->font() == lowest->font() && made->palette() == lowest->palette() && made->autoFillBackground()
                && made->alignment() == lowest->alignment() && made->frameStyle() == lowest->frameStyle());

        form.Label1->setCaption("Changed");
        form.CancelUnload = true;
        form.unload();
        QVERIFY(form.isShown());
        form.CancelUnload = false;
        QPointer<QWidget> old = form.window();
        const ui::Timer& oldTimer = form.Timer1.get();
        form.unload();
        QVERIFY(form.Unloads == 2 && !form.isLoaded() && old && !old->isVisible() && !oldTimer.Enabled());
        // Reloads, back to the design, the screen's variables kept
        QVERIFY(form.Label1->Caption() == "Designed" && form.Loads == 2 && !form.isShown() && !form.Label2.exists(3));
    }

    // The X keycode names the key: a layout without Latin letters gives the US letter on it, a
    // Latin one the letter it prints (AZERTY's Q where US has A), other keys as ever.
    void keyCodesAndKeysReachingTheScreen()
    {
        const Qt::KeyboardModifiers none, pad(Qt::KeypadModifier);
        const struct { const char* name; int key; Qt::KeyboardModifiers with; const char* text; quint32 keycode; int code; } keys[] = {
            {"Insert", Qt::Key_Insert, none, "", 0, 45},         {"Delete", Qt::Key_Delete, none, "", 0, 46},
            {"keypad Del", Qt::Key_Delete, pad, "", 0, 46},      {"keypad .", Qt::Key_Period, pad, ".", 0, 110},
            {"keypad 0", Qt::Key_0, pad, "0", 0, 96},            {"digit 0", Qt::Key_0, none, "0", 0, 48},
            {"Alt", Qt::Key_Alt, Qt::AltModifier, "", 0, 18},    {"Russian P key", 0x0417, none, "", 33, 'P'},
            {"Russian Q key", 0x0419, none, "", 24, 'Q'},        {"Greek M key", 0x039C, none, "", 58, 'M'},
            {"AZERTY Q key", Qt::Key_Q, none, "", 38, 'Q'},      {"AZERTY 2 key (e acute)", 0xC9, none, "", 11, 0},
        };
        for (const auto& k : keys)
            QVERIFY2(ui::virtualKey(QKeyEvent(QEvent::KeyPress, k.key, k.with, k.keycode, 0, 0, k.text)) == k.code, k.name);

        // Keys reach the screen while none of its controls holds the focus: Shift and Ctrl (16 and
        // 17) as the screen receives them, auto-repeats, and Tab with no control to move the focus to.
        ModelForm form(stage());
        form.show();
        form.Text1->setEnabled(false), form.Command1->setEnabled(false);
        QWindow* window = form.window()->window()->windowHandle();  // the game's one window
        QTest::keyClick(window, Qt::Key_Tab);
        QTest::keyClick(window, Qt::Key_Q, Qt::ShiftModifier | Qt::ControlModifier);
        QTest::keyClick(window, Qt::Key_Insert, Qt::KeypadModifier);
        for (bool repeat : {false, true, true, true}) QTest::simulateEvent(window, true, Qt::Key_P, {}, "p", repeat);
        // A modifier key's own key-down already carries its bit in the shift mask.
        const QList<QPair<int, int>> expected{{9, 0}, {16, 1}, {17, 3}, {81, 3}, {45, 0}, {80, 0}, {80, 0}, {80, 0}, {80, 0}};
        QCOMPARE(form.keyDowns, expected);

        form.Text1->setEnabled(true), form.Text1->setText({});  // a control that holds the focus takes the keys instead
        form.Text1->lineEdit()->setFocus();
        QTest::keyClick(window, 'a');
        QTest::keyClick(window, Qt::Key_Tab);  // the window itself is never a Tab stop
        QVERIFY(form.keyDowns == expected && form.Text1->Text() == "a");
        QCOMPARE(QApplication::focusWidget(), form.Text1->lineEdit());
    }

    // Text is laid out letter by letter, as the designs drew it, in the screens' fonts and the one
    // message boxes take: A and V are a kerned pair in the fonts Debian ships.
    void textIsLaidOutLetterByLetter()
    {
        for (const QFont& font : {ui::makeFont(ui::plain("MS Sans Serif", 18)), QApplication::font()}) {
            const QFontMetricsF metrics(font);
            QCOMPARE(metrics.horizontalAdvance("AVAV"), 2 * (metrics.horizontalAdvance('A') + metrics.horizontalAdvance('V')));
        }
    }

    // The scene scaled uniformly and centred, controls and fonts with it, positions in the screen's
    // units untouched; a kind that draws itself draws the same designed size with its designed font
    // at every zoom. F11 switches back without reaching the screen, and quick presses all count.
    // Full screen asked by the desktop itself, and its leaving, are followed as F11 would have it.
    // A message box open meanwhile fits each zoom at once: scaled, centred, its title room kept.
    // The display filled and the desktop's own state are seen in the real game (tests/e2e).
    void fullScreenScalesEveryControlAndF11SwitchesBack()
    {
        ModelForm form(stage());
        form.show();
        QWidget* window = form.window();
        const auto looks = [&form] {  // the button's place and font, and the font message boxes take
            const QWidget* button = form.Command1->widget();
            return std::tuple(button->geometry(), button->font().pixelSize(), QApplication::font().pointSizeF());
        };
        const auto drawn = [&form] { return form.Probe1->drawing().drawnAfresh(); };
        const QFont labelFont = form.Label1->widget()->font();
        QCOMPARE(drawn(), std::tuple(QSizeF(50, 40), 1.0, labelFont.pixelSize(), labelFont.family(), labelFont.pixelSize()));
        const auto designed = looks();
        const auto zoomed = std::tuple(QRect(400, 500, 162, 66), std::get<1>(designed) * 2, std::get<2>(designed) * 2);

        stage().display.setFullScreen(true);  // 400 x 300 doubled on the 800 x 800 offscreen display, centred
        QTRY_COMPARE(looks(), zoomed);
        QCOMPARE(drawn(), std::tuple(QSizeF(50, 40), 2.0, labelFont.pixelSize(), labelFont.family(), labelFont.pixelSize() * 2));
        form.Label2.load(7);  // made while zoomed
        QCOMPARE(form.Label2(7)->widget()->font(), form.Label2(2)->widget()->font());
        QCOMPARE(form.Command1->Left(), 3000.f);

        window->setFocus();
        for (const Qt::Key key : {Qt::Key_F11, Qt::Key_F10}) QTest::keyClick(window, key);
        QVERIFY(!stage().display.fullScreen() && form.keyDowns == (QList<QPair<int, int>>{{121, 0}}));  // F10's alone
        QTRY_COMPARE(looks(), designed);

        for (const bool full : {true, false}) {  // as the desktop's own full-screen key, and back
            stage().display.window().windowHandle()->setWindowStates(full ? Qt::WindowFullScreen : Qt::WindowNoState);
            QTRY_VERIFY(stage().display.fullScreen() == full && ui::settings::fullScreen() == full);
            QTRY_COMPARE(looks(), full ? zoomed : designed);
        }

        ui::MessageBox box(QString("word ").repeated(200), "Tapdash Message", stage().display.window());
        box.show();
        const QSize windowedBox = box.size();
        const auto centred = [this, &box] { return (box.geometry().center() - stage().display.window().geometry().center()).manhattanLength() <= 4; };  // a frame's width
        QVERIFY(box.lines().size() > 3 && centred());
        for (int press = 0; press < 3; ++press) QTest::keyClick(&box, Qt::Key_F11);
        QTRY_COMPARE(looks(), zoomed);
        QTRY_VERIFY(box.width() >= 2 * windowedBox.width() - 4 && box.height() >= 2 * windowedBox.height() - 4 && centred());
        QTest::keyClick(&box, Qt::Key_F11);
        QTRY_VERIFY(box.size() == windowedBox && centred());
        QFont title = stage().display.dialogFont(1.0);
        title.setBold(true);
        QVERIFY(ui::MessageBox("Oi", "Tapdash Message", stage().display.window()).width() > QFontMetrics(title).horizontalAdvance("Tapdash Message"));

        // A broken settings file means windowed.
        QVERIFY(store(settingsPath(), "[General\nfullScreen=yes\n"));
        QVERIFY(!ui::settings::fullScreen());
    }

    // Enabling starts a fresh interval; a timer designed shorter than the shortest period ticks at
    // that one; ticks missed while the event loop was held up come on its next turn, unless a tick
    // stops the timer; ticks falling due while a message box is open are dropped, be the box opened
    // elsewhere or by the tick.
    void timersFollowTheirClock()
    {
        const auto ticksAfter = [this](qint64 ms) { clock.advance(ms); return ticks; };
        const auto ticksAfterAHoldUp = [this] { clock.stall(350), clock.advance(0); return ticks; };
        ui::Timer timer(300, stage());
        timer.event = [this] { ++ticks; };
        clock.advance(200);
        static_cast<ui::Control&>(timer).setEnabled(false);  // as a screen's window stops it
        timer.setEnabled(true);
        QCOMPARE(ticksAfter(299), 0);  // past the end of the interval that was running
        QCOMPARE(ticksAfter(1), 1);
        timer.setEnabled(false);  // and again after a tick, as the countdown after a false start
        timer.setEnabled(true);
        QCOMPARE(ticksAfter(300), 2);
        timer.setEnabled(false);

        ui::Timer fastest(1, stage());
        fastest.event = [this] { ++ticks; };
        QCOMPARE(ticksAfter(1000), 12);
        QCOMPARE(ticksAfterAHoldUp(), 15);
        fastest.event = [this, &fastest] { ++ticks, fastest.setEnabled(false); };  // as the countdown at 0
        QCOMPARE(ticksAfterAHoldUp(), 16);  // no tick after its handler stopped it
        fastest.setEnabled(true);

        platform.whenShown = [this] { clock.advance(350); };
        for (bool openedByTheTick : {false, true}) {
            ticks = 0;
            fastest.event = [this, openedByTheTick] {
                if (++ticks == 1 && openedByTheTick) stage().msgBox("opened by the tick");
            };
            openedByTheTick ? clock.advance(100) : stage().msgBox("opened elsewhere");
            QCOMPARE(ticksAfter(100), 1 + int(openedByTheTick));  // the next tick after the box, alone
        }

        // The program's clock: an alarm set for a reading already past rings on the event loop's next turn.
        ui::SteadyClock steady;
        bool rang = false;
        const auto alarm = steady.alarm([&rang] { rang = true; });
        alarm->set(steady.nowMs() - 1000);
        QTRY_VERIFY(rang);
    }

    // The settings file is kept by the same rules as the game's other files: whatever has its name,
    // the choices are stored in a file of its own, nothing the name leads to is touched, and nothing
    // waits. The XDG folders are found as the record's are (tests/files).
    void theSettingsFileIsNoWayIn_data()
    {
        const QDir config = QFileInfo(settingsPath()).dir();
        QVERIFY(config.mkpath("."));
        addLinkTargetRows(config);
        QTest::newRow("a named pipe") << "fifo";
        QTest::newRow("100 MB") << "large";
    }
    void theSettingsFileIsNoWayIn()
    {
        QFETCH(QString, target);
        const QString path = settingsPath();
        QFile::remove(path);
        QFile large(path);
        QVERIFY(target == "fifo"    ? mkfifo(QFile::encodeName(path).constData(), 0600) == 0
                : target == "large" ? large.open(QIODevice::WriteOnly) && large.write("fullScreen=true\n") > 0 && large.resize(100 << 20)
                                    : QFile::link(target, path));
        const QString before = fileState(target);
        QVERIFY(!ui::settings::fullScreen());  // nothing of a file too large to be settings is read
        ui::settings::setMuted(true);
        ui::settings::setFullScreen(true);  // each setting stored keeps the other
        QVERIFY(ui::settings::fullScreen() && ui::settings::muted());
        QCOMPARE(fileBytes(path), "[General]\nfullScreen=true\nmuted=true\n");
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(fileState(target), before);
        ui::settings::setFullScreen(false), ui::settings::setMuted(false);
        QVERIFY(!ui::settings::fullScreen() && !ui::settings::muted());
    }
};

TAPDASH_TEST_MAIN(ScreenModelTest)
#include "screen_model_test.moc"
