// What a window session feeds the game: the real clock's time and the window
// system's input. Each goes on to the app; a recorder of the session writes each
// down as well, so that the scenario driver can play it again.
#pragma once

#include "runtime/app.hpp"
#include "runtime/input_box.hpp"

namespace shell {

class LiveInput {
public:
    explicit LiveInput(rt::App& app) : app_(app) {}
    virtual ~LiveInput() = default;
    LiveInput(const LiveInput&) = delete;
    LiveInput& operator=(const LiveInput&) = delete;

    rt::App& app() const { return app_; }

    virtual void catchUp(rt::Millis now) { app_.catchUp(now); }
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
    virtual rt::InputBoxHost& inputBox(rt::InputBoxHost& window) { return window; }
    // The program has ended.
    virtual void ended() {}

private:
    rt::App& app_;
};

}  // namespace shell
