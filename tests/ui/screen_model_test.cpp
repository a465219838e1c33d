// The screen lifecycle and control arrays, on a screen made for the test: silent loads, a hidden
// screen giving up its native window, array elements made at run time, unload and reload back to
// the design with the screen's variables kept, unloading from inside the screen's own timer
// handler, and full screen. Then screen timers on real time: a fresh interval on enabling, ticks
// dropped while a message box is open, ticks caught up after the event loop was held up. Timings
// only ever bound from one side, so a slow machine cannot fail them.
#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QThread>

#include "test_main.h"
#include "file_bytes.h"
#include "recording_platform.h"
#include "ui/colors.h"
#include "ui/design.h"
#include "ui/fonts.h"
#include "ui/settings.h"
#include "ui/zoom.h"
#include "ui/timer.h"

namespace {

using namespace ui::colors;

class ModelForm : public ui::Form {
public:
    ModelForm() { Timer1.on([this] { unload(); }); }

    ui::Ref<ui::CommandButton> Command1{this};
    ui::Ref<ui::Timer> Timer1{this};
    ui::Ref<ui::TextBox> Text1{this};
    ui::Array<ui::Label> Label2{this};
    ui::Ref<ui::Label> Label1{this};

    // The screen's variables
    int Loads = 0, Unloads = 0, KeyDowns = 0;
    bool CancelUnload = false;

protected:
    void design(ui::Design& d) override
    {
        d.screen("Model", 6000, 4500);
        d.button(Command1, "Go", 3000, 3000, 1215, 495).red().tab(1);
        d.timer(Timer1, 120, 120, 100).disabled();
        d.textBox(Text1, "typed", 3000, 2400, 1215, 285).maxLength(10).tab(0);
        // Stored first but numbered higher: element 2 is the one new elements copy.
        d.label(Label2[5], "five", 120, 2400, 900, 240).font(ui::plain("Times New Roman", 9.75)).fore(white);
        d.label(Label2[2], "two", 120, 1200, 1200, 300).font(ui::bold("Comic Sans MS", 12)).fore(yellow).back(blue)
            .rightAligned().fixedSize().border();
        d.label(Label1, "Designed", 120, 240, 900, 240).hidden();
    }
    void Form_Load() override { ++Loads; }
    void Form_KeyDown(int&, int) override { ++KeyDowns; }
    void Form_Unload(int& Cancel) override { ++Unloads, Cancel = CancelUnload; }
};

}  // namespace

class ScreenModelTest : public QObject {
    Q_OBJECT

    RecordingPlatform platform;
    int ticks = 0;

private slots:
    void initTestCase() { ui::installFontSubstitutes(); }
    void init() { ticks = platform.holdOpenMs = 0; }
    void cleanup() { runDeferred(); }

    // Ends with the screen unloading itself from its own timer's tick: the results screen does it
    // from a button's click handler, the race screen from a key event.
    void loadShowUnloadAndReload()
    {
        ModelForm form;
        QVERIFY(!form.isLoaded() && form.Label1->Caption() == "Designed");  // touching a control loads the screen
        QVERIFY(form.isLoaded() && !form.isShown());
        form.show();
        QVERIFY(form.Loads == 1 && form.window()->focusWidget() == form.Text1->lineEdit());  // first in tab order
        QCOMPARE(form.window()->size(), QSize(400, 300));
        // Hidden, the screen gives up its native window, and the window-sized picture behind it;
        // shown again it has them made afresh, as it was.
        form.Text1->setText("kept");
        form.hide();
        QCoreApplication::sendPostedEvents();
        QVERIFY(!form.isShown() && !form.window()->windowHandle());
        form.show();
        QVERIFY(form.isShown() && form.window()->windowHandle() && form.Text1->Text() == "kept");
        QVERIFY(form.window()->size() == QSize(400, 300) && form.window()->focusWidget() == form.Text1->lineEdit());

        // A new array element is a hidden copy of the lowest, element 2.
        form.Label2.load(3);
        const auto* lowest = static_cast<QLabel*>(form.Label2(2)->widget());
        const auto* made = static_cast<QLabel*>(form.Label2(3)->widget());
        QVERIFY(!form.Label2(3)->Visible() && made->isHidden() && made->size() == lowest->size());
        QVERIFY(made->font() == lowest->font() && made->palette() == lowest->palette() && made->autoFillBackground()
                && made->alignment() == lowest->alignment() && made->frameStyle() == lowest->frameStyle());
        form.Label2(3)->setVisible(true);
        QVERIFY(made->isVisible());

        form.setCaption("Changed");
        form.Label1->setCaption("Changed");
        form.Label1->setVisible(true);
        form.Label1->setTop(999);
        form.Text1->setText("other");
        form.CancelUnload = true;
        form.unload();
        QVERIFY(form.isShown());
        form.CancelUnload = false;
        QPointer<QWidget> old = form.window();
        form.unload();
        QVERIFY(form.Unloads == 2 && !form.isLoaded() && old && !old->isVisible());
        QCOMPARE(form.Label1->Caption(), "Designed");  // reloads, back to the design, the screen's variables kept
        QVERIFY(form.Loads == 2 && !form.isShown() && form.Caption() == "Model" && form.Text1->Text() == "typed");
        QVERIFY(!form.Label1->Visible() && form.Label1->widget()->isHidden() && form.Label1->Top() == 240.f);
        QVERIFY(!form.Label2.exists(3) && form.Label2.count() == 2);
        runDeferred();
        QVERIFY(old.isNull());

        form.show();
        old = form.window();
        form.Timer1->setEnabled(true);
        QTRY_VERIFY(!form.isLoaded());
        runDeferred();
        QVERIFY(old.isNull() && !form.Timer1->Enabled() && form.Loads == 3);
    }

