#include "shell/sdl/form_window.hpp"

#include "runtime/drawing.hpp"
#include "shell/sdl/platform_error.hpp"

#include <algorithm>

namespace shell {

namespace {
Uint32 flagsFor(const rt::FormLayout& layout) {
    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_SKIP_TASKBAR;
    if (layout.style == rt::WindowStyle::Borderless) flags |= SDL_WINDOW_BORDERLESS;
    return flags;
}
}  // namespace

FormWindow::FormWindow(rt::Form& form, int scale, PictureStore& pictures, Fonts& fonts, SDL_Surface* icon)
    : form_(form), scale_(scale) {
    const rt::FormLayout& layout = form.layout();
    const rt::PixelSize size = rt::clientPixels(layout, scale);
    window_ = SDL_CreateWindow(layout.caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.w, size.h,
                               flagsFor(layout));
    if (!window_) failSdl("cannot open the window of " + std::string(layout.name));
    if (icon && layout.icon) SDL_SetWindowIcon(window_, icon);
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) {
        SDL_DestroyWindow(window_);
        failSdl("cannot draw in the window of " + std::string(layout.name));
    }
    int drawableWidth = 0, drawableHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &drawableWidth, &drawableHeight);
    drawScale_ = std::max(1, drawableWidth / std::max(1, rt::clientPixels(layout, 1).w));
    canvas_ = std::make_unique<SdlCanvas>(renderer_, pictures, fonts, drawScale_ >= 2);
}

FormWindow::~FormWindow() {
    canvas_.reset();
    SDL_DestroyRenderer(renderer_);
    SDL_DestroyWindow(window_);
}

void FormWindow::drawIfChanged() {
    if (drawn_ && drawnVersion_ == form_.version()) return;
    SDL_RenderSetClipRect(renderer_, nullptr);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    rt::drawForm(form_, *canvas_, drawScale_);
    SDL_RenderPresent(renderer_);
    drawnVersion_ = form_.version();
    drawn_ = true;
}

rt::Single FormWindow::twips(int windowCoordinate) const {
    return rt::Single(windowCoordinate * rt::kTwipsPerPixel) / rt::Single(scale_);
}

}  // namespace shell
