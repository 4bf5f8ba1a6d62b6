#include "shell/sdl/form_window.hpp"

#include "runtime/drawing.hpp"
#include "shell/sdl/platform_error.hpp"
#include "shell/sdl/x11_quirks.hpp"

#include <algorithm>
#include <vector>

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
    // Drawn by the processor into the window's own pixels, which stay as drawn between
    // frames: a frame redraws and sends to the screen only what changed. (Through a
    // GPU driver every frame would start from nothing, and without a GPU, as under a
    // virtual display, the driver's software rasteriser costs more than the whole game.)
    // The window's pixels are sent to the display as they are, not through the GPU,
    // which SDL would otherwise try, and then use, first.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    renderer_ = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
    if (!renderer_) {
        destroyWindow(window_);
        failSdl("cannot draw in the window of " + std::string(layout.name));
    }
    drawScale_ = std::max(1, surface->w / std::max(1, rt::clientPixels(layout, 1).w));
    canvas_ = std::make_unique<SdlCanvas>(renderer_, pictures, fonts, drawScale_ >= 2);
}

FormWindow::~FormWindow() {
    canvas_.reset();
    SDL_DestroyRenderer(renderer_);
    destroyWindow(window_);
}

void FormWindow::drawIfChanged() {
    if (drawn_ && drawnVersion_ == form_.version()) return;
    if (!drawn_) damage_.forget();
    std::vector<SDL_Rect> rects;
    for (const rt::PixelRect& area : damage_.since(form_, drawScale_)) {
        rt::drawForm(form_, *canvas_, drawScale_, area);
        rects.push_back({area.x, area.y, area.w, area.h});
    }
    SDL_RenderPresent(renderer_);
    if (!rects.empty()) SDL_UpdateWindowSurfaceRects(window_, rects.data(), int(rects.size()));
    drawnVersion_ = form_.version();
    drawn_ = true;
}

rt::Single FormWindow::twips(int windowCoordinate) const {
    return rt::Single(windowCoordinate * rt::kTwipsPerPixel) / rt::Single(scale_);
}

}  // namespace shell
