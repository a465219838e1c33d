#include "sound/mixer.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "sound/sdl_audio.h"

namespace sound {

namespace {

constexpr int kVoices = 16;       // sounds at once; a sound that finds none free is not played
constexpr unsigned kQueue = 64;   // sounds handed over between two callbacks
constexpr unsigned kDelayLog = 4096;
constexpr float kFadeStep = 1.f / (kRate / 200);  // muting fades out over 5 ms
constexpr int kIdleFrames = kRate / 10;  // silence handed over before the callback waits for a sound

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct Request {
    Samples samples;
    std::int64_t playedNs = 0;
};

struct Voice {
    Samples samples;
    std::size_t next = 0;
};

}  // namespace

struct Mixer::Shared {
    const std::string program;
    std::atomic<State> state{State::Closed};
    std::atomic<bool> muted{false};

    // Requests: written by play() at `head`, taken by the callback at `tail`
    std::array<Request, kQueue> queue;
    std::atomic<unsigned> head{0}, tail{0};

    // The callback's own
    std::array<Voice, kVoices> voices;
    float gain = 1;
    std::array<std::int32_t, kBufferFrames> sum{};
    int idleFrames = 0;
    // The callback waits for a sound while `sleeping`; play() and close() wake it.
    std::atomic<bool> sleeping{false}, stopping{false};

    std::atomic<std::uint64_t> frames{0};
    std::array<std::atomic<std::uint32_t>, kDelayLog> delaysUs{};
    std::atomic<unsigned> delays{0};

    // The device, and who closes it: the mixer, or the opening thread once the mixer is gone
    std::mutex closing;
    bool openerDone = false;  // the opening thread has finished
    bool abandoned = false;   // the mixer is gone
    const SdlAudio* sdl = nullptr;
    SDL_AudioDeviceID device = 0;

    explicit Shared(std::string name) : program(std::move(name)) {}

