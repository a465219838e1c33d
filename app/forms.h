#pragma once
// The program's seven screens, one instance each, reached by name from every handler:
// forms().Form3.Label5->setCaption(...).
#include "entry/form2.h"
#include "entry/form6.h"
#include "race/form1.h"
#include "results/form3.h"
#include "presentation/form4.h"
#include "presentation/form5.h"
#include "presentation/form7.h"

struct Forms {
    explicit Forms(ui::Stage& stage)
        : Form1(stage), Form2(stage), Form3(stage), Form4(stage), Form5(stage), Form6(stage), Form7(stage)
    {
    }

    race::Form1 Form1;
    entry::Form2 Form2;
    results::Form3 Form3;
    presentation::Form4 Form4;
    presentation::Form5 Form5;
    entry::Form6 Form6;
    presentation::Form7 Form7;
};

// Makes all seven screens on a stage, every screen variable at its start value
void makeForms(ui::Stage&);
// The screens made last
Forms& forms();
// Destroys every screen without running any handler (program end, and between tests).
void discardForms();
