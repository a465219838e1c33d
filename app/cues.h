#pragma once
// The game's sounds: the cues the screens play at the race's moments, heard while sound is on.
// F12 switches sound off and on at any moment, on any screen (it is never a game key); the choice
// is kept in the settings beside full screen.
#include "sound/mixer.h"
#include "ui/key_switch.h"

enum class Cue { Count, Go, FalseStart, Finish, Win, Record };

// The cue's samples, made at build time (tools/make_sounds.cpp)
sound::Samples cueSamples(Cue);

// The program's sound, made by main and handed to the screens (app/forms.h): what the cues play
// on, and the F12 switch.
class GameSound {
public:
    // Off when `off` (--mute) or when the settings say so
    explicit GameSound(bool off);

    // Opens the sound device on a thread of its own; only ever while sound is on: switched on
    // later, it opens then.
    void open();

    // Plays a cue now, over any still sounding; nothing is heard while sound is off or when there
    // is no sound device. Never waits.
    void play(Cue cue) { mixer_.play(cueSamples(cue)); }

    bool muted() const { return mixer_.muted(); }
    // Kept in the settings
    void setMuted(bool);

    sound::Mixer& mixer() { return mixer_; }

private:
    sound::Mixer mixer_;
    ui::KeySwitch f12_{Qt::Key_F12, [this] { setMuted(!muted()); }};
    bool openWanted_ = false;
};
