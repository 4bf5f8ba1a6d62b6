#include "shell/sdl/x11_quirks.hpp"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace shell {

namespace {
// Windows that another program destroyed: errors about them say nothing new.
std::set<XID>& destroyed() {
    static std::set<XID> windows;
    return windows;
}

struct XErrorSaid {
    XID resource;
    std::string line;
};
// Errors come in while SDL reads the events, before it hands the game the one that
// says a window was destroyed: they wait here until the game has heard the events.
std::vector<XErrorSaid>& pending() {
    static std::vector<XErrorSaid> errors;
    return errors;
}

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
    char line[256];
    std::snprintf(line, sizeof line, "krax: the display refused a request (%s, request %d.%d); the game goes on\n",
                  text, e->request_code, e->minor_code);
    pending().push_back({e->resourceid, line});
    return 0;
}
}  // namespace

void outliveXErrors() {
    // Before SDL's video starts: SDL's own handler hands every error on to the one it
    // found, and puts that one back when its video stops, before it closes its
    // connections, where the errors still pending come in. Xlib's would end the game.
    XSetErrorHandler(onXError);
}

void sayXErrors() {
    for (const XErrorSaid& error : pending())
        if (!destroyed().contains(error.resource)) std::fputs(error.line.c_str(), stderr);
    pending().clear();
}

void hearDestroyedWindows() { SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE); }

bool destroyedOutside(const SDL_Event& e, SDL_Window* window) {
    if (e.type != SDL_SYSWMEVENT || e.syswm.msg->subsystem != SDL_SYSWM_X11) return false;
    const XEvent& x = e.syswm.msg->msg.x11.event;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (x.type != DestroyNotify || !SDL_GetWindowWMInfo(window, &info) || info.info.x11.window != x.xdestroywindow.window)
        return false;
    destroyed().insert(x.xdestroywindow.window);
    return true;
}

void destroyWindow(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11 &&
        destroyed().contains(info.info.x11.window)) {
        // SDL hides a window before it destroys it, and waits for the server to say it
        // is hidden, which for a window that is gone it never says: it is said here.
        XEvent unmapped{};
        unmapped.xunmap = {UnmapNotify, 0, True, info.info.x11.display, info.info.x11.window, info.info.x11.window, False};
        XPutBackEvent(info.info.x11.display, &unmapped);
        SDL_DestroyWindow(window);
        return;
    }
    XWindowAttributes attributes;
    const bool x11 = SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11 &&
                     XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes);
    SDL_DestroyWindow(window);
    // A screen's default colormap is never freed, whoever asks.
    if (x11 && attributes.colormap != None) XFreeColormap(info.info.x11.display, attributes.colormap);
}

}  // namespace shell
