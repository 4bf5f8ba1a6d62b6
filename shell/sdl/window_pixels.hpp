// A window's own pixels, which the game draws into on the processor and which stay as
// drawn between frames, and their way to the display, chosen by the window system:
// - X11 and Windows give a window a framebuffer of its own, sent to the display a
//   rectangle at a time, with no GPU stack loaded.
// - SDL 2's Wayland driver gives a window none: there the pixels are a surface of the
//   game's own, whose changed rectangles are copied into a texture of the window's GPU
//   renderer (a software rasteriser where the machine has no GPU), and the texture is
//   drawn whole on every frame, since a GPU frame starts from nothing.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

namespace shell {

class WindowPixels {
public:
    // Throws PlatformError, naming the window `what`, when the window cannot be drawn in.
    WindowPixels(SDL_Window* window, const std::string& what);

    // As many pixels as the window has device pixels.
    SDL_Surface* surface() const { return surface_; }
    // Sends these rectangles of the surface, changed since the last call, to the display.
    void send(const std::vector<SDL_Rect>& changed);

private:
    template <typename T, void (*Free)(T*)>
    struct Freed {
        void operator()(T* p) const { Free(p); }
    };
    using Renderer = std::unique_ptr<SDL_Renderer, Freed<SDL_Renderer, SDL_DestroyRenderer>>;
    using Texture = std::unique_ptr<SDL_Texture, Freed<SDL_Texture, SDL_DestroyTexture>>;
    using Surface = std::unique_ptr<SDL_Surface, Freed<SDL_Surface, SDL_FreeSurface>>;

    void throughGpu(const std::string& what);

    SDL_Window* window_;
    SDL_Surface* surface_ = nullptr;  // the framebuffer's, or own_
    // Where the window has no framebuffer (the texture goes before its renderer):
    Renderer gpu_;
    Texture texture_;
    Surface own_;
};

}  // namespace shell
