// A window drawn by the processor into its own pixels, which stay as drawn between
// frames: a frame draws only what changed, and sends that to the display (see
// window_pixels.hpp). (Drawing through a GPU driver, every frame would start from
// nothing, and without a GPU, as under a virtual display, the driver's software
// rasteriser costs more than the whole game.)
#pragma once

#include "runtime/canvas.hpp"
#include "shell/sdl/sdl_canvas.hpp"
#include "shell/sdl/window_pixels.hpp"

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

namespace shell {

class PixelWindow {
public:
    // A window showing `size` pixels of its own at `scale` window pixels each, centred
    // on the display; a high-density display may give it more device pixels (see
    // density()). Throws PlatformError, naming it `what`, when it cannot be made.
    PixelWindow(const std::string& what, const char* caption, rt::PixelSize size, int scale, Uint32 flags,
                PictureStore& pictures, Fonts& fonts);
    ~PixelWindow();
    PixelWindow(const PixelWindow&) = delete;
    PixelWindow& operator=(const PixelWindow&) = delete;

    SDL_Window* window() const { return window_.get(); }
    Uint32 id() const { return SDL_GetWindowID(window_.get()); }
    // Device pixels per pixel of the window's own.
    int density() const { return density_; }
    // Draws in device pixels.
    rt::Canvas& canvas() { return *canvas_; }
    // Sends these rectangles of device pixels, drawn since the last call, to the display.
    void present(const std::vector<rt::PixelRect>& drawn);

private:
    struct Closer {
        void operator()(SDL_Window* window) const;
    };

    std::unique_ptr<SDL_Window, Closer> window_;
    WindowPixels pixels_;
    SDL_Renderer* renderer_ = nullptr;
    std::unique_ptr<SdlCanvas> canvas_;
    int density_ = 1;
};

}  // namespace shell
