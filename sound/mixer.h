#pragma once
// Sounds played on the computer's default audio device through SDL: each from its start, several at
// once, added together in the device's own callback, so a sound starts in the next buffer the
// device asks for. Nothing here waits for the device: it is opened on a thread of its own, and a
// sound reaches the callback through a queue that never blocks. After a tenth of a second of
// silence the callback waits for the next sound, so an idle game does not wake hundreds of times a
// second to hand silence over.
#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace sound {

inline constexpr int kRate = 48000;        // frames a second, each one 16-bit sample (mono)
inline constexpr int kBufferFrames = 256;  // what the callback fills at a time: 5.3 ms

using Samples = std::span<const std::int16_t>;

// For main, before any thread starts (it sets an environment variable): the PulseAudio client SDL
// uses then sends the few kilobytes a cue takes over the server's socket, instead of through a
// shared memory pool of its own, which held a quarter of a megabyte.
void useNoSharedMemoryPool();

class Mixer {
public:
    enum class State { Closed, Opening, Open, Failed };

    // `program` names the program in its one line on standard error.
    explicit Mixer(std::string program);
    // Closes the device. One still being opened (a sound server that does not answer) is left to
    // its thread, which closes it once open.
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // Starts opening the device and returns at once; later calls do nothing. The mixer is Open
    // once the device asks for sound in earnest (its second buffer). When it cannot be opened the program says why in one
    // line on standard error and plays on silently.
    void open();
    // Closes the device now, if open (the mixer does on destruction); it is not opened again.
    void close();
    State state() const;

    // From one thread: the sound starts with the next buffer the device asks for, over whatever
    // still plays. The samples must outlive it. Nothing is queued while the device is not open or
    // while muted.
    void play(Samples);
    // Muting fades out what plays within a few milliseconds, so it ends without a click.
    void setMuted(bool);
    bool muted() const;

    // Frames handed to the device since it opened (none while the callback waits for a sound)
    std::uint64_t framesHanded() const;
    // True while the callback waits for a sound: everything played has been handed over.
    bool idle() const;
    // The time from each play() to the end of the callback that handed the sound's first samples
    // to the device, in milliseconds, for the sounds started so far (the last 4096 of them)
    std::vector<double> startDelaysMs() const;

    struct Shared;  // what the device's callback and the opening thread share with the mixer

private:
    std::shared_ptr<Shared> shared_;
    std::thread opener_;
};

}  // namespace sound
