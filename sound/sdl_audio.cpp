#include "sound/sdl_audio.h"

#include <dlfcn.h>

#include <mutex>

namespace sound {

namespace {

template <class Function>
bool take(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// ALSA's error handler type; its header is not needed for this one call.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int error, const char* format, ...);
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// Only an ALSA library already loaded (with SDL) is told; none is loaded for this.
void quietAlsa()
{
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!alsa) return;
    using SetHandler = int (*)(AlsaErrorHandler);
    if (auto setHandler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        setHandler(ignoreAlsaError);
    dlclose(alsa);
}

}  // namespace

const SdlAudio* sdlAudio(std::string& why)
{
    static SdlAudio audio;
    static std::string failure;
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        void* library = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_LOCAL);
        if (!library) {
            failure = dlerror();
            return;
        }
        if (!(take(library, "SDL_SetHint", audio.SetHint) && take(library, "SDL_InitSubSystem", audio.InitSubSystem) && take(library, "SDL_QuitSubSystem", audio.QuitSubSystem)
              && take(library, "SDL_GetError", audio.GetError)
              && take(library, "SDL_OpenAudioDevice", audio.OpenAudioDevice)
              && take(library, "SDL_PauseAudioDevice", audio.PauseAudioDevice)
              && take(library, "SDL_CloseAudioDevice", audio.CloseAudioDevice)))
            failure = dlerror();
        quietAlsa();
    });
    why = failure;
    return failure.empty() ? &audio : nullptr;
}

}  // namespace sound
