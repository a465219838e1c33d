#include "entry/form2.h"

#include "app/forms.h"
#include "app/program.h"
#include "art/palette.h"
#include "files/player_list_file.h"
#include "ui/colors.h"

namespace entry {

using namespace ui::colors;

Form2::Form2(Forms& forms) : Screen(forms)
{
    Check1.on([this] { Check_Click(1); });
    Check2.on([this] { Check_Click(2); });
    Check3.on([this] { Check_Click(3); });
    Check4.on([this] { Check_Click(4); });
    Command1.on([this] { Command1_Click(); });
    Command2.on([this] { Command2_Click(); });
    Command3.on([this](int index) { Command3_Click(index); });
    Command4.on([this] { Command4_Click(); });
}

void Form2::design(ui::Design& d)
{
    const auto comic = ui::bold("Comic Sans MS", 8.25);
    d.screen("Whos playing Tapdash then?", 9510, 6825).back(red).icon(kProgramIcon);
    d.button(Command4, "About", 5640, 4080, 975, 495).red().tab(24);
    d.button(Command3[4], "..", 5880, 3720, 255, 255).tab(19);
    d.button(Command3[3], "..", 5880, 3360, 255, 255).tab(18);
    d.button(Command3[2], "..", 5880, 3000, 255, 255).tab(17);
    d.button(Command3[1], "..", 5880, 2640, 255, 255).tab(16);
    d.button(Command2, "Exit Game", 4200, 4080, 1455, 495).red().tab(15);
    d.checkBox(Check4, "Check4", 5520, 3720, 255, 255).back(red).tab(12);
    d.textBox(Text4, "Disabled", 4200, 3720, 1215, 285).fore(black).back(lightGrey).disabled().maxLength(kNameLength).tab(11);
    d.checkBox(Check3, "Check3", 5520, 3360, 255, 255).back(red).tab(10);
    d.textBox(Text3, "Disabled", 4200, 3360, 1215, 285).back(lightGrey).disabled().maxLength(kNameLength).tab(9);
    d.button(Command1, "Play", 2760, 4080, 1455, 495).red().tab(13);
    d.textBox(Text2, "Disabled", 4200, 3000, 1215, 285).back(lightGrey).disabled().maxLength(kNameLength).tab(7);
    d.checkBox(Check2, "Check2", 5520, 3000, 255, 255).back(red).tab(8);
    d.checkBox(Check1, "Check1", 5520, 2640, 255, 255).back(red).tab(6);
    d.textBox(Text1, "Disabled", 4200, 2640, 1215, 285).fore(black).back(lightGrey).disabled().maxLength(kNameLength).tab(5);
    d.label(Label11[3], "None", 6240, 3360, 390, 195).fore(white).tab(23);
    d.label(Label11[2], "None", 6240, 3000, 390, 195).fore(white).tab(22);
    d.label(Label11[1], "None", 6240, 2640, 390, 195).fore(white).tab(21);
    d.label(Label11[4], "None", 6240, 3720, 390, 195).fore(white).tab(20);
    d.label(Label6, "This version(1.51) was released on the 14th May 1998", 2880, 4680, 3855, 195).fore(white).halo(art::scoreboardFrame()).centred().tab(14);
    d.label(Label5, "Name", 4470, 2280, 675, 345).font(ui::bold("Comic Sans MS", 12)).fore(yellow).centred().tab(0);
    d.label(Label4, "(0+.) Player 4:", 2760, 3720, 1335, 255).font(comic).fore(yellow).fixedSize().tab(1);
    d.label(Label3, "(v+b) Player 3:", 2760, 3360, 1215, 240).font(comic).fore(yellow).tab(2);
    d.label(Label2, "(q+w) Player 2:", 2760, 3000, 1245, 240).font(comic).fore(yellow).tab(3);
    d.label(Label1, "(o+p) Player 1:", 2760, 2640, 1215, 240).font(comic).fore(yellow).tab(4);
    for (int player = 1; player <= 4; ++player)
        d.label(PadMark[player], "pad", 2280, 2640 + 360 * (player - 1), 420, 240).font(comic).fore(yellow).rightAligned().hidden();
}

ui::Ref<ui::CheckBox>& Form2::check(int player)
{
    switch (player) {
    case 1: return Check1;
    case 2: return Check2;
    case 3: return Check3;
    case 4: return Check4;
    }
    ui::controlFault("the entry screen has no such player", player);
}

ui::Ref<ui::TextBox>& Form2::nameBox(int player)
{
    switch (player) {
    case 1: return Text1;
    case 2: return Text2;
    case 3: return Text3;
    case 4: return Text4;
    }
    ui::controlFault("the entry screen has no such player", player);
}

void Form2::Form_Load()
{
    loadBackground(QStringLiteral("back.bmp"));
    for (int player = 1; player <= 4; ++player) PadMark(player)->setVisible(PadConnected[player - 1]);
}

void Form2::showPad(int player, bool connected)
{
    PadConnected.at(player - 1) = connected;
    if (isLoaded()) PadMark(player)->setVisible(connected);
}

// Two independent tests of the value, so a row always ends in one of its two states.
void Form2::Check_Click(int player)
{
    ui::TextBox& name = nameBox(player).get();
    if (check(player)->Value() == 1) {
        name.setText(QString());
        name.setEnabled(true);
        name.setBackColor(white);
    }
    if (check(player)->Value() == 0) {
        name.setText(QStringLiteral("Disabled"));
        name.setEnabled(false);
        name.setBackColor(lightGrey);
    }
}

void Form2::Command3_Click(int Index)
{
    forms().Form6.load();
    forms().Form6.Label1->setCaption(QString::number(Index));
    forms().Form6.show();
    hide();
}

void Form2::Command4_Click()
{
    forms().Form7.load();
    forms().Form7.show();
    hide();
}

void Form2::Command2_Click()
{
    forms().Form4.load();
    forms().Form4.show();
    unload();
    stage().platform.endProgram();
}

}  // namespace entry
