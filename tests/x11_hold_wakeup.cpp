// Preloaded into the game by wakeup_test.py: holds back each wake-up message that SDL
// sends its own event loop over X (a client message of type _SDL_WAKEUP) and sends it
// with the next one instead. A message meant for a window the game has closed in
// between then reaches the X server after the window is gone, as it may when the
// server runs the game's two connections in another order: always, not once in a while.
// At exit, writes to the file named by KRAX_HOLD_WAKEUP_LOG how many it sent late.

#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

using SendEvent = Status (*)(Display*, Window, Bool, long, XEvent*);

struct Message {
    Display* display;
    Window window;
    Bool propagate;
    long mask;
    XEvent event;
};

std::optional<Message> held;
int sentLate = 0;

SendEvent realSendEvent() {
    static const auto real = reinterpret_cast<SendEvent>(dlsym(RTLD_NEXT, "XSendEvent"));
    return real;
}

bool isWakeUp(Display* display, const XEvent& event) {
    if (event.type != ClientMessage) return false;
    static const Atom wakeUp = XInternAtom(display, "_SDL_WAKEUP", False);
    return event.xclient.message_type == wakeUp;
}

void send(Message& m) { realSendEvent()(m.display, m.window, m.propagate, m.mask, &m.event); }

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
    if (held) {
        send(*held);
        ++sentLate;
    }
    held = Message{display, window, propagate, mask, *event};
    return 1;
}
