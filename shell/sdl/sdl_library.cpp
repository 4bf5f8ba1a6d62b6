#include "shell/sdl/sdl_library.hpp"

#include "shell/sdl/platform_error.hpp"
#include "shell/sdl/x11_quirks.hpp"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <string>
#include <string_view>

namespace shell {

void failSdl(std::string_view what) { throw PlatformError(std::string(what) + ": " + SDL_GetError()); }

std::string_view windowSystem() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver ? driver : "";
}

namespace {
// The window systems tried, in SDL's own order, each where its variable names a display.
struct WindowSystem {
    const char* driver;
    const char* variable;
};
constexpr WindowSystem kWindowSystems[] = {{"x11", "DISPLAY"}, {"wayland", "WAYLAND_DISPLAY"}};

std::string_view environment(const char* name) {
    const char* value = SDL_getenv(name);
    return value ? value : "";
}

// Opens the display of one window system: empty text, or why it cannot be used.
std::string openDisplayOf(const WindowSystem& system, std::string_view display) {
    const std::string named = std::string(system.variable) + " is " + std::string(display);
    // The Wayland library finds a relative display in XDG_RUNTIME_DIR, and would print
    // a line of its own on finding none.
    if (system.driver == std::string_view("wayland") && display.front() != '/' && environment("XDG_RUNTIME_DIR").empty())
        return named + " but XDG_RUNTIME_DIR is not set";
    SDL_SetHint(SDL_HINT_VIDEODRIVER, system.driver);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return {};
    return named + ", which does not answer";
}

// Opens the display the environment names, with one line saying why where none opens.
// Left to itself, SDL would also try a window system that has no display named (so
// its library complains) and then fall back to drawing nowhere, which gives a player
// no window at all; a driver named in SDL_VIDEODRIVER is taken as asked for.
void openDisplay() {
    if (!environment("SDL_VIDEODRIVER").empty()) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) failSdl("cannot open a window");
        return;
    }
    std::string reasons;
    for (const WindowSystem& system : kWindowSystems) {
        const std::string_view display = environment(system.variable);
        if (display.empty()) continue;
        const std::string reason = openDisplayOf(system, display);
        if (reason.empty()) return;
        reasons += (reasons.empty() ? "" : "; ") + reason;
    }
    if (reasons.empty()) reasons = "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
    throw PlatformError("cannot open a window: " + reasons);
}

// The desktop groups windows under a menu entry by their class (X11 WM_CLASS, Wayland
// app id); ours is the entry's own name. SDL 2 reads both from the environment when it
// opens a window, not from hints; a class the player set keeps its value.
void nameTheWindows() {
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", KRAX_APP_ID, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", KRAX_APP_ID, 0);
    SDL_SetHint(SDL_HINT_APP_NAME, "KRAX");
}
}  // namespace

SdlLibrary::SdlLibrary(bool video) {
    // Ctrl-C and kill end the program at once, as they do any other.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A click that gives a window the focus is a click too. SDL would drop it, and with
    // it any click it handles within 10 ms of a window gaining the focus: on a busy
    // machine, the first shot after a screen change.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (video) nameTheWindows();
    if (SDL_Init(0) != 0) failSdl("cannot start SDL");
    try {
        if (video) {
            outliveXErrors();
            openDisplay();
        }
    } catch (const PlatformError&) {
        SDL_Quit();
        throw;
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
    sayXErrors();  // those of the windows' last moments
}

}  // namespace shell
