#include "shell/sdl/desktop.hpp"

#include "shell/backend.hpp"
#include "shell/game_start.hpp"
#include "shell/live_input.hpp"
#include "shell/sdl/audio_out.hpp"
#include "shell/sdl/form_window.hpp"
#include "shell/sdl/input_box_window.hpp"
#include "shell/real_clock.hpp"
#include "shell/sdl/desktop_setting.hpp"
#include "shell/sdl/sdl_keys.hpp"
#include "shell/sdl/x11_quirks.hpp"
#include "shell/sdl/sdl_library.hpp"
#include "shell/sound/hearing.hpp"
#include "shell/window_set.hpp"

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <string>

namespace shell {

namespace {

constexpr int kHotSpot = 3;  // the pointer's tip: the carrot's point, near the top-left corner
constexpr int kLongestSleep = 1000;

int buttonOf(Uint8 button) {
    if (button == SDL_BUTTON_LEFT) return rt::kLeftButton;
    if (button == SDL_BUTTON_RIGHT) return rt::kRightButton;
    return rt::kMiddleButton;
}

int shiftState() {
    const SDL_Keymod mod = SDL_GetModState();
    return rt::shiftState(mod & KMOD_SHIFT, mod & KMOD_CTRL, mod & KMOD_ALT);
}

class Desktop {
public:
    Desktop(LiveInput& input, int scale, const WindowOptions& options)
        : input_(input),
          app_(input.app()),
          hearing_(options.hearing),
          audio_(options.err),
          inputBox_(clock_, pictures_, fonts_, scale),
          windows_([this, scale](rt::Form& form) {
              usePointer(form.layout().pointer, scale);
              return std::make_unique<FormWindow>(form, scale, pictures_, fonts_);
          }) {
        app_.setInputBoxHost(&input_.inputBox(inputBox_));
        hearing_.setSink([this](sound::Effect effect) { audio_.play(bank_.samples(effect)); });
        hearDestroyedWindows();
        // Typed characters come as text. SDL turns text on by itself only where it finds
        // a keyboard as it starts, which a Wayland seat may give only later.
        SDL_StartTextInput();
    }
    ~Desktop() {
        hearing_.setSink({});
        app_.setInputBoxHost(nullptr);
        windows_.clear();
        if (cursor_) SDL_FreeCursor(cursor_);
    }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    void run() {
        while (input_.playing()) {
            windows_.mirror(app_);
            SDL_Event e;
            if (SDL_WaitEventTimeout(&e, sleepTime())) {
                input_.catchUp(clock_.now());
                dispatch(e);
                while (input_.playing() && SDL_PollEvent(&e)) dispatch(e);
                sayXErrors();
            }
            input_.catchUp(clock_.now());
            audio_.closeIfSilent();
        }
        sayXErrors();
    }

private:
    // SDL has one pointer for all of its windows: the layout's, made when the first
    // window that names it opens (every screen names the same).
    void usePointer(const char* name, int scale) {
        if (!name || pointer_ == name) return;
        SDL_Surface* picture = pictures_.surface(name, scale >= 2);
        SDL_Cursor* cursor = picture ? SDL_CreateColorCursor(picture, kHotSpot * scale, kHotSpot * scale) : nullptr;
        if (!cursor) return;
        SDL_SetCursor(cursor);
        if (cursor_) SDL_FreeCursor(cursor_);
        cursor_ = cursor;
        pointer_ = name;
    }

    // Until the next tick, or the moment the silent audio device is due to close.
    int sleepTime() const {
        rt::Millis sleep = until(input_.nextWake(), clock_.now()).value_or(kLongestSleep);
        if (const auto close = audio_.untilClose()) sleep = std::min(sleep, *close);
        return int(std::min<rt::Millis>(sleep, kLongestSleep));
    }

    FormWindow* windowWithId(Uint32 id) const {
        return windows_.find([id](const FormWindow& w) { return w.id() == id; });
    }

