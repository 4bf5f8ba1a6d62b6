// The window of one shown screen: made when the screen is shown, gone when it is
// hidden or unloaded. It redraws only the parts of it whose pixels changed.
#pragma once

#include "runtime/damage.hpp"
#include "runtime/form.hpp"
#include "shell/sdl/sdl_canvas.hpp"

#include <SDL.h>

#include <cstdint>
#include <memory>

namespace shell {

class FormWindow {
public:
    // `scale`: window pixels per screen pixel, chosen on the command line.
    FormWindow(rt::Form& form, int scale, PictureStore& pictures, Fonts& fonts, SDL_Surface* icon);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    rt::Form& form() const { return form_; }
    Uint32 id() const { return SDL_GetWindowID(window_); }
    void raise() { SDL_RaiseWindow(window_); }
    // The window was uncovered: draw it again even if nothing changed.
    void exposed() { drawn_ = false; }
    void drawIfChanged();
    // A point of the window, in twips of the screen's client area.
    rt::Single twips(int windowCoordinate) const;

private:
    rt::Form& form_;
    int scale_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    std::unique_ptr<SdlCanvas> canvas_;
    rt::Damage damage_;
    int drawScale_ = 1;  // device pixels per screen pixel
    std::uint64_t drawnVersion_ = 0;
    bool drawn_ = false;
};

}  // namespace shell
