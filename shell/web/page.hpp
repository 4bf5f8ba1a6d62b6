// The game in a web page. What it implements of the seam (shell/backend.hpp):
//
//   drawing       a canvas per window element (web_canvas.hpp), redrawn where the
//                 screen's pixels changed
//   windows       an element per shown screen (page_window.hpp) in a WindowSet, all
//                 fitted to the page at one scale (desk_fit.hpp)
//   input in      mouse, keys and fingers (fingers.hpp) from the browser through
//                 Emscripten's HTML5 API, fed to the game through a LiveInput
//   input box     the browser's prompt; a replay's answers in a box of the page's own
//                 (page_input_box.hpp)
//   sound         what the hearing names, played by Web Audio from buffers made once
//                 (page_sound.hpp); the speaker control and M turn it off and on
//   wake-up       one timeout to LiveInput::nextWake(), none while nothing is due;
//                 each wake-up catches up ahead, taking the pollers along
//   recording,    whatever the LiveInput does: the player's rounds go through a
//   replay        recorder to the browser's storage (page_keeper.hpp); a link in the
//                 address plays through a replay (linked_round.hpp)
#pragma once

#include "shell/live_input.hpp"
#include "shell/real_clock.hpp"
#include "shell/web/desk_fit.hpp"
#include "shell/web/fingers.hpp"
#include "shell/web/page_input_box.hpp"
#include "shell/web/page_sound.hpp"
#include "shell/web/page_window.hpp"
#include "shell/window_set.hpp"

#include <functional>

namespace shell {

class Page {
public:
    // The game is `input`'s app, which it feeds; `watching` a replay, whose M keys
    // are not the player's.
    explicit Page(LiveInput& input, bool watching = false);
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    // Opens the first screen at the clock's time 0.
    void start();
    // Runs every tick due by now, then shows what changed and sleeps till the next.
    void wake();
    // One event from the browser: the ticks due before it, the event, then as wake().
    void handle(const std::function<void(LiveInput&)>& event);
    // The window system's share of an event: the clicked window comes to the front and
    // becomes the active one (a disabled one does neither), before the click itself.
    void raise(rt::Form& form);
    // The page changed size or density: the desk fits it anew, mid-round too.
    void refit();

    const DeskFit& fit() const { return fit_; }
    Fingers& fingers() { return fingers_; }

private:
    // Before the windows draw; every window draws again if the canvases changed size.
    void fitIfDue();
    void present();
    void showWindows();
    void sleep();

    LiveInput& input_;
    rt::App& app_;
    PageSound sound_;
    RealClock clock_;
    PageInputBox inputBox_;
    DeskFit fit_;
    bool fitDue_ = false;
    Fingers fingers_;
    WindowSet<PageWindow> windows_;
    long timeout_ = 0;
    bool ended_ = false;
};

}  // namespace shell
