// The screen lifecycle and control arrays, on a screen made for the test: silent loads, array
// elements made at run time, unload and reload back to the design with the screen's variables
// kept, and unloading from inside the screen's own timer handler.
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "test_main.h"
#include "recording_platform.h"
#include "ui/colors.h"
#include "ui/design.h"
#include "ui/fonts.h"

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
    int Loads = 0, Unloads = 0;
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
    void Form_Unload(int& Cancel) override
    {
        ++Unloads;
        Cancel = CancelUnload;
    }
};

}  // namespace

class ScreenModelTest : public QObject {
    Q_OBJECT

    RecordingPlatform platform;

private slots:
    void initTestCase() { ui::installFontSubstitutes(); }
    void cleanup() { runDeferred(); }

    void loadShowUnloadAndReload()
    {
        ModelForm form;
        QVERIFY(!form.isLoaded());
        QCOMPARE(form.Label1->Caption(), "Designed");  // touching a control loads the screen, hidden
        QVERIFY(form.isLoaded() && !form.isShown());
        form.show();
        QCOMPARE(form.Loads, 1);
        QCOMPARE(form.window()->focusWidget(), form.Text1->lineEdit());  // first in tab order
        QCOMPARE(form.window()->size(), QSize(400, 300));

        // A new array element is a hidden copy of the lowest, element 2.
        form.Label2.load(3);
        const auto* lowest = static_cast<QLabel*>(form.Label2(2)->widget());
        const auto* made = static_cast<QLabel*>(form.Label2(3)->widget());
        QVERIFY(!form.Label2(3)->Visible() && made->isHidden());
        QVERIFY(made->font() == lowest->font() && made->palette() == lowest->palette() && made->autoFillBackground());
        QVERIFY(made->alignment() == lowest->alignment() && made->frameStyle() == lowest->frameStyle());
        QCOMPARE(made->size(), lowest->size());
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

        QCOMPARE(form.Label1->Caption(), "Designed");  // reloads, back to the design
        QCOMPARE(form.Loads, 2);                        // the screen's variables are kept
        QVERIFY(!form.isShown());
        QCOMPARE(form.Caption(), "Model");
        QVERIFY(!form.Label1->Visible() && form.Label1->widget()->isHidden());
        QCOMPARE(form.Label1->Top(), 240.f);
        QCOMPARE(form.Text1->Text(), "typed");
        QVERIFY(!form.Label2.exists(3) && form.Label2.count() == 2);
        runDeferred();
        QVERIFY(old.isNull());
    }

    // From a button's click handler the results screen does it, from a key event the race screen.
    void aScreenMayUnloadItselfFromItsTimersTick()
    {
        ModelForm form;
        form.show();
        QPointer<QWidget> window = form.window();
        form.Timer1->setEnabled(true);
        QTRY_VERIFY(!form.isLoaded());
        runDeferred();
        QVERIFY(window.isNull());
        QVERIFY(!form.Timer1->Enabled() && form.Loads == 2);
    }
};

TAPDASH_TEST_MAIN(ScreenModelTest)
#include "screen_model_test.moc"
