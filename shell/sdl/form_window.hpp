// The window of one shown screen: made when the screen is shown, gone when it is
// hidden or unloaded. It redraws only the parts of it whose pixels changed.
#pragma once

#include "runtime/damage.hpp"
#include "runtime/form.hpp"
#include "shell/sdl/pixel_window.hpp"

#include <SDL.h>

namespace shell {

class FormWindow {
public:
    // `scale`: window pixels per screen pixel.
    // The window's icon is its layout's.
    FormWindow(rt::Form& form, int scale, PictureStore& pictures, Fonts& fonts);

    rt::Form& form() const { return form_; }
    Uint32 id() const { return pixels_.id(); }
    SDL_Window* window() const { return pixels_.window(); }
    void raise() { SDL_RaiseWindow(pixels_.window()); }
    // The window was uncovered: draw it again even if nothing changed.
    void exposed() { damage_.forget(); }
    void drawIfChanged();
    // A point of the window, in twips of the screen's client area.
    rt::Single twips(int windowCoordinate) const;

private:
    rt::Form& form_;
    int scale_;
    PixelWindow pixels_;
    rt::Damage damage_;
};

}  // namespace shell
