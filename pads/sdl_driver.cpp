// The pads over SDL2's game controller API, built as a module of its own: the program loads it,
// and with it SDL and the many libraries SDL links, only once a pad may be there.
//
// SDL offers nothing to wait on, so the events are let in by doorbells: each pad's device file,
// opened a second time and watched by the event loop, rings when the pad has news, and the driver
// then pumps SDL, which reads the same news from its own handle. A slow timer pumps for pads
// plugged in or out. Only a pad with no device file (SDL's virtual pads) is read on a fast timer.
#include <algorithm>
#include <array>
#include <cerrno>

#include <SDL2/SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>

#include "pads/driver.h"

namespace pads {

namespace {

constexpr int kHotplugMs = 500;  // how soon a pad plugged in or out is noticed
constexpr int kPollMs = 8;       // how often a pad without a device file is read
// Events handled at one go: the rest wait until the event loop has run, so that a flood of them
// never holds up the screen's painting and timers.
constexpr int kBatch = 32;

Button buttonOf(int button)
{
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return Button::South;
    case SDL_CONTROLLER_BUTTON_START: return Button::Start;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return Button::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return Button::RightShoulder;
    default: return Button::Other;
    }
}

struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    int deviceFile = -1;
    QSocketNotifier* doorbell = nullptr;
};

class SdlDriver : public Driver {
public:
    explicit SdlDriver(Listener& listener) : listener_(listener)
    {
        hotplug_.callOnTimeout([this] { pump(); });
        hotplug_.start(kHotplugMs);
        poll_.callOnTimeout([this] { pump(); });
        poll_.setInterval(kPollMs);
        more_.setSingleShot(true);
        more_.callOnTimeout([this] { pump(); });
        pump();
    }

    ~SdlDriver() override
    {
        for (Pad& pad : pads_)
            if (pad.controller) release(pad);
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    void pump() override
    {
        SDL_PumpEvents();
        SDL_Event event;
        for (int handled = 0; handled < kBatch; ++handled) {
            // Only the joystick and game controller events: the rest of SDL's queue is not ours.
            if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_JOYAXISMOTION, SDL_FINGERDOWN - 1) < 1) return;
            handle(event);
        }
        more_.start(0);
    }

private:
    // A pad's number, 1 to kPads, or 0 for a pad that has none
    int numberOf(SDL_JoystickID id) const
    {
        const auto found = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& pad) { return pad.controller && pad.id == id; });
        return found == pads_.end() ? 0 : int(found - pads_.begin()) + 1;
    }

    // The listener may run a nested event loop (a message box) that pumps again: nothing here
    // holds on to a pad across a call to it.
    void handle(const SDL_Event& event)
    {
        switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED: plugIn(event.cdevice.which); break;
        case SDL_CONTROLLERDEVICEREMOVED: unplug(event.cdevice.which); break;
        case SDL_CONTROLLERBUTTONDOWN:
            if (const int number = numberOf(event.cbutton.which)) listener_.padPressed(number, buttonOf(event.cbutton.button));
            break;
        default: break;
        }
    }

    // A pad is given the lowest free number; a fifth one is left alone. SDL reads a pad's state
    // as it opens it, so a button already held then is no press.
    void plugIn(int deviceIndex)
    {
        const auto free = std::find_if(pads_.begin(), pads_.end(), [](const Pad& pad) { return !pad.controller; });
        if (free == pads_.end()) return;
        SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
        if (!controller) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
        if (numberOf(id)) {  // announced twice
            SDL_GameControllerClose(controller);
            return;
        }
        Pad& pad = *free;
        pad.controller = controller;
        pad.id = id;
        const char* deviceFile = SDL_GameControllerPath(controller);
        pad.deviceFile = deviceFile ? ::open(deviceFile, O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
        if (pad.deviceFile >= 0) {
            QSocketNotifier* doorbell = pad.doorbell = new QSocketNotifier(pad.deviceFile, QSocketNotifier::Read, &doorbells_);
            QObject::connect(doorbell, &QSocketNotifier::activated, doorbell, [this, doorbell] { answer(*doorbell); });
        }
        pollWhileNeeded();
        listener_.padConnected(int(free - pads_.begin()) + 1, true);
    }

    void unplug(SDL_JoystickID id)
    {
        const int number = numberOf(id);
        if (!number) return;
        release(pads_[number - 1]);
        pollWhileNeeded();
        listener_.padConnected(number, false);
    }

    void release(Pad& pad)
    {
        SDL_GameControllerClose(pad.controller);
        // Its doorbell may be what rang for this very unplugging: it goes once that is over.
        if (pad.doorbell) {
            pad.doorbell->setEnabled(false);
            pad.doorbell->deleteLater();
        }
        if (pad.deviceFile >= 0) ::close(pad.deviceFile);
        pad = Pad{};
    }

    // What rang is read and dropped (SDL reads it from its own handle); a device file that has
    // gone rings no more, and the slow timer soon finds the pad unplugged.
    void answer(QSocketNotifier& doorbell)
    {
        alignas(8) char news[64 * 24];  // whole input events, which is how the device hands them out
        ssize_t got;
        while ((got = ::read(int(doorbell.socket()), news, sizeof news)) > 0) {}
        if (got == 0 || (errno != EAGAIN && errno != EINTR)) doorbell.setEnabled(false);
        pump();
    }

    void pollWhileNeeded()
    {
        const bool needed = std::any_of(pads_.begin(), pads_.end(), [](const Pad& pad) { return pad.controller && !pad.doorbell; });
        if (needed != poll_.isActive()) needed ? poll_.start() : poll_.stop();
    }

    Listener& listener_;
    std::array<Pad, kPads> pads_;
    QObject doorbells_;  // owns them, to the end
    QTimer hotplug_, poll_, more_;
};

}  // namespace

}  // namespace pads

extern "C" Q_DECL_EXPORT pads::Driver* tapdash_open_pads(pads::Listener& listener, QString& error)
{
    // No handlers of SDL's own for SIGINT and SIGTERM: the program ends as it always has. And the
    // kernel's pad drivers rather than SDL's raw HID ones, which read reports some pads send
    // hundreds of times a second even while nobody touches them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        error = QString::fromUtf8(SDL_GetError());
        return nullptr;
    }
    return new pads::SdlDriver(listener);
}
