#include "shell/sdl/alsa_quiet.hpp"

#ifdef __linux__

#include <SDL.h>

#include <dlfcn.h>

#include <string_view>

namespace shell {

namespace {
// ALSA's error handler: file, line, function, error number, then a printf format.
using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using SetErrorHandler = int (*)(ErrorHandler);

void ignore(const char*, int, const char*, int, const char*, ...) {}
}  // namespace

// SDL loads ALSA itself when it starts its audio: the library is found loaded, and
// left loaded for SDL.
void quietAlsa() {
    const char* driver = SDL_GetCurrentAudioDriver();
    if (!driver || std::string_view(driver) != "alsa") return;
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (!alsa) return;
    if (const auto set = reinterpret_cast<SetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) set(ignore);
    dlclose(alsa);
}

}  // namespace shell

#else

namespace shell {

void quietAlsa() {}

}  // namespace shell

#endif
