#include "presentation/form4.h"

#include "presentation/maker.h"
#include "ui/colors.h"

namespace presentation {

using namespace ui::colors;

Form4::Form4(Forms& forms) : Screen(forms)
{
    Timer1.on([this] { Timer1_Timer(); });
}

void Form4::design(ui::Design& d)
{
    d.screen("About Tapdash", 9480, 6795).back(red);
    d.timer(Timer1, 5040, 3120, 1000).disabled();
    d.label(Label5, "Please wait... Ending Program", 3855, 6240, 2145, 195).fore(yellow).centred().tab(4);
    d.label(Label4, "Were you the Tapdash?", 1560, 3360, 7185, 765).font(ui::bold("Comic Sans MS", 27.75)).fore(darkGreen).halo(white).centred().tab(3);
    d.label(Label3, kMakerAddress, 3000, 5400, 4155, 360).font(ui::plain("MS Sans Serif", 13.5)).fore(yellow).centred().tab(2);
    d.label(Label2, "By Orvens Software", 1920, 4320, 5715, 825).font(ui::bold("Times New Roman", 36)).fore(blue).centred().tab(1);
    d.label(Label1, "Tapdash", 1485, 1680, 6705, 1620).font({"Times New Roman", 72, 700, true}).fore(yellow).centred().tab(0);
}

void Form4::Form_Load()
{
    loadBackground("back.bmp");
    Timer1->setEnabled(true);
    EndCount = 0;
}

void Form4::Timer1_Timer()
{
    EndCount += 1;
    if (EndCount == 5) {
        unload();
        stage().platform.endProgram();
    }
}

// The screen is only ever up while the program ends; closing it just ends it sooner.
void Form4::onCloseButton() { stage().platform.endProgram(); }

}  // namespace presentation
