#include "presentation/form5.h"

#include "app/forms.h"
#include "ui/colors.h"
#include "ui/keys.h"

namespace presentation {

using namespace ui::colors;

Form5::Form5(Forms& forms) : Screen(forms)
{
    Timer1.on([this] { Timer1_Timer(); });
}

void Form5::design(ui::Design& d)
{
    d.screen("Welcome to", 9480, 6795).back(red);
    d.timer(Timer1, 3240, 240, 1000);
    d.pictureBox(Picture1, 2280, 1200, 4485, 3195).back(red).disabled().tab(0);
}

void Form5::Form_Load()
{
    Picture1->setPicture(stage().pictures.loadOrWarn("orvenspres.bmp"));
    SplashCount = 10;
}

void Form5::Timer1_Timer()
{
    SplashCount -= 1;
    if (SplashCount == 5) {
        setCaption("Welcome to Orvens' Tapdash");
        Picture1->setPicture(stage().pictures.loadOrWarn("tapdash.bmp"));
    }
    if (SplashCount == 0) {
        forms().Form2.load();
        forms().Form2.show();
        unload();
    }
}

// Escape ends the current phase at once; the timer keeps its own rhythm.
void Form5::Form_KeyDown(int& KeyCode, int /*Shift*/)
{
    if (KeyCode != ui::kKeyEscape) return;
    SplashCount = SplashCount > 5 ? 6 : 1;
    Timer1_Timer();
}

// Closing the splash skips it whole, straight to the entry screen.
void Form5::onCloseButton()
{
    SplashCount = 1;
    Timer1_Timer();
}

}  // namespace presentation
