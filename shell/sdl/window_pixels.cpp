#include "shell/sdl/window_pixels.hpp"

#include "shell/sdl/platform_error.hpp"
#include "shell/sdl/sdl_library.hpp"

namespace shell {

namespace {
// The pixels' format: one that GPU renderers take as it is.
constexpr Uint32 kFormat = SDL_PIXELFORMAT_RGB888;

bool hasFramebuffer() { return windowSystem() == "x11" || windowSystem() == "windows"; }
}  // namespace

WindowPixels::WindowPixels(SDL_Window* window, const std::string& what) : window_(window) {
    if (!hasFramebuffer()) {
        throughGpu(what);
        return;
    }
    // The framebuffer is sent to the display as it is, not through the GPU, which SDL
    // would otherwise try, and then use, first.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    surface_ = SDL_GetWindowSurface(window);
    if (!surface_) failSdl("cannot draw in " + what);
}

void WindowPixels::throughGpu(const std::string& what) {
    // No vsync: a frame is sent only when something changed, and a window that is not
    // on view would hold the game waiting.
    gpu_.reset(SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED));
    if (!gpu_) failSdl("cannot draw in " + what + " (no GPU renderer)");
    int w = 0, h = 0;
    if (SDL_GetRendererOutputSize(gpu_.get(), &w, &h) != 0) failSdl("cannot draw in " + what);
    texture_.reset(SDL_CreateTexture(gpu_.get(), kFormat, SDL_TEXTUREACCESS_STATIC, w, h));
    own_.reset(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, kFormat));
    if (!texture_ || !own_) failSdl("cannot draw in " + what);
    // Drawn as it is, but smoothed where the window later shows at another density (on
    // an output of another scale).
    SDL_SetTextureScaleMode(texture_.get(), SDL_ScaleModeLinear);
    surface_ = own_.get();
}

void WindowPixels::send(const std::vector<SDL_Rect>& changed) {
    if (changed.empty()) return;
    if (!gpu_) {
        SDL_UpdateWindowSurfaceRects(window_, changed.data(), int(changed.size()));
        return;
    }
    const SDL_Rect whole{0, 0, own_->w, own_->h};
    for (const SDL_Rect& rect : changed) {
        SDL_Rect r;
        if (!SDL_IntersectRect(&rect, &whole, &r)) continue;
        const auto* first = static_cast<const Uint8*>(own_->pixels) + r.y * own_->pitch + r.x * own_->format->BytesPerPixel;
        SDL_UpdateTexture(texture_.get(), &r, first, own_->pitch);
    }
    SDL_RenderCopy(gpu_.get(), texture_.get(), nullptr, nullptr);
    SDL_RenderPresent(gpu_.get());
}

}  // namespace shell
