#pragma once
// A screen of this game: a screen of the model (ui/form.h) made by the game's screens together
// (app/forms.h), which its handlers reach by name: forms().Form3.Label5->setCaption(...).
#include "ui/form.h"

struct Forms;
enum class Cue;

class Screen : public ui::Form {
public:
    // Plays a cue on the game's sound, if the screens were given one (app/cues.h)
    void playCue(Cue) const;

protected:
    explicit Screen(Forms& forms);
    Forms& forms() const { return forms_; }

private:
    Forms& forms_;
};
