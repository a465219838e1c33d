// The screen lifecycle and control arrays, on a screen made for the test: silent loads, unload
// and reload back to the design with the screen's variables kept, unloading from inside the
// screen's own click and timer handlers, and array elements made at run time.
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "recording_platform.h"
#include "ui/colors.h"
#include "ui/design.h"
#include "ui/fonts.h"

namespace {

using namespace ui::colors;

class ModelForm : public ui::Form {
public:
    ModelForm()
    {
        Command1.on([this] {
            ++Clicks;
            if (UnloadOnClick) unload();
        });
        Timer1.on([this] { unload(); });
    }

    ui::Ref<ui::CommandButton> Command1{this};
    ui::Ref<ui::Timer> Timer1{this};
    ui::Ref<ui::TextBox> Text1{this};
    ui::Array<ui::Label> Label2{this};
    ui::Ref<ui::Label> Label1{this};

    // The screen's variables
    int Loads = 0, Unloads = 0, Clicks = 0;
    bool CancelUnload = false, UnloadOnClick = false;

protected:
    void design(ui::Design& d) override
    {
        d.screen("Model", 6000, 4500).programIcon();
        d.button(Command1, "Go", 3000, 3000, 1215, 495).red().tab(1);
        d.timer(Timer1, 120, 120, 100).disabled();
        d.textBox(Text1, "typed", 3000, 2400, 1215, 285).maxLength(10).tab(0);
        // Stored first but numbered higher: element 2 is the one new elements copy.
        d.label(Label2, 5, "five", 120, 2400, 900, 240).font(ui::plain("Times New Roman", 9.75)).fore(white);
        d.label(Label2, 2, "two", 120, 1200, 1200, 300)
            .font(ui::bold("Comic Sans MS", 12))
            .fore(yellow)
            .back(blue)
            .rightAligned()
            .fixedSize()
            .border();
        d.label(Label1, "Designed", 120, 240, 900, 240).hidden();
    }
    void Form_Load() override { ++Loads; }
    void Form_Unload(int& Cancel) override
    {
        ++Unloads;
        Cancel = CancelUnload;
    }
};

QLabel* qlabel(ui::Label* label) { return static_cast<QLabel*>(label->widget()); }

}  // namespace

class ScreenModelTest : public QObject {
    Q_OBJECT

    RecordingPlatform platform;

private slots:
    void initTestCase() { ui::installFontSubstitutes(); }
    void cleanup() { runDeferred(); }

    void touchingAControlLoadsTheScreenHidden()
    {
        ModelForm form;
        QVERIFY(!form.isLoaded());
        QCOMPARE(form.Label1->Caption(), QStringLiteral("Designed"));
        QVERIFY(form.isLoaded());
        QVERIFY(!form.isShown());
        form.show();
        QVERIFY(form.isShown());
        QCOMPARE(form.Loads, 1);
        QCOMPARE(form.window()->focusWidget(), form.Text1->lineEdit());  // first in tab order
        QCOMPARE(form.window()->size(), QSize(400, 300));
    }

    void unloadAndReloadRestoreTheDesignButKeepTheVariables()
    {
        ModelForm form;
        form.show();
        form.setCaption(QStringLiteral("Changed"));
        form.Label1->setCaption(QStringLiteral("Changed"));
        form.Label1->setVisible(true);
        form.Label1->setTop(999);
        form.Text1->setText(QStringLiteral("other"));
        form.Label2.load(3);
        form.Clicks = 7;

        form.CancelUnload = true;
        form.unload();
        QVERIFY(form.isShown());
        form.CancelUnload = false;
        QPointer<QWidget> old = form.window();
        form.unload();
        QCOMPARE(form.Unloads, 2);
        QVERIFY(!form.isLoaded());
        QVERIFY(old && !old->isVisible());

        QCOMPARE(form.Label1->Caption(), QStringLiteral("Designed"));
        QCOMPARE(form.Loads, 2);
        QVERIFY(!form.isShown());
        QCOMPARE(form.Caption(), QStringLiteral("Model"));
        QVERIFY(!form.Label1->Visible() && form.Label1->widget()->isHidden());
        QCOMPARE(form.Label1->Top(), 240.f);
        QCOMPARE(form.Text1->Text(), QStringLiteral("typed"));
        QVERIFY(!form.Label2.exists(3));
        QCOMPARE(form.Label2.count(), 2);
        QCOMPARE(form.Clicks, 7);
        runDeferred();
        QVERIFY(old.isNull());
    }

    void aScreenMayUnloadItselfFromItsOwnHandlers()
    {
        ModelForm form;
        form.UnloadOnClick = true;
        form.show();
        QPointer<QWidget> button = form.Command1->widget();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(form.Clicks, 1);
        QVERIFY(!form.isLoaded());
        runDeferred();
        QVERIFY(button.isNull());
        QCOMPARE(form.Command1->Caption(), QStringLiteral("Go"));
        QCOMPARE(form.Loads, 2);

        form.Timer1->setEnabled(true);
        QTRY_VERIFY(!form.isLoaded());
        runDeferred();
        QVERIFY(!form.Timer1->Enabled());
        QCOMPARE(form.Loads, 3);
    }

    void aNewArrayElementIsAHiddenCopyOfTheLowest()
    {
        ModelForm form;
        form.show();
        form.Label2.load(3);
        QLabel* lowest = qlabel(form.Label2(2));
        QLabel* made = qlabel(form.Label2(3));
        QVERIFY(!form.Label2(3)->Visible() && made->isHidden());
        QCOMPARE(made->font(), lowest->font());
        QCOMPARE(made->palette().color(QPalette::WindowText), yellow);
        QCOMPARE(made->palette().color(QPalette::Window), blue);
        QVERIFY(made->autoFillBackground());
        QCOMPARE(made->alignment(), lowest->alignment());
        QCOMPARE(made->frameStyle(), lowest->frameStyle());
        QCOMPARE(made->size(), lowest->size());
        QCOMPARE(form.Label2(3)->Width(), 1200.f);
        form.Label2(3)->setVisible(true);
        QVERIFY(made->isVisible());
    }
};

QTEST_MAIN(ScreenModelTest)
#include "screen_model_test.moc"
