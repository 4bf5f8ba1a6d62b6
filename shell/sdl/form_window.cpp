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

FormWindow::FormWindow(rt::Form& form, int scale, PictureStore& pictures, Fonts& fonts)
    : form_(form),
      scale_(scale),
      pixels_("the window of " + std::string(form.layout().name), form.layout().caption,
              rt::clientPixels(form.layout(), 1), scale, flagsFor(form.layout()), pictures, fonts) {
    if (const char* icon = form.layout().icon)
        if (SDL_Surface* picture = pictures.surface(icon, false)) SDL_SetWindowIcon(pixels_.window(), picture);
}

void FormWindow::drawIfChanged() {
    const std::vector<rt::PixelRect> areas = damage_.since(form_, pixels_.density());
    if (areas.empty()) return;
    for (const rt::PixelRect& area : areas) rt::drawForm(form_, pixels_.canvas(), pixels_.density(), area);
    pixels_.present(areas);
}

rt::Single FormWindow::twips(int windowCoordinate) const {
    return rt::Single(windowCoordinate * rt::kTwipsPerPixel) / rt::Single(scale_);
}

}  // namespace shell
