#pragma once
// The player entry screen: four player rows (play or not, name, runner file) and the buttons
// that start a race, pick a runner file, show the credits or end the program.
#include <array>

#include "app/screen.h"
#include "ui/design.h"

namespace entry {

// The most characters a name box holds
inline constexpr int kNameLength = 10;

class Form2 : public Screen {
public:
    explicit Form2(Forms&);

    ui::Ref<ui::CommandButton> Command4{this};
    ui::Array<ui::CommandButton> Command3{this};
    ui::Ref<ui::CommandButton> Command2{this};
    ui::Ref<ui::CheckBox> Check4{this};
    ui::Ref<ui::TextBox> Text4{this};
    ui::Ref<ui::CheckBox> Check3{this};
    ui::Ref<ui::TextBox> Text3{this};
    ui::Ref<ui::CommandButton> Command1{this};
    ui::Ref<ui::TextBox> Text2{this};
    ui::Ref<ui::CheckBox> Check2{this}, Check1{this};
    ui::Ref<ui::TextBox> Text1{this};
    ui::Array<ui::Label> Label11{this};
    ui::Ref<ui::Label> Label6{this}, Label5{this}, Label4{this}, Label3{this}, Label2{this}, Label1{this};
    // Beyond the design: "pad" left of a player's key hint while the player's pad is connected
    ui::Array<ui::Label> PadMark{this};
    std::array<bool, 4> PadConnected{};

    void showPad(int player, bool connected);

    // The row controls of player 1..4
    ui::Ref<ui::CheckBox>& check(int player);
    ui::Ref<ui::TextBox>& nameBox(int player);

protected:
    void design(ui::Design&) override;
    void Form_Load() override;
    void onCloseButton() override { Command2_Click(); }

private:
    void Check_Click(int player);  // the player switch, shared by Check1_Click..Check4_Click
    void Command1_Click();         // "Play": the race set-up
    void Command2_Click();         // "Exit Game"
    void Command3_Click(int Index);  // ".." of player Index
    void Command4_Click();         // "About"
};

// The message for a race with nobody in it, from "Play" and from "Same Players" alike
void sayNobodyPlays(ui::Stage&);

}  // namespace entry
