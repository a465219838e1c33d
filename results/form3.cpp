#include "results/form3.h"

#include "app/forms.h"
#include "app/program.h"
#include "art/palette.h"
#include "ui/colors.h"

namespace results {

using namespace ui::colors;

Form3::Form3(Forms& forms) : Screen(forms)
{
    Command3.on([this] { Command3_Click(); });
    Command2.on([this] { Command2_Click(); });
    Command1.on([this] { Command1_Click(); });
}

void Form3::design(ui::Design& d)
{
    const auto banner = ui::bold("Arial Black", 21.75);
    const auto row = ui::bold("Comic Sans MS", 14.25);
    const auto productName = ui::bold("Arial Black", 12);
    d.screen("Confirmation of Results", 9510, 6540).back(red).icon(kProgramIcon).centred();
    d.button(Command3, "Same Players", 3840, 2760, 1935, 375).red().tab(4);
    d.button(Command2, "Exit", 3840, 3120, 855, 375).red().tab(3);
    d.button(Command1, "New Players", 4680, 3120, 1095, 375).red().tab(2);
    d.label(Label9, "New", 1200, 3480, 1170, 675).font(banner).fore(yellow).hidden().border().tab(11);
    d.label(Label8, "Record", 7320, 3480, 1845, 675).font(banner).fore(yellow).hidden().border().tab(10);
    d.label(Label7[0], "Label7", 5520, 3360, 900, 405).font(row).fore(blue).halo(white).hidden().rightAligned().tab(9);
    d.label(Label6[0], "Label6", 3600, 3360, 900, 405).font(row).fore(blue).halo(white).hidden().tab(8);
    d.label(Label5, "Label5", 2640, 4920, 480, 195).tab(7);
    d.label(Label4, "dash", 6600, 3720, 570, 345).font(productName).fore(black).halo(art::laneLine()).rightAligned().tab(6);
    d.label(Label3, "Tap", 2400, 3720, 945, 345).font(productName).fore(black).halo(art::laneLine()).tab(5);
    d.label(Label2, "Confirmation of Results", 1650, 1920, 6375, 555).font({"Chromalloy", 26.25, 800}).halo(art::laneLine()).centred().tab(1);
    d.label(Label1[0], "Label1", 4320, 3360, 915, 405).font(row).fore(blue).halo(white).hidden().centred().tab(0);
}

void Form3::Form_Load() { loadBackground("back.bmp"); }

void Form3::padPressed(pads::Button button)
{
    if (isShown() && button == pads::Button::Start) Command3->click();
}

// "New Players": the entry screen was only hidden, so it comes back with its entries.
void Form3::Command1_Click()
{
    forms().Form2.show();
    forms().Form1.unload();
    unload();
}

// "Exit": the closing screen ends the program after its own count.
void Form3::Command2_Click()
{
    forms().Form4.show();
    forms().Form1.unload();
    forms().Form2.unload();
    unload();
}

}  // namespace results
