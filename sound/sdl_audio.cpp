#include "sound/sdl_audio.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <span>
#include <vector>

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

// The load addresses of the objects in the process before SDL was loaded
std::vector<ElfW(Addr)> loadedBefore;

std::vector<ElfW(Addr)> loadedObjects()
{
    std::vector<ElfW(Addr)> objects;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* list) {
            static_cast<std::vector<ElfW(Addr)>*>(list)->push_back(info->dlpi_addr);
            return 0;
        },
        &objects);
    return objects;
}

// An object whose loading wrote into its code: those pages are its own copies.
bool writesItsCode(const dl_phdr_info& info)
{
    for (const ElfW(Phdr)& segment : std::span(info.dlpi_phdr, info.dlpi_phnum)) {
        if (segment.p_type != PT_DYNAMIC) continue;
        for (auto* entry = reinterpret_cast<const ElfW(Dyn)*>(info.dlpi_addr + segment.p_vaddr); entry->d_tag != DT_NULL; ++entry)
            if (entry->d_tag == DT_TEXTREL || (entry->d_tag == DT_FLAGS && (entry->d_un.d_val & DF_TEXTREL))) return true;
    }
    return false;
}

}  // namespace

void releaseStartupPages()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (std::ranges::find(loadedBefore, info->dlpi_addr) != loadedBefore.end() || writesItsCode(*info)) return 0;
            const auto page = ElfW(Addr)(sysconf(_SC_PAGESIZE));
            for (const ElfW(Phdr)& segment : std::span(info->dlpi_phdr, info->dlpi_phnum)) {
                if (segment.p_type != PT_LOAD || (segment.p_flags & PF_W)) continue;
                // Whole pages only: one shared with a writable segment keeps what was written.
                const ElfW(Addr) start = (info->dlpi_addr + segment.p_vaddr + page - 1) / page * page;
                const ElfW(Addr) end = (info->dlpi_addr + segment.p_vaddr + segment.p_memsz) / page * page;
                if (start < end) madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
            }
            return 0;
        },
        nullptr);
}

const SdlAudio* sdlAudio(std::string& why)
{
    static SdlAudio audio;
    static std::string failure;
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        loadedBefore = loadedObjects();
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
