#include "shell/web/page.hpp"

#include "runtime/controls.hpp"
#include "screens/screens.hpp"
#include "shell/backend.hpp"
#include "shell/game_start.hpp"
#include "shell/web/browser.hpp"

#include <emscripten/html5.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

namespace shell {

namespace {

EM_BOOL keyDown(int, const EmscriptenKeyboardEvent* e, void* data) {
    // Keys that type a control character but raise no keypress in a browser.
    const int character = std::strcmp(e->key, "Backspace") == 0 ? rt::kKeyBackspace
                          : std::strcmp(e->key, "Escape") == 0  ? rt::kKeyEscape
                                                                : 0;
    if (character) static_cast<Page*>(data)->handle([&](LiveInput& input) { input.keyPress(character); });
    // Arrows would scroll, Tab would move the focus; keys that type are left alone,
    // or no keypress would follow.
    return std::strncmp(e->key, "Arrow", 5) == 0 || character || std::strcmp(e->key, "Tab") == 0;
}

EM_BOOL keyPress(int, const EmscriptenKeyboardEvent* e, void* data) {
    const auto character = int(e->charCode);
    if (character > 0 && character < 256)
        static_cast<Page*>(data)->handle([&](LiveInput& input) { input.keyPress(character); });
    return false;
}

EM_BOOL keyUp(int, const EmscriptenKeyboardEvent* e, void* data) {
    const auto keyCode = int(e->keyCode);
    const int shift = rt::shiftState(e->shiftKey, e->ctrlKey, e->altKey);
    if (keyCode > 0) static_cast<Page*>(data)->handle([&](LiveInput& input) { input.keyUp(keyCode, shift); });
    return false;
}

// A tab shown again catches up at once; the ticks it missed merge into one.
EM_BOOL visibility(int, const EmscriptenVisibilityChangeEvent* e, void* data) {
    if (!e->hidden) static_cast<Page*>(data)->wake();
    return false;
}

// Turning a phone or resizing the browser's window; zooming changes the display's
// density, and with it the canvases' pixels.
EM_BOOL resized(int, const EmscriptenUiEvent*, void* data) {
    static_cast<Page*>(data)->refit();
    return false;
}

void timeUp(void* data) { static_cast<Page*>(data)->wake(); }

}  // namespace

// A swipe up by a quarter of the game screen's height opens the code box.
Page::Page(LiveInput& input, bool watching)
    : input_(input),
      app_(input.app()),
      sound_(app_, !watching),
      inputBox_(clock_, [this] { wake(); }),
      fingers_(screens::Form2.clientHeight / 4),
      windows_([this](rt::Form& form) { return std::make_unique<PageWindow>(*this, form); }) {
    app_.setInputBoxHost(&input_.inputBox(inputBox_));
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, this, false, keyDown);
    emscripten_set_keypress_callback(window, this, false, keyPress);
    emscripten_set_keyup_callback(window, this, false, keyUp);
    emscripten_set_visibilitychange_callback(this, false, visibility);
    emscripten_set_resize_callback(window, this, false, resized);
}

void Page::start() {
    openGame(app_);
    present();
}

// Each wake-up of the page costs the browser a task, and a frame where it draws: the
// pollers that a change sets off come along with it.
void Page::wake() {
    if (ended_) return;
    input_.catchUpAhead(clock_.now(), rt::Timer::kShortestPeriod);
    present();
}

// Once the session has ended, the keys the page still hears go nowhere: a recorder
// has written its last line.
void Page::handle(const std::function<void(LiveInput&)>& event) {
    if (ended_) return;
    input_.catchUp(clock_.now());
    event(input_);
    wake();
}

void Page::raise(rt::Form& form) {
    if (!form.Enabled() || app_.ActiveForm() == &form) return;
    handle([&](LiveInput& input) { input.activate(form); });
}

void Page::refit() {
    fitDue_ = true;
    present();
}

void Page::fitIfDue() {
    if (!std::exchange(fitDue_, false) || !fit_.refit()) return;
    for (const auto& w : windows_) w->redraw();
}

void Page::present() {
    if (ended_) return;
    if (!input_.playing()) {
        ended_ = true;
        windows_.clear();
        emscripten_clear_timeout(timeout_);
        input_.ended();
        kraxEnded();
        return;
    }
    showWindows();
    sleep();
}

// The windows stacked as the set has them, the front one last, and the desk fitted to
// the page where a window came or went or the page changed size; then what changed
// is drawn.
void Page::showWindows() {
    if (windows_.follow(app_)) fitDue_ = true;
    int depth = int(windows_.size());
    for (const auto& w : windows_) w->stackAt(--depth);
    fitIfDue();
    windows_.draw();
}

// While a replay's answer is shown the clock stands still: the box wakes the page
// when it closes.
void Page::sleep() {
    emscripten_clear_timeout(timeout_);
    if (inputBox_.showing()) return;
    if (const auto wait = until(input_.nextWake(), clock_.now()))
        timeout_ = emscripten_set_timeout(timeUp, double(*wait), this);
}

}  // namespace shell
