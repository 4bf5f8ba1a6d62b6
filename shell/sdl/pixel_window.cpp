#include "shell/sdl/pixel_window.hpp"

#include "shell/sdl/platform_error.hpp"
#include "shell/sdl/sdl_library.hpp"
#include "shell/sdl/x11_quirks.hpp"

#include <algorithm>

namespace shell {

namespace {
SDL_Window* openWindow(const std::string& what, const char* caption, rt::PixelSize size, int scale, Uint32 flags) {
    SDL_Window* window = SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.w * scale,
                                          size.h * scale, flags | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window) failSdl("cannot open " + what);
    // A window of one size: SDL tells a Wayland compositor so only once a limit is set,
    // and a tiling one would stretch the window otherwise (X11 and Windows hear it anyway).
    if (windowSystem() == "wayland") SDL_SetWindowMinimumSize(window, size.w * scale, size.h * scale);
    return window;
}
}  // namespace

void PixelWindow::Closer::operator()(SDL_Window* window) const { destroyWindow(window); }

PixelWindow::PixelWindow(const std::string& what, const char* caption, rt::PixelSize size, int scale, Uint32 flags,
                         PictureStore& pictures, Fonts& fonts)
    : window_(openWindow(what, caption, size, scale, flags)), pixels_(window_.get(), what) {
    renderer_ = SDL_CreateSoftwareRenderer(pixels_.surface());
    if (!renderer_) failSdl("cannot draw in " + what);
    density_ = std::max(1, pixels_.surface()->w / std::max(1, size.w));
    canvas_ = std::make_unique<SdlCanvas>(renderer_, pictures, fonts, density_ >= 2);
}

PixelWindow::~PixelWindow() {
    canvas_.reset();
    SDL_DestroyRenderer(renderer_);
}

void PixelWindow::present(const std::vector<rt::PixelRect>& drawn) {
    SDL_RenderPresent(renderer_);  // the renderer's queue, into the pixels
    std::vector<SDL_Rect> rects;
    for (const rt::PixelRect& r : drawn) rects.push_back({r.x, r.y, r.w, r.h});
    pixels_.send(rects);
}

}  // namespace shell
