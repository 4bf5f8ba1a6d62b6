// Preloaded into the game by wakeup_test.py: holds back each wake-up message that SDL
// sends its own event loop over X (a client message of type _SDL_WAKEUP) and sends it
// with the next one instead. A message meant for a window the game has closed in
// between then reaches the X server after the window is gone, as it may when the
// server runs the game's two connections in another order: always, not once in a while.
// The one still held when SDL closes its connection goes out then, when the game's
// windows are all gone. At exit, writes to the file named by KRAX_HOLD_WAKEUP_LOG how
// many it sent late.

#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

using SendEvent = Status (*)(Display*, Window, Bool, long, XEvent*);
using CloseDisplay = int (*)(Display*);

struct Message {
    Display* display;
    Window window;
    Bool propagate;
    long mask;
    XEvent event;
};

std::optional<Message> held;
int sentLate = 0;

template <typename Function>
Function real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

SendEvent realSendEvent() {
    static const auto function = real<SendEvent>("XSendEvent");
    return function;
}

bool isWakeUp(Display* display, const XEvent& event) {
    if (event.type != ClientMessage) return false;
    static const Atom wakeUp = XInternAtom(display, "_SDL_WAKEUP", False);
    return event.xclient.message_type == wakeUp;
}

void sendHeld() {
    realSendEvent()(held->display, held->window, held->propagate, held->mask, &held->event);
    ++sentLate;
}

void sayHowMany() {
    if (const char* log = std::getenv("KRAX_HOLD_WAKEUP_LOG"))
        if (FILE* f = std::fopen(log, "w")) {
            std::fprintf(f, "%d\n", sentLate);
            std::fclose(f);
        }
}

}  // namespace

// SDL sends its wake-ups one at a time, under a lock of its own.
extern "C" Status XSendEvent(Display* display, Window window, Bool propagate, long mask, XEvent* event) {
    if (!isWakeUp(display, *event)) return realSendEvent()(display, window, propagate, mask, event);
    static const int registered = std::atexit(sayHowMany);
    (void)registered;
    if (held) sendHeld();
    held = Message{display, window, propagate, mask, *event};
    return 1;
}

extern "C" int XCloseDisplay(Display* display) {
    static const auto closeDisplay = real<CloseDisplay>("XCloseDisplay");
    if (held && held->display == display) sendHeld(), held.reset();
    return closeDisplay(display);
}
