#pragma once
// The few functions of SDL's audio the mixer calls, taken from the SDL library when sound is first
// switched on: a game started silent never loads SDL, and a game with sound loads it off the GUI
// thread, after its first screen is up.
#include <SDL.h>

#include <string>

namespace sound {

struct SdlAudio {
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_GetError) GetError;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
};

// SDL's audio functions, loaded on first use; nullptr, with the reason in `why`, when the library
// or one of them is missing. The ALSA library SDL brings along is told to keep its complaints to
// itself (several lines for a missing sound card): the mixer reports a failure in one line.
const SdlAudio* sdlAudio(std::string& why);

// Gives back the pages of code and read-only data of SDL and of the libraries loading it brought
// in (sound server clients, codecs, SDL's video and input libraries) that loading them and opening
// the device touched. Most of it ran once; what the device runs again comes back from the page
// cache. Written pages are kept, and so are the pages of any library loaded before SDL.
void releaseStartupPages();

}  // namespace sound
