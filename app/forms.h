#pragma once
// The program's seven screens, one instance each, reached by name from every handler:
// forms().Form3.Label5->setCaption(...). The game's own pictures live as long as they do.
#include "app/own_pictures.h"
#include "entry/form2.h"
#include "entry/form6.h"
#include "race/form1.h"
#include "results/form3.h"
#include "presentation/form4.h"
#include "presentation/form5.h"
#include "presentation/form7.h"

struct Forms {
    OwnPictures pictures;
    race::Form1 Form1;
    entry::Form2 Form2;
    results::Form3 Form3;
    presentation::Form4 Form4;
    presentation::Form5 Form5;
    entry::Form6 Form6;
    presentation::Form7 Form7;
};

Forms& forms();
// Destroys every screen without running any handler (program end, and between tests). The next
// forms() makes all seven anew, every screen variable at its start value.
void discardForms();
