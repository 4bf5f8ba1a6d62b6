#include "shell/sdl/form_window.hpp"

#include "runtime/drawing.hpp"

#include <string>
#include <vector>

namespace shell {

namespace {
Uint32 flagsFor(const rt::FormLayout& layout) {
    Uint32 flags = SDL_WINDOW_SKIP_TASKBAR;
    if (layout.style == rt::WindowStyle::Borderless) flags |= SDL_WINDOW_BORDERLESS;
    return flags;
}
}  // namespace

FormWindow::FormWindow(rt::Form& form, int scale, PictureStore& pictures, Fonts& fonts, SDL_Surface* icon)
    : form_(form),
      scale_(scale),
      pixels_("the window of " + std::string(form.layout().name), form.layout().caption,
              rt::clientPixels(form.layout(), 1), scale, flagsFor(form.layout()), pictures, fonts) {
    if (icon && form.layout().icon) SDL_SetWindowIcon(pixels_.window(), icon);
}

void FormWindow::drawIfChanged() {
    if (drawn_ && drawnVersion_ == form_.version()) return;
    if (!drawn_) damage_.forget();
    std::vector<rt::PixelRect> drawn;
    for (const rt::PixelRect& area : damage_.since(form_, pixels_.density())) {
        rt::drawForm(form_, pixels_.canvas(), pixels_.density(), area);
        drawn.push_back(area);
    }
    pixels_.present(drawn);
    drawnVersion_ = form_.version();
    drawn_ = true;
}

rt::Single FormWindow::twips(int windowCoordinate) const {
    return rt::Single(windowCoordinate * rt::kTwipsPerPixel) / rt::Single(scale_);
}

}  // namespace shell
