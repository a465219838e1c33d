#include "presentation/form7.h"

#include "app/forms.h"
#include "presentation/maker.h"
#include "art/palette.h"
#include "ui/colors.h"

namespace presentation {

using namespace ui::colors;

Form7::Form7(Forms& forms) : Screen(forms)
{
    Command1.on([this] { Command1_Click(); });
}

void Form7::design(ui::Design& d)
{
    const auto credit = ui::plain("Arial Black", 9.75);
    d.screen("About", 9510, 6825).back(red);
    d.button(Command1, "Return to Tapdash", 3600, 5160, 2415, 735).red().tab(5);
    d.label(Label6, kMakerAddress, 3690, 2760, 2475, 195).fore(yellow).centred().tab(6);
    d.label(Label5, "Playtesting: Amira, Ben, Chloe, Dmitri, Elena and Farid", 1680, 4320, 6990, 675).font(credit).fore(white).halo(art::scoreboardFrame()).wraps().centred().tab(4);
    d.label(Label4, "Running Animations: The Tapdash team", 3000, 3840, 4215, 270).font(credit).fore(white).centred().tab(3);
    d.label(Label3, "Programming and Graphics: The Tapdash team", 2535, 3240, 5265, 270).font(credit).fore(white).centred().tab(2);
    d.label(Label2, "By Orvens Software", 2880, 2280, 4035, 480).font({"Pequod", 24, 800}).fore(yellow).centred().tab(1);
    d.label(Label1, "Credits", 3330, 1440, 3165, 705).font(ui::bold("CartoonArt", 36)).fore(white).centred().tab(0);
}

void Form7::Form_Load() { loadBackground("back.bmp"); }

// Unloaded, not hidden: every visit builds the credits afresh.
void Form7::Command1_Click()
{
    unload();
    forms().Form2.show();
}

}  // namespace presentation
