#include "app/forms.h"

Screen::Screen(Forms& forms) : ui::Form(forms.stage), forms_(forms) {}