    bool silent() const;
    void waitForSound();
    void take(std::int64_t startedNs[], int& started);
    void mix(std::int16_t* out, int frameCount);
    void openDevice();
    void close();
};

bool Mixer::Shared::silent() const
{
    return std::all_of(voices.begin(), voices.end(), [](const Voice& v) { return v.samples.empty(); });
}

void Mixer::Shared::waitForSound()
{
    for (;;) {
        sleeping = true;
        if (head != tail.load(std::memory_order_relaxed) || stopping) break;
        sleeping.wait(true);
    }
    sleeping = false;
}

// New requests become voices; their play() times are kept to log the delay once handed over.
void Mixer::Shared::take(std::int64_t startedNs[], int& started)
{
    const unsigned end = head.load(std::memory_order_acquire);
    unsigned next = tail.load(std::memory_order_relaxed);
    for (; next != end; ++next) {
        const Request& request = queue[next % kQueue];
        const auto free = std::find_if(voices.begin(), voices.end(), [](const Voice& v) { return v.samples.empty(); });
        if (free == voices.end()) continue;
        *free = {request.samples, 0};
        if (started < int(kQueue)) startedNs[started++] = request.playedNs;
    }
    tail.store(next, std::memory_order_release);
}

void Mixer::Shared::mix(std::int16_t* out, int frameCount)
{
    // Open once the device asks for its second buffer: SDL fills the first before the device is
    // ready, and a sound server can take a second or two to start the stream. A sound played
    // meanwhile would be heard that much late.
    State opening = State::Opening;
    if (frames.load(std::memory_order_relaxed) > 0) state.compare_exchange_strong(opening, State::Open);
    // Silent for a while: rather than wake hundreds of times a second to hand over silence, the
    // device's thread waits here for the next sound. The device runs dry meanwhile, which a sound
    // server takes as a pause, and starts again with the sound.
    if (idleFrames >= kIdleFrames) waitForSound();
    const float target = muted.load(std::memory_order_relaxed) ? 0.f : 1.f;
    if (silent()) gain = target;  // nothing sounds that a jump could cut
    std::int64_t startedNs[kQueue];
    int started = 0;
    take(startedNs, started);
    for (int done = 0; done < frameCount;) {
        const int n = std::min(frameCount - done, kBufferFrames);
        std::fill_n(sum.begin(), n, 0);
        for (Voice& voice : voices) {
            if (voice.samples.empty()) continue;
            const std::size_t count = std::min<std::size_t>(n, voice.samples.size() - voice.next);
            for (std::size_t i = 0; i < count; ++i) sum[i] += voice.samples[voice.next + i];
            voice.next += count;
            if (voice.next == voice.samples.size()) voice = {};
        }
        for (int i = 0; i < n; ++i) {
            gain = gain < target ? std::min(target, gain + kFadeStep) : std::max(target, gain - kFadeStep);
            out[done + i] = std::int16_t(std::clamp<std::int32_t>(std::int32_t(float(sum[i]) * gain), -32768, 32767));
        }
        done += n;
    }
    // Faded out: what still played is dropped, so nothing sounds on where it was cut off.
    if (gain == 0) voices.fill({});
    idleFrames = silent() ? idleFrames + frameCount : 0;
    frames.fetch_add(std::uint64_t(frameCount), std::memory_order_release);
    const std::int64_t handedNs = nowNs();
    for (int i = 0; i < started; ++i) {
        const unsigned slot = delays.load(std::memory_order_relaxed);
        delaysUs[slot % kDelayLog].store(std::uint32_t((handedNs - startedNs[i]) / 1000), std::memory_order_relaxed);
        delays.store(slot + 1, std::memory_order_release);
    }
}

void Mixer::Shared::openDevice()
{
    std::string why;
    sdl = sdlAudio(why);
    SDL_AudioDeviceID opened = 0;
    // SDL would otherwise take over SIGINT and SIGTERM, and the game would no longer end on them.
    if (sdl) sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (sdl && sdl->InitSubSystem(SDL_INIT_AUDIO) == 0) {
        SDL_AudioSpec wanted{};
        wanted.freq = kRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 1;
        wanted.samples = kBufferFrames;
        wanted.userdata = this;
        wanted.callback = [](void* shared, Uint8* stream, int bytes) {
            static_cast<Shared*>(shared)->mix(reinterpret_cast<std::int16_t*>(stream), bytes / int(sizeof(std::int16_t)));
        };
        // Any other format the device wants is converted by SDL.
        opened = sdl->OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
        if (!opened) {
            why = sdl->GetError();
            sdl->QuitSubSystem(SDL_INIT_AUDIO);
        }
    } else if (sdl) {
        why = sdl->GetError();
    }
    if (opened) releaseStartupPages();

    const std::lock_guard lock(closing);
    openerDone = true;
    device = opened;
    if (!opened) {
        std::fprintf(stderr, "%s: no sound (%s); playing on silently\n", program.c_str(), why.c_str());
        state = State::Failed;
        return;
    }
    sdl->PauseAudioDevice(device, 0);
    if (abandoned) close();
}

void Mixer::Shared::close()
{
    if (!device) return;
    stopping = true;
    if (sleeping.exchange(false)) sleeping.notify_one();
    sdl->CloseAudioDevice(device);
    sdl->QuitSubSystem(SDL_INIT_AUDIO);
    device = 0;
    state = State::Closed;
}

void useNoSharedMemoryPool() { setenv("PULSE_MEMPOOL_DISABLE", "1", 0); }

Mixer::Mixer(std::string program) : shared_(std::make_shared<Shared>(std::move(program))) {}

Mixer::~Mixer()
{
    bool openerDone = false;
    {
        const std::lock_guard lock(shared_->closing);
        shared_->abandoned = true;
        openerDone = shared_->openerDone;
    }
    close();
    if (!opener_.joinable()) return;
    // Still opening: the thread has its own hold on what it shares and closes the device itself.
    if (openerDone) opener_.join();
    else opener_.detach();
}

void Mixer::close()
{
    const std::lock_guard lock(shared_->closing);
    if (shared_->openerDone) shared_->close();
}

void Mixer::open()
{
    if (shared_->state != State::Closed || opener_.joinable()) return;
    shared_->state = State::Opening;
    opener_ = std::thread([shared = shared_] { shared->openDevice(); });
}

Mixer::State Mixer::state() const { return shared_->state; }

void Mixer::play(Samples samples)
{
    Shared& s = *shared_;
    if (s.state != State::Open || s.muted.load(std::memory_order_relaxed) || samples.empty()) return;
    const unsigned head = s.head.load(std::memory_order_relaxed);
    if (head - s.tail.load(std::memory_order_acquire) == kQueue) return;  // the device has stopped taking them
    s.queue[head % kQueue] = {samples, nowNs()};
    s.head = head + 1;
    if (s.sleeping.exchange(false)) s.sleeping.notify_one();
}

void Mixer::setMuted(bool on) { shared_->muted = on; }
bool Mixer::muted() const { return shared_->muted; }

std::uint64_t Mixer::framesHanded() const { return shared_->frames.load(std::memory_order_acquire); }
bool Mixer::idle() const { return shared_->sleeping && shared_->head == shared_->tail; }

std::vector<double> Mixer::startDelaysMs() const
{
    const unsigned count = shared_->delays.load(std::memory_order_acquire);
    std::vector<double> delays;
    for (unsigned i = count > kDelayLog ? count - kDelayLog : 0; i < count; ++i)
        delays.push_back(shared_->delaysUs[i % kDelayLog].load(std::memory_order_relaxed) / 1000.0);
    return delays;
}

}  // namespace sound
