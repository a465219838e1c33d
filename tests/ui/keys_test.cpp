// Key events as screens receive them: virtual-key codes, the shift mask, auto-repeat, and keys
// reaching the screen only while none of its controls holds the focus.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "test_main.h"
#include "recording_platform.h"
#include "test_clock.h"
#include "ui/design.h"
#include "ui/fonts.h"
#include "ui/keys.h"

namespace {

struct KeyForm : ui::Form {
    explicit KeyForm(ui::Stage& stage) : ui::Form(stage) {}
    ui::Ref<ui::TextBox> Text1{this};
    QList<QPair<int, int>> keyDowns;  // code, shift mask

    void design(ui::Design& d) override { d.screen("Keys", 4500, 3000).textBox(Text1, "", 120, 600, 1215, 285).disabled().tab(0); }
    void Form_KeyDown(int& KeyCode, int Shift) override { keyDowns.append({KeyCode, Shift}); }
};

}  // namespace

class KeysTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::installFontSubstitutes(); }
    void cleanup() { runDeferred(); }

    // The X keycode names the key: a layout without Latin letters gives the US letter on it, a
    // Latin one the letter it prints (AZERTY's Q where US has A), other keys as ever.
    void virtualKeyCodes()
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
    }

    // Shift and Ctrl (16 and 17) as the screen receives them, and keys going to a focused control
    void realKeysReachTheScreenWithShiftMaskAndRepeats()
    {
        TestClock clock;
        RecordingPlatform platform;
        ui::Stage stage(clock, platform);
        KeyForm form(stage);
        form.show();
        QWindow* window = form.window()->window()->windowHandle();  // the game's one window
        QTest::keyClick(window, Qt::Key_Tab);  // no control to move the focus to: the screen's key
        QTest::keyClick(window, Qt::Key_Q, Qt::ShiftModifier | Qt::ControlModifier);
        QTest::keyClick(window, Qt::Key_Insert, Qt::KeypadModifier);
        for (bool repeat : {false, true, true, true}) QTest::simulateEvent(window, true, Qt::Key_P, {}, "p", repeat);
        // A modifier key's own key-down already carries its bit in the shift mask.
        const QList<QPair<int, int>> expected{{9, 0}, {16, 1}, {17, 3}, {81, 3}, {45, 0}, {80, 0}, {80, 0}, {80, 0}, {80, 0}};
        QCOMPARE(form.keyDowns, expected);

        form.Text1->setEnabled(true);  // a control that holds the focus takes the keys instead
        form.Text1->lineEdit()->setFocus();
        QTest::keyClick(window, 'a');
        QTest::keyClick(window, Qt::Key_Tab);  // the window itself is never a Tab stop
        QVERIFY(form.keyDowns == expected && form.Text1->Text() == "a");
        QCOMPARE(QApplication::focusWidget(), form.Text1->lineEdit());
    }
};

TAPDASH_TEST_MAIN(KeysTest)
#include "keys_test.moc"
