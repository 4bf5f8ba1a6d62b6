// The game in a web page: a window element per shown screen, input from the browser
// through Emscripten's HTML5 API, timers on the page's clock. Between events the page
// sleeps: one timeout to the next tick, none while no timer runs.
#pragma once

#include "runtime/app.hpp"
#include "shell/real_clock.hpp"
#include "shell/web/desk_fit.hpp"
#include "shell/web/fingers.hpp"
#include "shell/web/page_sound.hpp"
#include "shell/web/page_window.hpp"
#include "shell/web/prompt_box.hpp"
#include "shell/window_set.hpp"

#include <functional>

namespace shell {

class Page {
public:
    explicit Page(rt::App& app);
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    // Opens the first screen at the clock's time 0.
    void start();
    // Runs every tick due by now, then shows what changed and sleeps till the next.
    void wake();
    // One event from the browser: the ticks due before it, the event, then as wake().
    void handle(const std::function<void(rt::App&)>& event);
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

    rt::App& app_;
    PageSound sound_;
    RealClock clock_;
    PromptBox prompt_;
    DeskFit fit_;
    bool fitDue_ = false;
    Fingers fingers_;
    WindowSet<PageWindow> windows_;
    long timeout_ = 0;
    bool ended_ = false;
};

}  // namespace shell
