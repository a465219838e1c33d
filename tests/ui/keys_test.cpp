// Key events as screens receive them: virtual-key codes, the shift mask, auto-repeat, and keys
// reaching the screen only while none of its controls holds the focus.
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "recording_platform.h"
#include "ui/design.h"
#include "ui/fonts.h"
#include "ui/keys.h"

namespace {

class KeyForm : public ui::Form {
public:
    ui::Ref<ui::TextBox> Text1{this};
    ui::Ref<ui::Label> Label1{this};
    bool focusableText = false;
    QList<QPair<int, int>> keyDowns;  // code, shift mask

protected:
    void design(ui::Design& d) override
    {
        d.screen("Keys", 4500, 3000);
        ui::TextBox& text = d.textBox(Text1, "", 120, 600, 1215, 285).tab(0);
        if (!focusableText) text.disabled();
        d.label(Label1, "Press", 120, 120, 600, 240);
    }
    void Form_KeyDown(int& KeyCode, int Shift) override { keyDowns.append({KeyCode, Shift}); }
};

}  // namespace

class KeysTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::installFontSubstitutes(); }
    void cleanup() { runDeferred(); }

    void virtualKeyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        const Qt::KeyboardModifiers none, shift(Qt::ShiftModifier), keypad(Qt::KeypadModifier);
        QTest::newRow("p") << int(Qt::Key_P) << none << "p" << 80;
        QTest::newRow("Shift+P") << int(Qt::Key_P) << shift << "P" << 80;
        QTest::newRow("Caps Lock P") << int(Qt::Key_P) << none << "P" << 80;
        QTest::newRow("Insert") << int(Qt::Key_Insert) << none << "" << 45;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "" << 46;
        QTest::newRow("keypad 0, Num Lock off") << int(Qt::Key_Insert) << keypad << "" << 45;
        QTest::newRow("keypad ., Num Lock off") << int(Qt::Key_Delete) << keypad << "" << 46;
        QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << "0" << 96;
        QTest::newRow("keypad 9") << int(Qt::Key_9) << keypad << "9" << 105;
        QTest::newRow("keypad .") << int(Qt::Key_Period) << keypad << "." << 110;
        QTest::newRow("keypad 5, Num Lock off") << int(Qt::Key_Clear) << keypad << "" << 12;
        QTest::newRow("Menu") << int(Qt::Key_Menu) << none << "" << 93;
        QTest::newRow("digit 0") << int(Qt::Key_0) << none << "0" << 48;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << none << "" << 27;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << shift << "" << 16;
        QTest::newRow("Ctrl") << int(Qt::Key_Control) << Qt::KeyboardModifiers(Qt::ControlModifier) << "" << 17;
        QTest::newRow("Alt") << int(Qt::Key_Alt) << Qt::KeyboardModifiers(Qt::AltModifier) << "" << 18;
    }
    void virtualKeyCodes()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, text);
        QFETCH(int, code);
        QCOMPARE(ui::virtualKey(QKeyEvent(QEvent::KeyPress, key, modifiers, text)), code);
    }

    void realKeysReachTheScreenWithShiftMaskAndRepeats()
    {
        KeyForm form;
        form.show();
        QWindow* window = form.window()->windowHandle();
        QTest::keyClick(window, Qt::Key_Tab);  // no control to move the focus to: the screen's key
        QTest::keyClick(window, Qt::Key_Q, Qt::ShiftModifier | Qt::ControlModifier);
        QTest::keyClick(window, Qt::Key_Insert, Qt::KeypadModifier);
        QTest::simulateEvent(window, true, Qt::Key_P, {}, "p", false);
        for (int repeat = 0; repeat < 3; ++repeat) QTest::simulateEvent(window, true, Qt::Key_P, {}, "p", true);
        // A modifier key's own key-down already carries its bit in the shift mask.
        const QList<QPair<int, int>> expected{{9, 0},  {16, 1}, {17, 3}, {81, 3}, {45, 0},
                                              {80, 0}, {80, 0}, {80, 0}, {80, 0}};
        QCOMPARE(form.keyDowns, expected);
    }

    void keysGoToAFocusedControlInstead()
    {
        KeyForm form;
        form.focusableText = true;
        form.show();
        QCOMPARE(form.window()->focusWidget(), form.Text1->lineEdit());
        QTest::keyClick(form.window()->windowHandle(), 'a');
        QVERIFY(form.keyDowns.isEmpty());
        QCOMPARE(form.Text1->Text(), QStringLiteral("a"));
    }
};

QTEST_MAIN(KeysTest)
#include "keys_test.moc"
