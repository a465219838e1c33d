#pragma once
// A gamepad of SDL's own, attached in this process: SDL announces it as a game controller plugged
// in and, like a real pad, reads its buttons whenever it reads the pads it has opened, starting
// with the first read after it opens this one. SDL must be running (pads::Pads started).
#include <array>

#include <SDL.h>

#include <QtGlobal>

class VirtualPad {
public:
    VirtualPad()
    {
        SDL_VirtualJoystickDesc pad{};
        pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        pad.naxes = SDL_CONTROLLER_AXIS_MAX;
        pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        pad.userdata = this;
        pad.Update = [](void* self) { static_cast<VirtualPad*>(self)->report(); };
        id_ = SDL_JoystickGetDeviceInstanceID(SDL_JoystickAttachVirtualEx(&pad));
        if (id_ < 0) qFatal("no virtual pad: %s", SDL_GetError());
    }
    ~VirtualPad() { unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    // Seen when SDL next reads the pad
    void hold(SDL_GameControllerButton button, bool down) { held_[button] = down; }

    void unplug()
    {
        for (int index = 0; index < SDL_NumJoysticks(); ++index)
            if (SDL_JoystickGetDeviceInstanceID(index) == id_) SDL_JoystickDetachVirtual(index);
    }

private:
    void report()
    {
        SDL_Joystick* joystick = SDL_JoystickFromInstanceID(id_);
        for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
            SDL_JoystickSetVirtualButton(joystick, button, held_[button]);
    }

    SDL_JoystickID id_;
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> held_{};
};
