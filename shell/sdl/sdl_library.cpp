#include "shell/sdl/sdl_library.hpp"

#include "shell/identity.hpp"
#include "shell/sdl/platform_error.hpp"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <string_view>

namespace shell {

void failSdl(std::string_view what) { throw PlatformError(std::string(what) + ": " + SDL_GetError()); }

namespace {
// SDL falls back to drawing nowhere when there is no display; a player gets no
// window that way, so unless asked for by name it counts as no display at all.
bool drawsNowhere() {
    const std::string_view driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    return (driver == "offscreen" || driver == "dummy") && !SDL_getenv("SDL_VIDEODRIVER");
}

// The desktop groups windows under a menu entry by their class (X11 WM_CLASS, Wayland
// app id); ours is the entry's own name. SDL 2 reads both from the environment when it
// opens a window, not from hints; a class the player set keeps its value.
void nameTheWindows() {
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", kAppId, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", kAppId, 0);
    SDL_SetHint(SDL_HINT_APP_NAME, "KRAX");
}
}  // namespace

SdlLibrary::SdlLibrary(bool video) {
    // Ctrl-C and kill end the program at once, as they do any other.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (video) nameTheWindows();
    if (SDL_Init(video ? SDL_INIT_VIDEO : 0) != 0) failSdl(video ? "cannot open a window" : "cannot start SDL");
    if (video && drawsNowhere()) {
        SDL_Quit();
        throw PlatformError("cannot open a window: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    }
    if (TTF_Init() != 0) {
        SDL_Quit();
        failSdl("cannot start the font library");
    }
    if ((IMG_Init(IMG_INIT_PNG) & IMG_INIT_PNG) == 0) {
        TTF_Quit();
        SDL_Quit();
        failSdl("cannot start the image library");
    }
}

SdlLibrary::~SdlLibrary() {
    IMG_Quit();
    TTF_Quit();
    SDL_Quit();
}

}  // namespace shell
