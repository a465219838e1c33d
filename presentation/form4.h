#pragma once
// The closing screen: shows the maker for five seconds, then ends the program.
#include "app/screen.h"
#include "ui/design.h"

namespace presentation {

class Form4 : public Screen {
public:
    explicit Form4(Forms&);

    ui::Ref<ui::Timer> Timer1{this};
    ui::Ref<ui::Label> Label5{this}, Label4{this}, Label3{this}, Label2{this}, Label1{this};

    // Ticks since the screen was loaded
    int EndCount = 0;

protected:
    void design(ui::Design&) override;
    void Form_Load() override;
    void onCloseButton() override;

private:
    void Timer1_Timer();
};

}  // namespace presentation
