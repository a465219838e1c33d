#pragma once
// The splash screen: the maker, then the product, five ticks each (Escape cuts a phase short),
// then the player entry screen.
#include "app/screen.h"
#include "ui/design.h"

namespace presentation {

class Form5 : public Screen {
public:
    explicit Form5(Forms&);

    ui::Ref<ui::Timer> Timer1{this};
    ui::Ref<ui::PictureBox> Picture1{this};

    // Ticks still to go before the entry screen opens
    int SplashCount = 0;

protected:
    void design(ui::Design&) override;
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void onCloseButton() override;

private:
    void Timer1_Timer();
};

}  // namespace presentation