    void dispatch(const SDL_Event& e) {
        switch (e.type) {
            case SDL_WINDOWEVENT: return windowEvent(e.window);
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: return mouseButton(e.button);
            case SDL_MOUSEMOTION: return mouseMotion(e.motion);
            case SDL_KEYDOWN: return keyDown(e.key.keysym);
            case SDL_TEXTINPUT: return textInput(e.text.text);
            case SDL_KEYUP: return keyUp(e.key.keysym);
            case SDL_SYSWMEVENT: return destroyed(e);
            default: return;
        }
    }

    void windowEvent(const SDL_WindowEvent& e) {
        FormWindow* w = windowWithId(e.windowID);
        if (!w) return;
        if (e.event == SDL_WINDOWEVENT_EXPOSED) w->exposed();
        // A disabled window does not become the active one.
        if (e.event == SDL_WINDOWEVENT_FOCUS_GAINED && w->form().Enabled()) {
            input_.activate(w->form());
            windows_.cameToFront(app_.ActiveForm());
        }
        // A borderless window has no close box; closing the reload screen some other
        // way would leave the game screen disabled for good.
        if (e.event == SDL_WINDOWEVENT_CLOSE && w->form().layout().style != rt::WindowStyle::Borderless)
            input_.closeBox(w->form());
    }

    // Another program destroyed a window whose screen is still shown: the next mirror
    // makes it again, so that the reload screen comes back and the game screen stays
    // playable (taking it for the close box would leave the game screen disabled).
    void destroyed(const SDL_Event& e) {
        if (FormWindow* w = windows_.find([&](const FormWindow& each) { return destroyedOutside(e, each.window()); }))
            windows_.forget(w->form());
    }

    void mouseButton(const SDL_MouseButtonEvent& e) {
        FormWindow* w = windowWithId(e.windowID);
        if (!w) return;
        const rt::Single x = w->twips(e.x), y = w->twips(e.y);
        if (e.type == SDL_MOUSEBUTTONDOWN)
            input_.mouseDown(w->form(), x, y, buttonOf(e.button), shiftState());
        else
            input_.mouseUp(w->form(), x, y, buttonOf(e.button), shiftState());
    }

    void mouseMotion(const SDL_MouseMotionEvent& e) {
        FormWindow* w = windowWithId(e.windowID);
        if (!w) return;
        int buttons = 0;
        if (e.state & SDL_BUTTON_LMASK) buttons |= rt::kLeftButton;
        if (e.state & SDL_BUTTON_RMASK) buttons |= rt::kRightButton;
        input_.mouseMove(w->form(), w->twips(e.x), w->twips(e.y), buttons, shiftState());
    }

    void keyDown(const SDL_Keysym& key) {
        if (const auto c = controlCharacterOf(key)) input_.keyPress(*c);
    }

    void textInput(const char* text) {
        for (const char* c = text; *c; ++c) input_.keyPress(static_cast<unsigned char>(*c));
    }

    void keyUp(const SDL_Keysym& key) {
        if (const auto stroke = strokeOf(key)) input_.keyUp(stroke->keyCode, stroke->shift);
    }

    LiveInput& input_;
    rt::App& app_;
    sound::Hearing& hearing_;
    const sound::Bank bank_;  // every effect, made once as the session starts
    AudioOut audio_;
    RealClock clock_;
    PictureStore pictures_;
    Fonts fonts_;
    InputBoxWindow inputBox_;
    SDL_Cursor* cursor_ = nullptr;
    std::string pointer_;  // the picture cursor_ shows
    WindowSet<FormWindow> windows_;  // last: its windows go before what they draw with
};

}  // namespace

void playInWindows(LiveInput& input, const WindowOptions& options) {
    SdlLibrary library(true);
    Desktop desktop(input, options.scale ? *options.scale : scaleOfDesktop(), options);
    openGame(input.app());  // the clock's time 0
    desktop.run();
    input.ended();
}

}  // namespace shell
