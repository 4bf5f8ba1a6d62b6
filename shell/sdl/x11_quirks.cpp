#include "shell/sdl/x11_quirks.hpp"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <cstdio>
#include <set>
#include <utility>

namespace shell {

namespace {
// Errors about what the game has already closed, which say nothing about its state:
// - While the loop waits for events, SDL wakes it with a client message that it sends
//   on a connection of its own to its newest window. A click may have the game destroy
//   that window on the main connection first; the server then refuses the message.
// - A colormap freed by the game after a version of SDL that frees it itself.
bool isAboutClosed(const XErrorEvent& e) {
    return (e.error_code == BadWindow && e.request_code == X_SendEvent) ||
           (e.error_code == BadColor && e.request_code == X_FreeColormap);
}

// Called by Xlib for every error on every connection; what it returns is not used.
int onXError(Display* display, XErrorEvent* e) {
    if (isAboutClosed(*e)) return 0;
    static std::set<std::pair<int, int>> said;  // error and request codes
    if (!said.insert({e->error_code, e->request_code}).second) return 0;
    char text[160] = "";
    XGetErrorText(display, e->error_code, text, sizeof text);
    std::fprintf(stderr, "krax: the display refused a request (%s, request %d.%d); the game goes on\n", text,
                 e->request_code, e->minor_code);
    return 0;
}
}  // namespace

void outliveXErrors() {
    // Before SDL's video starts: SDL's own handler hands every error on to the one it
    // found, and puts that one back when its video stops, before it closes its
    // connections, where the errors still pending come in. Xlib's would end the game.
    XSetErrorHandler(onXError);
}

void destroyWindow(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    XWindowAttributes attributes;
    const bool x11 = SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11 &&
                     XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes);
    SDL_DestroyWindow(window);
    // A screen's default colormap is never freed, whoever asks.
    if (x11 && attributes.colormap != None) XFreeColormap(info.info.x11.display, attributes.colormap);
}

}  // namespace shell