    // The scene scaled uniformly and centred, controls and fonts with it, positions in the screen's
    // units untouched; F11 switches back without reaching the screen, and the choice is stored.
    void fullScreenScalesEveryControlAndF11SwitchesBack()
    {
        QVERIFY(!ui::fullScreen());  // no settings file yet
        ModelForm form;
        form.show();
        QWidget* window = form.window();
        // The button's place and font, and the font message boxes take
        const auto looks = [&form] {
            return std::tuple(form.Command1->widget()->geometry(), form.Command1->widget()->font().pixelSize(),
                              QApplication::font().pointSizeF());
        };
        const auto [designedButton, designedPixels, messagePoints] = looks();

        ui::setFullScreen(true);
        const QRect display = window->screen()->geometry();
        QCOMPARE(window->geometry(), display);
        const ui::Zoom zoom = ui::zoomOf(window);
        QCOMPARE(zoom.factor, std::min(display.width() / 400.0, display.height() / 300.0));
        QCOMPARE(zoom.origin, QPoint(qRound((display.width() - 400 * zoom.factor) / 2),
                                     qRound((display.height() - 300 * zoom.factor) / 2)));
        QCOMPARE(looks(), std::tuple(zoom.map(designedButton), qRound(designedPixels * zoom.factor),
                                     messagePoints * zoom.factor));
        form.Label2.load(7);  // made while zoomed
        QCOMPARE(form.Label2(7)->widget()->font(), form.Label2(2)->widget()->font());
        QVERIFY(form.Command1->Left() == 3000.f && ui::settings::fullScreen());

        window->setFocus();
        QTest::keyClick(window, Qt::Key_F11);
        QVERIFY(form.KeyDowns == 0 && !ui::fullScreen() && !ui::settings::fullScreen());
        QCOMPARE(window->size(), QSize(400, 300));
        QCOMPARE(looks(), std::tuple(designedButton, designedPixels, messagePoints));
        QTest::keyClick(window, Qt::Key_F10);
        QCOMPARE(form.KeyDowns, 1);

        // A broken settings file means windowed.
        const QString app = QCoreApplication::applicationName();
        QVERIFY(store(qEnvironmentVariable("XDG_CONFIG_HOME") + '/' + app + '/' + app + ".conf", "[General\nfullScreen=yes\n"));
        QVERIFY(!ui::settings::fullScreen());
    }

    void enablingStartsAFreshInterval()
    {
        ui::Timer timer(300);
        timer.event = [this] { ++ticks; };
        QTest::qWait(200);
        const int before = ticks;
        static_cast<ui::Control&>(timer).setEnabled(false);  // as a screen's window stops it
        timer.setEnabled(true);
        const QDeadlineTimer intervalEnd(290);
        QTest::qWait(200);  // past the end of the interval that was running
        if (!intervalEnd.hasExpired()) QCOMPARE(ticks, before);
        QTRY_VERIFY(ticks > before);
    }

    void ticksFallingDueWhileAMessageBoxIsOpenAreDropped()
    {
        platform.holdOpenMs = 350;
        for (bool openedByTheTick : {false, true}) {
            ticks = 0;
            ui::Timer timer(100);
            timer.event = [this, openedByTheTick] {
                if (++ticks == 1 && openedByTheTick) ui::msgBox("opened by the tick");
            };
            if (!openedByTheTick) ui::msgBox("opened elsewhere");
            QTRY_VERIFY(ticks >= int(openedByTheTick));
            QTest::qWait(30);
            QVERIFY2(ticks <= 1 + int(openedByTheTick), qPrintable(QString::number(ticks)));
        }
    }

    void ticksMissedWhileTheLoopWasBusyComeOnItsNextTurn()
    {
        ui::Timer timer(100);
        timer.event = [this] { ++ticks; };
        QThread::msleep(350);
        // Less than one period: a timer that does not catch up ticks once or twice here.
        for (const QDeadlineTimer turn(90); ticks < 3 && !turn.hasExpired();) QCoreApplication::processEvents();
        QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
    }
};

TAPDASH_TEST_MAIN(ScreenModelTest)
#include "screen_model_test.moc"
