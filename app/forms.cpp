#include "app/forms.h"

#include "app/cues.h"

Screen::Screen(Forms& forms) : ui::Form(forms.stage), forms_(forms) {}

void Screen::playCue(Cue cue) const
{
    if (forms_.sound) forms_.sound->play(cue);
}
