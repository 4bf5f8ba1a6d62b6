#include "shell/sdl/pixel_window.hpp"

#include "shell/sdl/platform_error.hpp"
#include "shell/sdl/x11_quirks.hpp"

#include <algorithm>

namespace shell {

PixelWindow::PixelWindow(const std::string& what, const char* caption, rt::PixelSize size, int scale, Uint32 flags,
                         PictureStore& pictures, Fonts& fonts) {
    window_ = SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.w * scale, size.h * scale,
                               flags | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window_) failSdl("cannot open " + what);
    // The window's pixels are sent to the display as they are, not through the GPU,
    // which SDL would otherwise try, and then use, first.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    renderer_ = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
    if (!renderer_) {
        destroyWindow(window_);
        failSdl("cannot draw in " + what);
    }
    density_ = std::max(1, surface->w / std::max(1, size.w));
    canvas_ = std::make_unique<SdlCanvas>(renderer_, pictures, fonts, density_ >= 2);
}

PixelWindow::~PixelWindow() {
    canvas_.reset();
    SDL_DestroyRenderer(renderer_);
    destroyWindow(window_);
}

void PixelWindow::present(const std::vector<rt::PixelRect>& drawn) {
    SDL_RenderPresent(renderer_);  // the renderer's queue, into the pixels
    if (drawn.empty()) return;
    std::vector<SDL_Rect> rects;
    for (const rt::PixelRect& r : drawn) rects.push_back({r.x, r.y, r.w, r.h});
    SDL_UpdateWindowSurfaceRects(window_, rects.data(), int(rects.size()));
}

}  // namespace shell
