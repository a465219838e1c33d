#pragma once
// The game's sounds: the cues the screens play at the race's moments, heard while sound is on.
// F12 switches sound off and on at any moment, on any screen (it is never a game key); the choice
// is kept in the settings beside full screen.
#include <memory>

#include "sound/mixer.h"

class QObject;

enum class Cue { Count, Go, FalseStart, Finish, Win, Record };

// The cue's samples, made at build time (tools/make_sounds.cpp)
sound::Samples cueSamples(Cue);

// Plays a cue now, over any still sounding; nothing happens without a GameSound, while sound is
// off or when there is no sound device. Never waits.
void playCue(Cue);

// The program's sound: what playCue plays on, and the F12 switch. One at a time.
class GameSound {
public:
    // Off when `off` (--mute) or when the settings say so
    explicit GameSound(bool off);
    ~GameSound();

    // Opens the sound device on a thread of its own; only ever while sound is on: switched on
    // later, it opens then.
    void open();

    bool muted() const { return mixer_.muted(); }
    // Kept in the settings
    void setMuted(bool);

    sound::Mixer& mixer() { return mixer_; }

private:
    sound::Mixer mixer_;
    std::unique_ptr<QObject> f12_;
    bool openWanted_ = false;
};
