#pragma once
// The credits screen, opened from the entry screen and returning to it.
#include "app/screen.h"
#include "ui/design.h"

namespace presentation {

class Form7 : public Screen {
public:
    explicit Form7(Forms&);

    ui::Ref<ui::CommandButton> Command1{this};
    ui::Ref<ui::Label> Label6{this}, Label5{this}, Label4{this}, Label3{this}, Label2{this}, Label1{this};

protected:
    void design(ui::Design&) override;
    void Form_Load() override;
    void onCloseButton() override { Command1_Click(); }

private:
    void Command1_Click();
};

}  // namespace presentation
