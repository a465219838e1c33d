#pragma once
// The program's seven screens, one instance each, made together on the stage they share and
// reached by name from every handler: forms().Form3.Label5->setCaption(...), with the game's sound
// their cues play on. Destroying them runs no handler.
#include "entry/form2.h"
#include "entry/form6.h"
#include "presentation/form4.h"
#include "presentation/form5.h"
#include "presentation/form7.h"
#include "race/form1.h"
#include "results/form3.h"
#include "ui/stage.h"

class GameSound;

struct Forms {
    // Without a sound (most tests) every cue is silent.
    explicit Forms(ui::Stage& stage, GameSound* sound = nullptr)
        : stage(stage), sound(sound), Form1(*this), Form2(*this), Form3(*this), Form4(*this), Form5(*this), Form6(*this), Form7(*this)
    {
    }
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    ui::Stage& stage;
    GameSound* const sound;
    race::Form1 Form1;
    entry::Form2 Form2;
    results::Form3 Form3;
    presentation::Form4 Form4;
    presentation::Form5 Form5;
    entry::Form6 Form6;
    presentation::Form7 Form7;
};
