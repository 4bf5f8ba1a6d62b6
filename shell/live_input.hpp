// What a window session feeds the game: the real clock's time and the window
// system's input, from the desktop's windows or the page's. Each goes on to the app; a
// recorder of the session writes each down as well, so that the scenario driver can
// play it again, and a replay feeds the game from a script instead, at the script's
// pace.
#pragma once

#include "runtime/app.hpp"
#include "runtime/input_box.hpp"
#include "shell/window_input_box.hpp"

#include <optional>

namespace shell {

class LiveInput {
public:
    explicit LiveInput(rt::App& app) : app_(app) {}
    virtual ~LiveInput() = default;
    LiveInput(const LiveInput&) = delete;
    LiveInput& operator=(const LiveInput&) = delete;

    rt::App& app() const { return app_; }

    // Whether the session goes on; the windows close when it does not.
    virtual bool playing() const { return app_.Running(); }
    // The real clock's time by which catchUp is wanted next, later than any time it
    // has been given; nullopt for none.
    virtual std::optional<rt::Millis> nextWake() const { return app_.nextTick(); }
    virtual void catchUp(rt::Millis now) { app_.catchUp(now); }
    // catchUp(now), then on through every wake-up wanted within `lead` ms after `now`,
    // each a catchUp at its own moment, so that a recorder writes each down when its
    // ticks ran and a replay plays its script that far. A change wakes the pollers one
    // short period later; with a lead of that period they join the wake-up of the
    // change instead of costing one of their own, where each wake-up is dear. The
    // game's clock then runs at most `lead` ms ahead of the real one. A wake-up wanted
    // no later than the last one given ends it rather than spin.
    void catchUpAhead(rt::Millis now, rt::Millis lead) {
        catchUp(now);
        rt::Millis reached = now;
        for (auto next = nextWake(); playing() && next && *next > reached && *next <= now + lead; next = nextWake())
            catchUp(reached = *next);
    }
    virtual void mouseDown(rt::Form& form, rt::Single x, rt::Single y, int button, int shift) {
        app_.mouseDown(form, x, y, button, shift);
    }
    virtual void mouseUp(rt::Form& form, rt::Single x, rt::Single y, int button, int shift) {
        app_.mouseUp(form, x, y, button, shift);
    }
    virtual void mouseMove(rt::Form& form, rt::Single x, rt::Single y, int buttons, int shift) {
        app_.mouseMove(form, x, y, buttons, shift);
    }
    virtual void keyPress(int character) { app_.keyPress(character); }
    virtual void keyUp(int keyCode, int shift) { app_.keyUp(keyCode, shift); }
    virtual void closeBox(rt::Form& form) { app_.closeBox(form); }
    // The window system gave this screen's window the focus.
    virtual void activate(rt::Form& form) { app_.activate(form); }
    // The input box the game is to use, given the window session's own.
    virtual rt::InputBoxHost& inputBox(WindowInputBox& window) { return window; }
    // The session is over: the program has ended, or playing() said so.
    virtual void ended() {}

private:
    rt::App& app_;
};

}  // namespace shell
